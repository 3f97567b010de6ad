// The main window's source and translation fields draw every script whole:
// Thai marks above and below their consonant, Vietnamese stacked accents
// and Devanagari keep all their ink inside the field, as tall as the same
// text drawn with nothing around it, and the marks add ink to the letters.
#include "tests/app/AppTestSupport.h"

#include "app/FormControls.h"
#include "app/MainWindow.h"
#include "controls/edit/qt/EntryEdit.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cstdlib>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

// The first and last rows of `area` holding a pixel clearly unlike `back`.
std::pair<int, int> inkRows(const QImage& image, const QRect& area, QColor back)
{
    int top = -1;
    int bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int difference = std::abs(pixel.red() - back.red()) + std::abs(pixel.green() - back.green())
                + std::abs(pixel.blue() - back.blue());
            if (difference > 96) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
        }
    }
    return {top, bottom};
}

// The ink height of `text` drawn alone in `font`, with room all round.
int freeInkHeight(const QString& text, const QFont& font, QColor ink, QColor back)
{
    QImage image(200, 80, QImage::Format_RGB32);
    image.fill(back);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QPointF(20, 50), text);
    painter.end();
    const auto [top, bottom] = inkRows(image, image.rect(), back);
    return bottom - top + 1;
}

} // namespace

class FieldScriptsTest : public QObject {
    Q_OBJECT

private slots:
    void textIsDrawnWhole_data();
    void textIsDrawnWhole();
};

void FieldScriptsTest::textIsDrawnWhole_data()
{
    QTest::addColumn<bool>("translation");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bare"); // the same letters without their marks
    const struct {
        const char* name;
        QString text;
        QString bare;
    } cases[] = {
        {"thai tone mark over a vowel", QStringLiteral("\u0e19\u0e35\u0e49"), QStringLiteral("\u0e19")},
        {"thai vowel below and tone mark", QStringLiteral("\u0e01\u0e39\u0e49"), QStringLiteral("\u0e01")},
        {"vietnamese dot below and circumflex", QStringLiteral("\u1ec7"), QStringLiteral("e")},
        {"vietnamese hook over a circumflex on a capital", QStringLiteral("\u1ec2"), QStringLiteral("E")},
        {"devanagari vowel signs", QStringLiteral("\u0939\u093f\u0928\u094d\u0926\u0940"), QStringLiteral("\u0939\u0928\u0926")},
    };
    for (const bool translation : {false, true}) {
        for (const auto& c : cases) {
            QTest::addRow("%s: %s", translation ? "translation" : "source", c.name) << translation << c.text << c.bare;
        }
    }
}

void FieldScriptsTest::textIsDrawnWhole()
{
    QFETCH(bool, translation);
    QFETCH(QString, text);
    QFETCH(QString, bare);
    RecordedServices recorded;
    TForm1 form1(recorded.services());
    QWidget* field = translation ? static_cast<QWidget*>(form1.EntryEdit1) : static_cast<QWidget*>(form1.Label1);
    const QColor back = translation ? field->palette().color(QPalette::Base) : form1.Client()->palette().color(QPalette::Window);
    const QColor ink = translation ? field->palette().color(QPalette::Text) : field->palette().color(QPalette::WindowText);

    const auto show = [&](const QString& shown) {
        if (translation)
            form1.EntryEdit1->SetText(shown.toStdString());
        else
            form1.Label1->SetCaption(shown);
        // The translation field's frame is no part of its text.
        const QRect inside = translation ? field->geometry().adjusted(2, 1, -2, -1) : field->geometry();
        return inkRows(form1.Client()->grab().toImage(), inside, back);
    };
    const auto [top, bottom] = show(text);
    const auto [bareTop, bareBottom] = show(bare);
    QVERIFY2(top >= 0 && bareTop >= 0, "the field shows no ink");
    QVERIFY2(top < bareTop || bottom > bareBottom,
             qPrintable(QStringLiteral("the marks add no ink: rows %1..%2 with them, %3..%4 without")
                            .arg(top).arg(bottom).arg(bareTop).arg(bareBottom)));
    const int whole = freeInkHeight(text, field->font(), ink, back);
    QVERIFY2(bottom - top + 1 >= whole - 1,
             qPrintable(QStringLiteral("%1 ink rows in the field, %2 when drawn freely").arg(bottom - top + 1).arg(whole)));
}

QTEST_MAIN(FieldScriptsTest)
#include "FieldScriptsTest.moc"
