// The windows' layouts and the small parts they are built from: the
// accelerator label, the transparent picture, the dialog's filter, the menu
// table, the main window's client area at its stored size and the viewer's anchors.
#include "tests/app/AppTestSupport.h"
#include "testing/TempFolder.h"

#include "app/KalmoProgram.h"
#include "app/FormControls.h"
#include "app/SourceFileDialog.h"
#include "app/MainWindow.h"
#include "app/SourceViewer.h"
#include "controls/qt/QtKeys.h"
#include "controls/edit/qt/EntryEdit.h"
#include "controls/memo/qt/CodeMemo.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QTest>

#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

// Whether any pixel in the rows [top, bottom) and columns [left, right) is dark.
bool hasDarkPixel(const QImage& image, int left, int right, int top, int bottom)
{
    for (int y = top; y < bottom && y < image.height(); ++y)
        for (int x = left; x < right && x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

} // namespace

class WindowPartsTest : public QObject {
    Q_OBJECT

private slots:
    void labelDrawsWithTheAcceleratorRule_data();
    void labelDrawsWithTheAcceleratorRule();
    void literalLabelShowsEntitiesAndEndsALongTextInAnEllipsis();
    void labelUnderlinesTheMarkedCharacter();
    void labelFitsItsTextAgainAfterEachChange_data();
    void labelFitsItsTextAgainAfterEachChange();
    void transparentPictureLeavesOutItsBottomLeftColour();
    void storedFilterBecomesQtNameFilters_data();
    void storedFilterBecomesQtNameFilters();
    void sourceFileDialogAsksForAnExistingFile();
    void mainWindowOpensWithItsStoredClientAreaBelowItsMenu();
    void mainWindowControlsSitWhereTheLayoutSays_data();
    void mainWindowControlsSitWhereTheLayoutSays();
    void mainMenuItemsCarryTheirStoredShortcuts_data();
    void mainMenuItemsCarryTheirStoredShortcuts();
    void viewerPanesGrowWithTheWidthAndTheHeightIsFixed();
};

void WindowPartsTest::labelDrawsWithTheAcceleratorRule_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("underlined");
    QTest::newRow("marked letter") << "R&D" << "RD" << 1;
    QTest::newRow("doubled ampersand") << "A&&B" << "A&B" << -1;
    QTest::newRow("first letter") << "&File" << "File" << 0;
    QTest::newRow("ampersand at the end") << "x&" << "x&" << -1;
    QTest::newRow("doubled then marked") << "&&&x" << "&x" << 1;
    QTest::newRow("plain") << "Hello" << "Hello" << -1;
}

void WindowPartsTest::labelDrawsWithTheAcceleratorRule()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QFETCH(int, underlined);
    TLabel label;
    label.SetCaption(caption);
    QCOMPARE(label.ShownText(), shown);
    QCOMPARE(label.UnderlinedIndex(), underlined);
    // AutoSize: the label is as wide as the text it shows.
    QCOMPARE(label.width(), QFontMetrics(label.font()).size(Qt::TextShowMnemonic, caption).width());
}

void WindowPartsTest::literalLabelShowsEntitiesAndEndsALongTextInAnEllipsis()
{
    TLabel label;
    label.SetShowAccelChar(false);
    label.SetMaxWidth(200);
    for (const QString& text : {QStringLiteral("Zur&uuml;ck &gt;&gt;"), QStringLiteral("R&D")}) {
        label.SetCaption(text);
        QCOMPARE(label.ShownText(), text);
        QCOMPARE(label.UnderlinedIndex(), -1);
        QVERIFY(label.toolTip().isEmpty());
    }

    const QString longText = QStringLiteral("Diese Seite ist noch nicht &uuml;bersetzt worden, bitte sp&auml;ter");
    label.SetCaption(longText);
    QVERIFY(label.width() <= 200);
    QVERIFY(label.ShownText().endsWith(QChar(0x2026)));
    QVERIFY(longText.startsWith(label.ShownText().chopped(1)));
    QCOMPARE(label.toolTip(), longText);

    label.SetCaption(QStringLiteral("short"));
    QVERIFY(label.toolTip().isEmpty());
}

void WindowPartsTest::labelFitsItsTextAgainAfterEachChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("caption") << "caption";
    QTest::newRow("font") << "font";
    QTest::newRow("font of the parent") << "parent font";
    QTest::newRow("accelerator rule") << "accelerator";
    QTest::newRow("maximum width") << "max width";
}

