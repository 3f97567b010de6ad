// Other scripts in a painted viewer pane, judged by their ink: fallback
// glyphs as tall as the Latin text around them, marks drawn on their letter,
// right-to-left runs turned round and joined, with the caret and the
// selection at the places where their logical columns appear.
#include "controls/memo/qt/CodeMemo.h"
#include "controls/qt/QtColor.h"
#include "app/layouts/MemoLayouts.h"

#include <QTest>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

using namespace kalmo;

namespace {

bool isInk(QColor pixel)
{
    return pixel.red() + pixel.green() + pixel.blue() < 3 * 255 - 150;
}

// The ink in `area`: its bounding box, empty when there is none.
QRect inkBox(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isInk(image.pixelColor(x, y)))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

// The mean x of the pixels that differ between two images in `area`.
std::optional<double> changedCentre(const QImage& a, const QImage& b, const QRect& area)
{
    double sum = 0;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                sum += x;
                ++count;
            }
    return count > 0 ? std::optional<double>(sum / count) : std::nullopt;
}

// A viewer pane on white without the active-line colours, so that ink is dark on light.
class Pane {
public:
    Pane()
    {
        applyViewerPaneLayout(memo.model());
        memo.resize(488, 193);
        memo.model().SetBkColor(clWhite);
        memo.model().ActiveLineSettings().SetShowActiveLine(false);
        memo.model().SetHideSelection(false);
    }

    QImage render(const std::vector<std::string>& lines)
    {
        memo.model().ClearText();
        memo.model().Lines().AppendLines(lines);
        return memo.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The pixels of cells [column, column + cells) of the first row.
    QRect cells(int column, int cells, int row = 0) const
    {
        const TRect first = memo.model().cellRect(column, row);
        return QRect(first.Left, first.Top, cells * memo.model().CharWidth(), first.Height());
    }

    TCodeMemo memo;
};

} // namespace

class MemoScriptsPaintTest : public QObject {
    Q_OBJECT

private slots:
    void fallbackGlyphsAreAsTallAsTheLatinText_data();
    void fallbackGlyphsAreAsTallAsTheLatinText();
    void marksAreDrawnOnTheirLetter_data();
    void marksAreDrawnOnTheirLetter();
    void rightToLeftRunsAreTurnedRoundWithCaretAndSelection_data();
    void rightToLeftRunsAreTurnedRoundWithCaretAndSelection();
    void arabicLettersJoin();
    void selectionShowsUnderEveryCluster();
};

void MemoScriptsPaintTest::fallbackGlyphsAreAsTallAsTheLatinText_data()
{
    QTest::addColumn<QString>("glyph");
    QTest::addColumn<int>("cells");
    QTest::addColumn<double>("leastRatio"); // of its ink height to a capital H's
    // A Thai consonant is as tall as a Latin lower-case letter and more.
    QTest::newRow("thai consonant") << QStringLiteral("\u0e01") << 1 << 0.8;
    QTest::newRow("thai with vowel and tone mark") << QStringLiteral("\u0e01\u0e34\u0e48") << 1 << 1.4;
    QTest::newRow("chinese") << QStringLiteral("\u663e") << 2 << 1.0;
    QTest::newRow("arabic lam") << QStringLiteral("\u0644") << 1 << 1.0;
}

void MemoScriptsPaintTest::fallbackGlyphsAreAsTallAsTheLatinText()
{
    QFETCH(QString, glyph);
    QFETCH(int, cells);
    QFETCH(double, leastRatio);
    Pane pane;
    const QImage image = pane.render({"'H'", "'" + glyph.toStdString() + "'"});
    const QRect capital = inkBox(image, pane.cells(1, 1, 0));
    const QRect rowOfGlyph = pane.cells(1, cells, 1);
    const QRect ink = inkBox(image, rowOfGlyph);
    QVERIFY(!capital.isEmpty());
    QVERIFY2(!ink.isEmpty(), "no ink");
    QVERIFY2(ink.height() >= leastRatio * capital.height(),
             qPrintable(QStringLiteral("%1 rows of ink against the capital's %2").arg(ink.height()).arg(capital.height())));
    QVERIFY2(ink.top() > rowOfGlyph.top() - 1 && ink.bottom() <= rowOfGlyph.bottom(), "the glyph leaves its row");
}

