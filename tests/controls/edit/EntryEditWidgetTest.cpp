// TEntryEdit on a shown window with real key events: focus and disabled
// colours, select-on-focus, Enter, menu shortcuts winning over the edit,
// Text, paste, Escape and typed control characters.
#include "controls/qt/QtColor.h"
#include "controls/edit/qt/EntryEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

using namespace kalmo;

namespace {

// Counts the Enter presses that reach a window after its focused control.
class KeyPressCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                ++count;
        }
        return false;
    }
};

} // namespace

class EntryEditWidgetTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void focusShowsFocusColoursAndSelectsAll();
    void focusBackFromAnotherWindowKeepsCaretAndSelection();
    void disablingShowsDisabledColourAndEnablingRestoresIt();
    void enterInsertsNothingAndIsNotHandedToTheWindow();
    void menuShortcutWinsOverTheEdit_data();
    void menuShortcutWinsOverTheEdit();
    void editKeepsItsOwnKeysWhenNoMenuTakesThem();
    void writtenTextReadsBackAndShowsFromItsStart();
    void longTextIsNotCut();
    void everyUserChangeRaisesOnChangeOnce();
    void pasteKeepsLineBreaksAndPlacesSelection_data();
    void pasteKeepsLineBreaksAndPlacesSelection();
    void contextMenuPasteUsesTheSameRule();
    void escapeRestoresTextOnlyWithoutKeyPreview_data();
    void escapeRestoresTextOnlyWithoutKeyPreview();
    void typedControlCharactersAreIgnored_data();
    void typedControlCharactersAreIgnored();

private:
    QColor shown(ColorValue color) const { return toQColor(color, QApplication::palette(edit_)); }
    QColor pixelInside() const
    {
        const QImage image = edit_->grab().toImage();
        return image.pixelColor(image.width() - 6, image.height() / 2);
    }
    void focusEdit()
    {
        edit_->setFocus(Qt::OtherFocusReason);
        QVERIFY(edit_->hasFocus());
    }

    std::unique_ptr<QWidget> window_;
    TEntryEdit* edit_ = nullptr;
    QLineEdit* other_ = nullptr;
};

void EntryEditWidgetTest::init()
{
    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    edit_ = new TEntryEdit(window_.get());
    other_ = new QLineEdit(window_.get());
    layout->addWidget(edit_);
    layout->addWidget(other_);
    window_->resize(460, 80);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    other_->setFocus();
    QVERIFY(other_->hasFocus());
}

void EntryEditWidgetTest::cleanup()
{
    window_.reset();
    QGuiApplication::clipboard()->clear();
}

void EntryEditWidgetTest::focusShowsFocusColoursAndSelectsAll()
{
    edit_->SetText("hello");
    edit_->SetFontColor(clWhite);
    edit_->SetFocusColor(clYellow);

    // A focus reason for which QLineEdit itself would not select anything.
    focusEdit();
    QCOMPARE(edit_->palette().color(QPalette::Active, QPalette::Base), shown(clYellow));
    QCOMPARE(edit_->palette().color(QPalette::Active, QPalette::Text), shown(clWindowText));
    QCOMPARE(pixelInside(), shown(clYellow));
    QCOMPARE(edit_->selectedText(), QStringLiteral("hello"));

    other_->setFocus();
    QCOMPARE(edit_->palette().color(QPalette::Active, QPalette::Base), shown(clWindow));
    QCOMPARE(edit_->palette().color(QPalette::Active, QPalette::Text), shown(clWhite));

    // Again on the next focus gain, also after the caret was moved.
    focusEdit();
    QCOMPARE(edit_->selectedText(), QStringLiteral("hello"));
}

void EntryEditWidgetTest::focusBackFromAnotherWindowKeepsCaretAndSelection()
{
    edit_->SetText("hello");
    focusEdit();
    edit_->setSelection(1, 2);

    QWidget otherWindow;
    otherWindow.show();
    otherWindow.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&otherWindow));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));

    // The work in progress stays as the user left it.
    QVERIFY(edit_->hasFocus());
    QCOMPARE(edit_->selectedText(), QStringLiteral("el"));
    QCOMPARE(edit_->cursorPosition(), 3);
}