void WindowPartsTest::labelFitsItsTextAgainAfterEachChange()
{
    QFETCH(QString, change);
    // "A&&B" shows one ampersand under the accelerator rule, two without it;
    // only a label without the rule ends a long text in "…".
    const bool limited = change == QStringLiteral("max width");
    const auto fontOfSize = [](int pixels) {
        QFont font;
        font.setPixelSize(pixels);
        return font;
    };
    const auto setUp = [&](TLabel& label) {
        label.parentWidget()->setFont(fontOfSize(11));
        label.SetShowAccelChar(!limited);
        label.SetMaxWidth(limited ? 40 : 0);
        label.SetCaption(QStringLiteral("A&&B and text"));
    };
    // One change at a time, each making the text wider: a size kept from
    // before it would cut the text off.
    const auto makeChange = [&](TLabel& label) {
        if (change == QStringLiteral("caption"))
            label.SetCaption(QStringLiteral("A&&B and a longer text"));
        else if (change == QStringLiteral("font"))
            label.setFont(fontOfSize(30));
        else if (change == QStringLiteral("parent font"))
            label.parentWidget()->setFont(fontOfSize(30));
        else if (change == QStringLiteral("accelerator"))
            label.SetShowAccelChar(false);
        else
            label.SetMaxWidth(0);
    };
    QWidget window;
    auto* label = new TLabel(&window);
    setUp(*label);
    const QSize before = label->sizeHint();
    QCOMPARE(label->size(), before);
    makeChange(*label);

    QWidget fresh;
    auto* measured = new TLabel(&fresh);
    setUp(*measured);
    makeChange(*measured);
    QCOMPARE(label->sizeHint(), measured->sizeHint());
    QCOMPARE(label->size(), measured->size());
    QVERIFY(label->width() > before.width());
}

void WindowPartsTest::labelUnderlinesTheMarkedCharacter()
{
    QWidget window;
    window.setStyleSheet(QStringLiteral("background: white"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    window.setFont(font);
    auto* label = new TLabel(&window);
    label->SetCaption(QStringLiteral("R&D"));
    window.resize(100, 40);
    const QImage image = window.grab().toImage();

    // Below the baseline R and D draw nothing but the underline.
    const QFontMetrics metrics(font);
    const int r = metrics.horizontalAdvance(QLatin1Char('R'));
    const int d = metrics.horizontalAdvance(QLatin1Char('D'));
    const int below = metrics.ascent() + 1;
    QVERIFY(hasDarkPixel(image, r + 1, r + d - 1, below, label->height() + 1));
    QVERIFY(!hasDarkPixel(image, 1, r - 1, below, label->height() + 1));
}

void WindowPartsTest::transparentPictureLeavesOutItsBottomLeftColour()
{
    TempFolder folder;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    picture.setPixel(1, 1, qRgb(0, 0, 255));
    const QString path = QString::fromStdString(folder.path("p.png"));
    QVERIFY(picture.save(path));

    QWidget window;
    window.setStyleSheet(QStringLiteral("background: rgb(192,192,192)"));
    auto* image = new TImage(&window);
    image->setGeometry(0, 0, 4, 4);
    image->LoadPicture(path);
    window.resize(10, 10);

    QImage shown = window.grab().toImage();
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::magenta));
    image->SetTransparent(true);
    shown = window.grab().toImage();
    QCOMPARE(shown.pixelColor(0, 0), QColor(192, 192, 192));
    QCOMPARE(shown.pixelColor(1, 1), QColor(0, 0, 255));
    // Switching it off again brings the colour back.
    image->SetTransparent(false);
    QCOMPARE(window.grab().toImage().pixelColor(0, 0), QColor(Qt::magenta));
}

void WindowPartsTest::storedFilterBecomesQtNameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("description names its pattern")
        << "Source files (*.php)|*.PHP" << QStringList{"Source files (*.php)"};
    QTest::newRow("description without pattern") << "PHP|*.php;*.inc" << QStringList{"PHP (*.php *.inc)"};
    QTest::newRow("description names another pattern")
        << "Text (*.txt)|*.php" << QStringList{"Text (*.txt) (*.php)"};
    QTest::newRow("two choices") << "A|*.a|B (*.b)|*.b" << QStringList{"A (*.a)", "B (*.b)"};
}

void WindowPartsTest::storedFilterBecomesQtNameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(toQtNameFilters(filter.toStdString()), expected);
}

void WindowPartsTest::sourceFileDialogAsksForAnExistingFile()
{
    QFileDialog dialog;
    configureSourceFileDialog(dialog, {"Source files (*.php)|*.PHP", "Choose Sourcefile"});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Choose Sourcefile"));
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("Source files (*.php)")});
    QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
    // *.php matches LANG.PHP as well.
    QVERIFY(!(dialog.filter() & QDir::CaseSensitive));
    QVERIFY(dialog.isSizeGripEnabled());
}