void MemoScriptsPaintTest::marksAreDrawnOnTheirLetter_data()
{
    QTest::addColumn<QString>("cluster");
    QTest::addColumn<QString>("letter");
    QTest::newRow("e and combining acute") << QStringLiteral("e\u0301") << QStringLiteral("e");
    QTest::newRow("a and combining diaeresis") << QStringLiteral("a\u0308") << QStringLiteral("a");
    QTest::newRow("vietnamese e with dot below and circumflex") << QStringLiteral("e\u0323\u0302") << QStringLiteral("e");
    // No precomposed letter exists: the mark is placed by the font.
    QTest::newRow("q and combining acute") << QStringLiteral("q\u0301") << QStringLiteral("q");
}

void MemoScriptsPaintTest::marksAreDrawnOnTheirLetter()
{
    QFETCH(QString, cluster);
    QFETCH(QString, letter);
    Pane pane;
    const QRect cell = pane.cells(1, 1);
    const QImage plain = pane.render({"'" + letter.toStdString() + "'"});
    const QImage marked = pane.render({"'" + cluster.toStdString() + "'"});
    const QRect letterInk = inkBox(plain, cell);
    const QRect markedInk = inkBox(marked, cell);
    const std::optional<double> mark = changedCentre(plain, marked, cell);
    QVERIFY(!letterInk.isEmpty() && mark);
    const double letterCentre = (letterInk.left() + letterInk.right()) / 2.0;
    QVERIFY2(std::abs(*mark - letterCentre) <= 1.5,
             qPrintable(QStringLiteral("the mark's centre at x %1, the letter's at %2").arg(*mark).arg(letterCentre)));
    // A mark beside its letter would squeeze both into the cell or widen the ink.
    QVERIFY2(std::abs(markedInk.width() - letterInk.width()) <= 1,
             qPrintable(QStringLiteral("ink %1 wide with the mark, %2 without").arg(markedInk.width()).arg(letterInk.width())));
}

void MemoScriptsPaintTest::rightToLeftRunsAreTurnedRoundWithCaretAndSelection_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("letters"); // of the first word, in logical order
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("mark");        // added to one letter to find where it is drawn
    QTest::newRow("arabic with a placeholder")
        << QStringLiteral("define('_X', '")
        << QStringList{QStringLiteral("\u0645"), QStringLiteral("\u0631"), QStringLiteral("\u062d"), QStringLiteral("\u0628"),
                       QStringLiteral("\u0627")}
        << QStringLiteral(" %s \u0628\u0643');") << QStringLiteral("\u064e"); // fatha
    QTest::newRow("hebrew with a placeholder")
        << QStringLiteral("define('_Y', '")
        << QStringList{QStringLiteral("\u05e9"), QStringLiteral("\u05dc"), QStringLiteral("\u05d5"), QStringLiteral("\u05dd")}
        << QStringLiteral(" %d \u05e2\u05d5\u05dc\u05dd');") << QStringLiteral("\u05b8"); // qamats
}

