// A painted line that mixes Chinese, Thai, fullwidth and accented Latin:
// every cluster's ink lies inside its own cells, and drawn among the others
// it looks exactly as drawn alone, so no character covers another and the
// grid never shifts.
#include "controls/memo/qt/CodeMemo.h"
#include "controls/memo/Utf8Columns.h"

#include <QTest>

#include <string>

using namespace kalmo;

class MemoCellsPaintTest : public QObject {
    Q_OBJECT

private slots:
    void everyClusterInksOnlyItsOwnCells_data();
    void everyClusterInksOnlyItsOwnCells();
};

namespace {

QImage render(TCodeMemo& memo, const std::string& line)
{
    memo.model().ClearText();
    memo.model().Lines().AppendLines({line});
    return memo.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The line with every cluster but `kept` replaced by blanks of the same
// width; the blanks are not ASCII either, so the line is painted the same way.
std::string isolate(const std::string& line, const TextCluster& kept)
{
    std::string result;
    ClusterWalker walker(line);
    TextCluster cluster;
    while (walker.next(cluster)) {
        if (cluster.byte == kept.byte)
            result += line.substr(cluster.byte, cluster.size);
        else
            result += cluster.width == 2 ? "\u3000" : "\u00a0";
    }
    return result;
}

} // namespace

void MemoCellsPaintTest::everyClusterInksOnlyItsOwnCells_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("chinese quoted") << QStringLiteral("define('_SHOW', '\u663e\u793a');");
    QTest::newRow("thai marks") << QStringLiteral("'\u0e01\u0e34\u0e48\u0e07 \u0e44\u0e17\u0e22 \u0e19\u0e49\u0e33'");
    QTest::newRow("mixed") << QStringLiteral("\u6771\u4eac cafe\u0301 \uff21\u0e01\u0e48 na\u00efve W\u663e");
}

void MemoCellsPaintTest::everyClusterInksOnlyItsOwnCells()
{
    QFETCH(QString, line);
    const std::string text = line.toStdString();
    TCodeMemo memo;
    memo.resize(560, 80);
    const TCustomCodeMemo& model = memo.model();
    const QImage full = render(memo, text);
    const int cells = utf8Columns(text);
    const TRect first = model.cellRect(0, 0);
    const QRect row(first.Left, first.Top, (cells + 2) * model.CharWidth(), first.Height());
    QVERIFY(row.right() < full.width());
    const QColor back = full.pixelColor(row.right(), row.center().y());

    ClusterWalker walker(text);
    TextCluster cluster;
    int inked = 0;
    while (walker.next(cluster)) {
        const std::string piece = text.substr(cluster.byte, cluster.size);
        const QImage alone = render(memo, isolate(text, cluster));
        const TRect own = model.cellRect(cluster.column, 0);
        const QRect cellsOf(own.Left, own.Top, cluster.width * model.CharWidth(), own.Height());
        bool hasInk = false;
        for (int y = row.top(); y <= row.bottom(); ++y) {
            for (int x = row.left(); x <= row.right(); ++x) {
                const QColor pixel = alone.pixelColor(x, y);
                if (!cellsOf.contains(x, y)) {
                    if (pixel != back)
                        QFAIL(qPrintable(QStringLiteral("ink of \"%1\" outside its cells at %2,%3")
                                             .arg(QString::fromStdString(piece)).arg(x).arg(y)));
                    continue;
                }
                hasInk = hasInk || pixel != back;
                if (full.pixelColor(x, y) != pixel)
                    QFAIL(qPrintable(QStringLiteral("the cells of \"%1\" differ in the whole line at %2,%3")
                                         .arg(QString::fromStdString(piece)).arg(x).arg(y)));
            }
        }
        if (hasInk)
            ++inked;
        else
            QVERIFY2(piece == " ", qPrintable(QStringLiteral("\"%1\" left no ink").arg(QString::fromStdString(piece))));
    }
    QVERIFY(inked > 4);
}

QTEST_MAIN(MemoCellsPaintTest)
#include "MemoCellsPaintTest.moc"
