// The About and Help windows on real windows: About's texts, pictures and
// version line, its CLOSE handing the focus back to the main window and a
// second show only bringing it forward; Help's text (flowed by paragraph,
// no word alone on a line), read-only memo, balloon outline and CLOSE;
// Escape closing either, and the translation field keeping the user's caret
// and selection when the keyboard comes back.
#include "tests/app/AppTestSupport.h"
#include "app/AppServices.h"
#include "app/FormControls.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/AboutWindow.h"
#include "app/HelpWindow.h"
#include "app/SourceViewer.h"
#include "controls/edit/qt/EntryEdit.h"
#include "controls/glass/qt/GlassButton.h"
#include "controls/memo/qt/CodeMemo.h"
#include "controls/balloon/qt/BalloonShape.h"
#include "app/layouts/HelpLayout.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

// A main window whose services never open a dialog or end the test.
AppServices quietServices()
{
    AppServices services;
    services.chooseSourceFile = [](QWidget*, const FileDialogRequest&) { return std::optional<std::string>(); };
    services.errorMessageBox = [](QWidget*, const QString&, const QString&) {};
    services.endProgram = [] {};
    return services;
}

QStringList memoLines(const TCodeMemo& memo)
{
    QStringList lines;
    const auto& store = memo.model().Lines();
    for (int i = 0; i < store.LineCount(); ++i)
        lines << QString::fromStdString(store.Line(i));
    return lines;
}

} // namespace

class AboutHelpTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void picturesHaveTheirSizesAndColourDepths_data();
    void picturesHaveTheirSizesAndColourDepths();
    void aboutShowsHeadingPicturesAndVersion();
    void aboutStaysOnTopWithoutACloseBox();
    void fileVersionOfANamedFileOrOfTheProgram_data();
    void fileVersionOfANamedFileOrOfTheProgram();
    void aboutCloseHidesAndFocusesTheMainWindow();
    void showingAboutAgainOnlyBringsItForward();

    void helpShowsTheFifteenLinesReadOnly();
    void helpIsABalloonWithTheTextFollowingItsWidth();
    void helpTextFlowsByParagraphWithNoWordAloneOnALine();
    void helpCloseHidesTheWindow();

    void keyboardComesBackWithCaretAndSelectionKept_data();
    void keyboardComesBackWithCaretAndSelectionKept();

private:
    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TForm2> viewer_;
    std::unique_ptr<TForm3> about_;
    std::unique_ptr<TForm4> help_;
};

void AboutHelpTest::init()
{
    main_ = std::make_unique<TForm1>(quietServices());
    // A job, so that keys typed in the main window have somewhere to go.
    viewer_ = std::make_unique<TForm2>();
    connectJobWindows(*main_, *viewer_);
    about_ = std::make_unique<TForm3>(main_.get());
    help_ = std::make_unique<TForm4>(main_.get());
    main_->AttachAboutWindow([this]() -> QWidget& { return *about_; });
    main_->AttachHelpWindow([this]() -> QWidget& { return *help_; });
}

void AboutHelpTest::cleanup()
{
    help_.reset();
    about_.reset();
    viewer_.reset();
    main_.reset();
}

void AboutHelpTest::picturesHaveTheirSizesAndColourDepths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("palette");
    QTest::newRow("LOGO") << ":/LOGO" << QSize(90, 32) << true;
    QTest::newRow("KLOGO") << ":/KLOGO" << QSize(57, 54) << false;
    QTest::newRow("kalmo") << ":/kalmo" << QSize(640, 480) << false;
}

void AboutHelpTest::picturesHaveTheirSizesAndColourDepths()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(bool, palette);
    const QImage picture(path);
    QCOMPARE(picture.size(), size);
    QVERIFY(!picture.hasAlphaChannel());
    if (palette) {
        QCOMPARE(picture.format(), QImage::Format_Indexed8);
        QVERIFY(picture.colorCount() <= 256);
    } else {
        QCOMPARE(picture.format(), QImage::Format_RGB32); // 24-bit pictures load as RGB32
    }

    // The sharp version for twice the scale covers the same place with
    // twice the pixels.
    TImage image;
    image.LoadPicture(path);
    QCOMPARE(image.PictureAt(1).size(), size);
    const QPixmap& sharp = image.PictureAt(2);
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(sharp.size(), size * 2);
    QCOMPARE(sharp.deviceIndependentSize().toSize(), size);
}