void EntryEditWidgetTest::disablingShowsDisabledColourAndEnablingRestoresIt()
{
    edit_->SetFocusColor(clYellow);
    focusEdit();

    edit_->SetEnabled(false);
    QVERIFY(!edit_->hasFocus());
    QCOMPARE(edit_->Color(), clSilver);
    QCOMPARE(edit_->palette().color(QPalette::Disabled, QPalette::Base), shown(clSilver));
    QCOMPARE(pixelInside(), shown(clSilver));
    const QImage image = edit_->grab().toImage();
    QCOMPARE(image.pixelColor(0, image.height() / 2), shown(clSilver)); // the disabled frame
    // The disabled text stays readable on the silver background.
    const QColor disabledText = edit_->palette().color(QPalette::Disabled, QPalette::Text);
    QVERIFY2(shown(clSilver).lightness() - disabledText.lightness() >= 64, qPrintable(disabledText.name()));

    edit_->setEnabled(true);
    QCOMPARE(edit_->Color(), clWindow);
    QCOMPARE(edit_->palette().color(QPalette::Active, QPalette::Base), shown(clWindow));
}

void EntryEditWidgetTest::enterInsertsNothingAndIsNotHandedToTheWindow()
{
    KeyPressCounter reachedWindow;
    window_->installEventFilter(&reachedWindow);
    edit_->SetText("abc");
    focusEdit();
    edit_->setCursorPosition(1);

    QTest::keyClick(edit_, Qt::Key_Return);
    QTest::keyClick(edit_, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(edit_, Qt::Key_Return, Qt::ControlModifier);

    QCOMPARE(edit_->Text(), std::string("abc"));
    QVERIFY(!edit_->Modified());
    QCOMPARE(reachedWindow.count, 0);
}

void EntryEditWidgetTest::menuShortcutWinsOverTheEdit_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Ctrl+X") << int(Qt::Key_X);
    QTest::newRow("Ctrl+A") << int(Qt::Key_A);
    QTest::newRow("Ctrl+O") << int(Qt::Key_O);
    QTest::newRow("Ctrl+H") << int(Qt::Key_H);
    QTest::newRow("Ctrl+W") << int(Qt::Key_W);
}

void EntryEditWidgetTest::menuShortcutWinsOverTheEdit()
{
    QFETCH(int, key);
    auto* action = new QAction(window_.get());
    action->setShortcut(QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key(key))));
    action->setShortcutContext(Qt::ApplicationShortcut);
    window_->addAction(action);
    QSignalSpy triggered(action, &QAction::triggered);
    edit_->SetText("abc");
    focusEdit();
    edit_->setCursorPosition(1);

    QTest::keyClick(edit_, Qt::Key(key), Qt::ControlModifier);

    QCOMPARE(triggered.count(), 1);
    QCOMPARE(edit_->Text(), std::string("abc"));
    QVERIFY(!edit_->hasSelectedText());
}

void EntryEditWidgetTest::editKeepsItsOwnKeysWhenNoMenuTakesThem()
{
    edit_->SetText("abc");
    focusEdit();
    edit_->setCursorPosition(1);
    QTest::keyClick(edit_, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(edit_->selectedText(), QStringLiteral("abc"));
    QTest::keyClick(edit_, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit_->Text(), std::string());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
}

void EntryEditWidgetTest::writtenTextReadsBackAndShowsFromItsStart()
{
    focusEdit();
    QTest::keyClicks(edit_, "typed");
    QVERIFY(edit_->Modified());

    edit_->SetText("Grüße");
    QCOMPARE(edit_->Text(), std::string("Grüße"));
    QCOMPARE(edit_->text(), QStringLiteral("Grüße"));
    QVERIFY(!edit_->hasSelectedText());
    QCOMPARE(edit_->cursorPosition(), 0);
    QVERIFY(!edit_->Modified());
}

void EntryEditWidgetTest::longTextIsNotCut()
{
    const std::string line(40000, 'x');
    edit_->SetText(line);
    QCOMPARE(edit_->Text().size(), line.size());
}

void EntryEditWidgetTest::everyUserChangeRaisesOnChangeOnce()
{
    int changes = 0;
    edit_->OnChange = [&](TEntryEdit&) { ++changes; };
    edit_->SetText("abc");
    QCOMPARE(changes, 1);
    edit_->SetText("abc");
    QCOMPARE(changes, 1);

    focusEdit(); // selects the whole text
    QTest::keyClick(edit_, Qt::Key_Q);
    QCOMPARE(edit_->Text(), std::string("q"));
    QCOMPARE(changes, 2);
    QTest::keyClick(edit_, Qt::Key_Backspace);
    QCOMPARE(edit_->Text(), std::string());
    QCOMPARE(changes, 3);
}

void EntryEditWidgetTest::pasteKeepsLineBreaksAndPlacesSelection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("selectedAfter");
    QTest::addColumn<int>("caretAfter");
    QTest::newRow("two lines into empty") << "" << 0 << 0 << "a\nb" << "a\nb" << "" << 3;
    QTest::newRow("over a selection") << "hello" << 1 << 3 << "XY" << "hXYo" << "XY" << 3;
    QTest::newRow("at the caret") << "hello" << 5 << 0 << "!" << "hello!" << "" << 6;
}