void WindowPartsTest::mainWindowOpensWithItsStoredClientAreaBelowItsMenu()
{
    RecordedServices recorded;
    TForm1 form1(recorded.services());
    TForm2 form2;
    connectJobWindows(form1, form2);
    form1.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form1));
    QCOMPARE(form1.Client()->size(), QSize(469, 214));
    QCOMPARE(form1.Client()->mapTo(&form1, QPoint(0, 0)), QPoint(0, form1.MainMenu1->height()));
    // The window grows; it shrinks no further than the stored client area.
    QCOMPARE(form1.Client()->minimumSize(), QSize(469, 214));
    QVERIFY(form1.maximumWidth() > form1.width() && form1.maximumHeight() > form1.height());
    QCOMPARE(form1.windowTitle(), QStringLiteral("KALMO Translator"));
    QVERIFY(!(form1.windowFlags() & Qt::WindowCloseButtonHint));

    const QImage client = form1.Client()->grab().toImage();
    QCOMPARE(client.pixelColor(300, 90), QColor(0xC0, 0xC0, 0xC0));
    // The two entry labels are bold and blue.
    QVERIFY(form1.Label1->font().bold());
    QCOMPARE(form1.Label2->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(form1.Client()->font().pixelSize(), 11);
    QCOMPARE(form1.EntryEdit1->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(form1.StatusText(), QStringLiteral("Waiting.."));
    QVERIFY(!form1.Image1->Picture().isNull());
    QCOMPARE(form1.Image1->Picture().size(), QSize(90, 32));
    QCOMPARE(form1.Image2->Picture().size(), QSize(57, 54));
}

void WindowPartsTest::mainWindowControlsSitWhereTheLayoutSays_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("bounds");
    QTest::newRow("EntryEdit1") << "EntryEdit1" << QRect(8, 120, 453, 21);
    QTest::newRow("Image1") << "Image1" << QRect(8, 154, 90, 32);
    QTest::newRow("Image2") << "Image2" << QRect(404, 8, 57, 54);
    QTest::newRow("StatusBar1") << "StatusBar1" << QRect(0, 195, 469, 19);
}

void WindowPartsTest::mainWindowControlsSitWhereTheLayoutSays()
{
    QFETCH(QString, name);
    QFETCH(QRect, bounds);
    RecordedServices recorded;
    TForm1 form1(recorded.services());
    QWidget* control = form1.Client()->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), bounds);
}

void WindowPartsTest::mainMenuItemsCarryTheirStoredShortcuts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("stored");
    QTest::newRow("LoadSourceFile1") << "LoadSourceFile1" << "Load Source File" << 16463;
    QTest::newRow("Help1") << "Help1" << "Help" << 16456;
    QTest::newRow("About1") << "About1" << "About" << 16449;
    QTest::newRow("Exit1") << "Exit1" << "Exit" << 16472;
    QTest::newRow("SourceWindows1") << "SourceWindows1" << "SourceWindows" << 16471;
}

void WindowPartsTest::mainMenuItemsCarryTheirStoredShortcuts()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, stored);
    RecordedServices recorded;
    TForm1 form1(recorded.services());
    auto* action = form1.findChild<QAction*>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcutContext(), Qt::ApplicationShortcut);
    QVERIFY(action->isEnabled());
    const QKeyCombination combination = action->shortcut()[0];
    QCOMPARE(int(shortCut(toKeyCode(combination.key()), toShiftState(combination.keyboardModifiers()))), stored);
}

void WindowPartsTest::viewerPanesGrowWithTheWidthAndTheHeightIsFixed()
{
    RecordedServices recorded;
    TForm1 form1(recorded.services());
    TForm2 form2;
    connectJobWindows(form1, form2);
    QCOMPARE(form2.windowTitle(), QStringLiteral("Sourceviewer"));
    QCOMPARE(form2.size(), QSize(504, 489));
    QCOMPARE(form2.Memo1->geometry(), QRect(8, 25, 488, 193));
    QCOMPARE(form2.Memo2->geometry(), QRect(8, 241, 488, 199));
    QCOMPARE(form2.minimumHeight(), form2.maximumHeight());
    QCOMPARE(form2.minimumWidth(), 504);

    form2.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form2));
    QCOMPARE(form2.Image1->Picture().size(), QSize(90, 32));
    form2.resize(704, 600);
    QCOMPARE(form2.height(), 489);
    QCOMPARE(form2.Memo1->geometry(), QRect(8, 25, 688, 193));
    QCOMPARE(form2.Memo2->geometry(), QRect(8, 241, 688, 199));
    QCOMPARE(form2.Memo2->model().Width(), 688);
    QCOMPARE(form2.Image1->geometry(), QRect(8, 449, 90, 32));
    form2.resize(300, 489);
    QCOMPARE(form2.width(), 504);
}

QTEST_MAIN(WindowPartsTest)
#include "WindowPartsTest.moc"