void MemoScriptsPaintTest::rightToLeftRunsAreTurnedRoundWithCaretAndSelection()
{
    QFETCH(QString, prefix);
    QFETCH(QStringList, letters);
    QFETCH(QString, suffix);
    QFETCH(QString, mark);
    Pane pane;
    const int first = static_cast<int>(prefix.size());
    const int count = static_cast<int>(letters.size());
    const QRect run = pane.cells(first, count);
    const auto line = [&](int marked) {
        QStringList word = letters;
        if (marked >= 0)
            word[marked] += mark;
        return (prefix + word.join(QString()) + suffix).toStdString();
    };
    const QImage bare = pane.render({line(-1)});
    QVERIFY(!inkBox(bare, run).isEmpty());

    // Where each logical letter is drawn: right to left on screen, inside the run's cells.
    std::vector<double> centres;
    for (int i = 0; i < count; ++i) {
        const std::optional<double> centre = changedCentre(bare, pane.render({line(i)}), pane.cells(0, 60));
        QVERIFY2(centre, qPrintable(QStringLiteral("letter %1 shows no mark").arg(i)));
        QVERIFY2(*centre >= run.left() && *centre <= run.right(),
                 qPrintable(QStringLiteral("letter %1 drawn at x %2, outside the run's cells %3..%4")
                                .arg(i).arg(*centre).arg(run.left()).arg(run.right())));
        if (!centres.empty())
            QVERIFY2(*centre < centres.back(),
                     qPrintable(QStringLiteral("letter %1 at x %2 is not left of letter %3 at x %4")
                                    .arg(i).arg(*centre).arg(i - 1).arg(centres.back())));
        centres.push_back(*centre);
    }

    // The caret between two letters stands between them on screen.
    pane.render({line(-1)});
    for (int i = 1; i < count; ++i) {
        pane.memo.model().PlaceCaret(first + i, 0);
        const double caret = pane.memo.caretRect().center().x();
        QVERIFY2(caret > centres[static_cast<std::size_t>(i)] && caret < centres[static_cast<std::size_t>(i) - 1],
                 qPrintable(QStringLiteral("caret at column %1 drawn at x %2, between letters at %3 and %4")
                                .arg(first + i).arg(caret).arg(centres[static_cast<std::size_t>(i)])
                                .arg(centres[static_cast<std::size_t>(i) - 1])));
    }

    // Selecting the first letter logically marks the letter drawn rightmost.
    pane.memo.model().setSelection(first, 0, first + 1, 0);
    const QImage selected = pane.memo.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor selectionBack = toQColor(pane.memo.model().SelBkColor(), pane.memo.palette());
    const auto isSelected = [&](double x) {
        return selected.pixelColor(qRound(x), run.top() + 1) == selectionBack;
    };
    QVERIFY2(isSelected(centres.front()), "the first letter is not shown selected");
    QVERIFY2(!isSelected(centres.back()), "the last letter is shown selected");
}

// Joined letters take less room than the same letters kept apart by
// zero-width non-joiners, which occupy no cell of their own.
void MemoScriptsPaintTest::arabicLettersJoin()
{
    Pane pane;
    const QString joined = QStringLiteral("\u0645\u0631\u062d\u0628\u0627");
    QString apart;
    for (const QChar letter : joined)
        apart += QString(letter) + QChar(0x200c);
    const QImage shown = pane.render({"'" + joined.toStdString() + "'", "'" + apart.toStdString() + "'"});
    const QRect joinedInk = inkBox(shown, pane.cells(1, 5, 0));
    const QRect apartInk = inkBox(shown, pane.cells(1, 5, 1));
    QVERIFY(!joinedInk.isEmpty() && !apartInk.isEmpty());
    QVERIFY2(joinedInk.width() < apartInk.width(),
             qPrintable(QStringLiteral("joined %1 pixels wide, apart %2").arg(joinedInk.width()).arg(apartInk.width())));
}

// Clusters are drawn one by one, each clipped to its cells; the selection
// behind each of them must show all the same.
void MemoScriptsPaintTest::selectionShowsUnderEveryCluster()
{
    Pane pane;
    const std::string line = "'\u663e" "e\u0301\u0e01x'";
    pane.render({line});
    pane.memo.model().setSelection(1, 0, 6, 0);
    const QImage image = pane.memo.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor selectionBack = toQColor(pane.memo.model().SelBkColor(), pane.memo.palette());
    for (const int column : {1, 2, 3, 4, 5}) {
        const QRect cell = pane.cells(column, 1);
        QCOMPARE(image.pixelColor(cell.left() + 1, cell.top()), selectionBack);
    }
    QVERIFY(image.pixelColor(pane.cells(6, 1).left() + 1, pane.cells(6, 1).top()) != selectionBack);
}

QTEST_MAIN(MemoScriptsPaintTest)
#include "MemoScriptsPaintTest.moc"