void EntryEditWidgetTest::pasteKeepsLineBreaksAndPlacesSelection()
{
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QString, clipboard);
    QFETCH(QString, result);
    QFETCH(QString, selectedAfter);
    QFETCH(int, caretAfter);

    QGuiApplication::clipboard()->setText(clipboard);
    edit_->SetText(text.toStdString());
    focusEdit();
    edit_->setSelection(selectionStart, selectionLength);
    QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(edit_->text(), result);
    QCOMPARE(edit_->selectedText(), selectedAfter);
    QCOMPARE(edit_->cursorPosition(), caretAfter);
    QVERIFY(edit_->Modified());
}

void EntryEditWidgetTest::contextMenuPasteUsesTheSameRule()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("XY"));
    edit_->SetText("hello");
    focusEdit();
    edit_->setSelection(1, 3);
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5), edit_->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(edit_, &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    const auto actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
        return action->text().endsWith(QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText));
    });
    QVERIFY(paste != actions.end());
    menu->close();
    (*paste)->trigger();

    QCOMPARE(edit_->text(), QStringLiteral("hXYo"));
    QCOMPARE(edit_->selectedText(), QStringLiteral("XY")); // QLineEdit's own paste leaves a bare caret
    QVERIFY(edit_->Modified());
}

void EntryEditWidgetTest::escapeRestoresTextOnlyWithoutKeyPreview_data()
{
    QTest::addColumn<bool>("keyPreview");
    QTest::addColumn<QString>("textAfter");
    QTest::newRow("window previews keys") << true << "new";
    QTest::newRow("no key preview") << false << "old";
}

void EntryEditWidgetTest::escapeRestoresTextOnlyWithoutKeyPreview()
{
    QFETCH(bool, keyPreview);
    QFETCH(QString, textAfter);
    window_->setProperty(TEntryEdit::KeyPreviewProperty, keyPreview);
    edit_->SetText("old");
    focusEdit();
    QTest::keyClicks(edit_, "new");
    QCOMPARE(edit_->text(), QStringLiteral("new"));

    QTest::keyClick(edit_, Qt::Key_Escape);
    QCOMPARE(edit_->text(), textAfter);
}

void EntryEditWidgetTest::typedControlCharactersAreIgnored_data()
{
    QTest::addColumn<bool>("fromInputMethod");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("a key that types NUL") << false << QStringLiteral("\u0000") << QStringLiteral("ab");
    QTest::newRow("a key whose text holds controls") << false << QStringLiteral("x\u0001y\u007F") << QStringLiteral("abxy");
    QTest::newRow("Ctrl+Shift+U 1 from an input method") << true << QStringLiteral("\u0001") << QStringLiteral("ab");
    QTest::newRow("an input method's NUL, tab, line break and C1 control")
        << true << QStringLiteral("\u00E9\u0000\t\n\u0085z") << QStringLiteral("ab\u00E9z");
}

void EntryEditWidgetTest::typedControlCharactersAreIgnored()
{
    QFETCH(bool, fromInputMethod);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    edit_->SetText("ab");
    focusEdit();
    QTest::keyClick(edit_, Qt::Key_End);
    if (fromInputMethod) {
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QApplication::sendEvent(edit_, &commit);
    } else {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
        QApplication::sendEvent(edit_, &press);
    }
    QCOMPARE(QString::fromStdString(edit_->Text()), result);
}

QTEST_MAIN(EntryEditWidgetTest)
#include "EntryEditWidgetTest.moc"