void AboutHelpTest::aboutShowsHeadingPicturesAndVersion()
{
    QCOMPARE(about_->windowTitle(), QStringLiteral("About"));
    QCOMPARE(about_->size(), QSize(638, 477));
    QCOMPARE(about_->Label1->Caption(), QStringLiteral("Langmill"));
    QVERIFY(about_->Label1->font().bold());
    QCOMPARE(about_->Label1->pos(), QPoint(24, 24));
    // The test program carries the program's record, as the program does.
    QCOMPARE(about_->Label2->Caption(), QStringLiteral("Version: " KALMO_VERSION_TEXT));
    QCOMPARE(about_->Label2->pos(), QPoint(24, 56));

    QCOMPARE(about_->Image1->Picture().size(), QSize(640, 480));
    QCOMPARE(about_->Image1->geometry(), QRect(-1, -2, 640, 480));
    QCOMPARE(about_->Image2->Picture().size(), QSize(90, 32));
    QCOMPARE(about_->Image2->pos(), QPoint(540, 8));

    const GlassButtonModel& button = about_->GlassButton1->model();
    QCOMPARE(QString::fromStdString(button.Caption()), QStringLiteral("CLOSE"));
    QCOMPARE(button.BackColor(), clBlack);
    QCOMPARE(button.Font().Color, clSilver);
    QCOMPARE(about_->GlassButton1->geometry(), QRect(24, 424, 100, 32));

    // Labels and button lie over the full-window picture.
    about_->show();
    QVERIFY(QTest::qWaitForWindowExposed(about_.get()));
    QCOMPARE(about_->childAt(30, 30), about_->Label1);
    QCOMPARE(about_->childAt(60, 440), about_->GlassButton1);
    QCOMPARE(about_->childAt(300, 300), about_->Image1);
}

void AboutHelpTest::aboutStaysOnTopWithoutACloseBox()
{
    const Qt::WindowFlags flags = about_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(about_->minimumSize(), about_->maximumSize());
}

void AboutHelpTest::fileVersionOfANamedFileOrOfTheProgram_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("own file") << QString() << "%d.%d.%d.%d" << KALMO_VERSION_TEXT;
    QTest::newRow("the program") << KALMO_TRANSLATOR << "%d.%d.%d.%d" << KALMO_VERSION_TEXT;
    QTest::newRow("other format") << KALMO_TRANSLATOR << "v%d" << "v" + QString(KALMO_VERSION_TEXT).section('.', 0, 0);
    QTest::newRow("file without record") << PROBE_WITHOUT_RECORD << "%d.%d.%d.%d" << QString();
    QTest::newRow("missing file") << "/nonexistent/kalmo" << "%d.%d.%d.%d" << QString();
}

void AboutHelpTest::fileVersionOfANamedFileOrOfTheProgram()
{
    QFETCH(QString, fileName);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(TForm3::GetFmtFileVersion(fileName, format), expected);
}

void AboutHelpTest::aboutCloseHidesAndFocusesTheMainWindow()
{
    main_->show();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    main_->About1Click();
    QVERIFY(QTest::qWaitForWindowActive(about_.get()));

    QSignalSpy clicked(about_->GlassButton1, &TGlassButton::clicked);
    QTest::mouseClick(about_->GlassButton1, Qt::LeftButton, {}, QPoint(50, 16));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(!about_->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    QCOMPARE(QApplication::activeWindow(), main_.get());
}

void AboutHelpTest::showingAboutAgainOnlyBringsItForward()
{
    main_->show();
    main_->About1Click();
    QVERIFY(QTest::qWaitForWindowExposed(about_.get()));
    const QString versionLine = about_->Label2->Caption();
    about_->move(about_->pos() + QPoint(40, 30));
    const QPoint moved = about_->pos();

    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    main_->About1Click();
    QVERIFY(QTest::qWaitForWindowActive(about_.get()));
    QCOMPARE(about_->pos(), moved);
    QCOMPARE(about_->Label2->Caption(), versionLine);
}

void AboutHelpTest::helpShowsTheFifteenLinesReadOnly()
{
    QStringList layoutLines;
    for (const char* line : layout::help::helpLines)
        layoutLines << QString::fromLatin1(line);
    QCOMPARE(layoutLines.size(), 15);
    QCOMPARE(layoutLines[2], QStringLiteral("From FILE menu choose \"Load Sourcefile\" or press CTRL-o."));
    QVERIFY(layoutLines[1].isEmpty() && layoutLines[9].isEmpty());

    // The text is flowed and broken at word boundaries so that every word
    // is in view; its words and their order are the layout's.
    help_->show();
    QVERIFY(QTest::qWaitForWindowExposed(help_.get()));
    const QStringList expected = memoLines(*help_->CodeMemo1);
    const TCustomCodeMemo& memo = help_->CodeMemo1->model();
    QVERIFY(memo.ColSpan() > 40);
    for (const QString& line : expected)
        QVERIFY2(line.size() <= memo.ColSpan(), qPrintable(line));
    QCOMPARE(expected.join(QLatin1Char(' ')).simplified(), layoutLines.join(QLatin1Char(' ')).simplified());
    QVERIFY(expected.contains(QStringLiteral("Quick Help")));

    QVERIFY(memo.ReadOnly());
    QCOMPARE(memo.ScrollBars(), TScrollStyle::ssVertical);
    QVERIFY(memo.ShowRightMargin());
    QCOMPARE(memo.RightMargin(), 100);
    // Verdana is proportional, so the memo swapped it for a font whose
    // characters all fill one cell (Qt's fixed-pitch flag is not reliable
    // for every monospace font, so the widths are compared).
    const QFontMetrics metrics(help_->CodeMemo1->fonts().text);
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('W')));
    QCOMPARE(memo.Font().Name, std::string("FixedSys"));

    // Typing into the shown text changes nothing.
    QVERIFY(QTest::qWaitForWindowActive(help_.get()));
    help_->CodeMemo1->setFocus();
    QTest::keyClicks(help_->CodeMemo1, QStringLiteral("xy"));
    QTest::keyClick(help_->CodeMemo1, Qt::Key_Delete);
    QTest::keyClick(help_->CodeMemo1, Qt::Key_Return);
    QCOMPARE(memoLines(*help_->CodeMemo1), expected);
}

void AboutHelpTest::helpTextFlowsByParagraphWithNoWordAloneOnALine()
{
    help_->show();
    QVERIFY(QTest::qWaitForWindowExposed(help_.get()));
    const QStringList lines = memoLines(*help_->CodeMemo1);
    for (const QString& line : lines)
        QVERIFY2(line.isEmpty() || line.split(QLatin1Char(' '), Qt::SkipEmptyParts).size() > 1, qPrintable(line));
    // The two blank lines still part the three paragraphs.
    QCOMPARE(lines.count(QString()), 2);
    QCOMPARE(lines.first(), QStringLiteral("Quick Help"));
    QCOMPARE(lines[1], QString());
}

void AboutHelpTest::helpIsABalloonWithTheTextFollowingItsWidth()
{
    help_->show();
    QVERIFY(QTest::qWaitForWindowExposed(help_.get()));
    QVERIFY(help_->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(help_->pos(), QPoint(0, 0));

    // The frame's room goes to the client area: 680 + 2 * 8 wide, 318 + 2 * 8 high.
    const int r = help_->width(), b = help_->height();
    QCOMPARE(QSize(r, b), QSize(696, 334));
    const QRegion mask = help_->mask();
    QVERIFY(mask.contains(QPoint(r - 24, b - 8)));  // inside the pointer
    QVERIFY(!mask.contains(QPoint(r - 45, b - 8))); // beside it, below the body
    QVERIFY(!mask.contains(QPoint(r - 8, b - 8)));  // between pointer and corner
    QVERIFY(mask.contains(QPoint(r / 2, b / 2)));
    QVERIFY(!mask.contains(QPoint(0, 0)));          // a rounded corner

    // The help text is anchored right: it keeps its 5-pixel gap to the edge.
    QCOMPARE(help_->CodeMemo1->geometry(), QRect(8, 8, r - 8 - 5, 266));
    QCOMPARE(help_->GlassButton1->geometry(), QRect(296, 280, 81, 23));
}

void AboutHelpTest::helpCloseHidesTheWindow()
{
    main_->show();
    main_->Help1Click();
    QVERIFY(QTest::qWaitForWindowExposed(help_.get()));
    QCOMPARE(QString::fromStdString(help_->GlassButton1->model().Caption()), QStringLiteral("CLOSE"));
    QTest::mouseClick(help_->GlassButton1, Qt::LeftButton, {}, QPoint(40, 11));
    QVERIFY(!help_->isVisible());
}

void AboutHelpTest::keyboardComesBackWithCaretAndSelectionKept_data()
{
    QTest::addColumn<Qt::Key>("opening");    // with Ctrl
    QTest::addColumn<bool>("escapeCloses"); // else the main window is clicked
    QTest::newRow("About, Escape") << Qt::Key_A << true;
    QTest::newRow("Help, Escape") << Qt::Key_H << true;
    QTest::newRow("viewer, back to the main window") << Qt::Key_W << false;
}

void AboutHelpTest::keyboardComesBackWithCaretAndSelectionKept()
{
    QFETCH(Qt::Key, opening);
    QFETCH(bool, escapeCloses);
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    TEntryEdit* field = main_->EntryEdit1;
    QCOMPARE(QApplication::focusWidget(), field);
    // Work in progress: "Wel" of "Hallo Welt" selected, the caret before it.
    field->selectAll();
    typeText(QStringLiteral("Hallo Welt"));
    pressKey(Qt::Key_Left);
    for (int i = 0; i < 3; ++i)
        pressKey(Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(field->selectedText(), QStringLiteral("Wel"));

    pressKey(opening, Qt::ControlModifier);
    QWidget* other = QApplication::activeWindow();
    QVERIFY(other && other != main_.get());
    QVERIFY(QTest::qWaitForWindowActive(other));
    if (escapeCloses) {
        pressKey(Qt::Key_Escape);
        QVERIFY(!other->isVisible());
    } else {
        main_->activateWindow();
    }
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->QLineEdit::text(), QStringLiteral("Hallo Welt"));
    QCOMPARE(field->selectedText(), QStringLiteral("Wel"));
    QCOMPARE(field->cursorPosition(), 6);

    // The next key replaces the selection only.
    typeText(QStringLiteral("x"));
    QCOMPARE(field->QLineEdit::text(), QStringLiteral("Hallo xt"));
}

QTEST_MAIN(AboutHelpTest)
#include "AboutHelpTest.moc"
