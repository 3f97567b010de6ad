// TBalloonShape on real windows: the owner check, the shape and mask of a
// shaped window, the painted outline at chosen pixels, dragging by the
// window's surface while child controls keep their clicks, and the restore
// when the component ends before its window.
#include "controls/balloon/qt/BalloonShape.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace kalmo;

namespace {

const QColor kBackground(212, 208, 200);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

// A window laid out like the Help window: 680 x 318 with a button near the
// bottom. It paints a small red square of its own, which must show over
// the balloon because the window's own painting comes after it.
class OwnerWindow : public QWidget {
public:
    OwnerWindow()
    {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, kBackground);
        setPalette(palette);
        resize(680, 318);
        button = new QPushButton(QStringLiteral("CLOSE"), this);
        button->setGeometry(296, 280, 81, 23);
        // A label ignores presses, so Qt hands them on to the window.
        label = new QLabel(QStringLiteral("label"), this);
        label->setGeometry(450, 285, 80, 15);
    }

    QPushButton* button = nullptr;
    QLabel* label = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(QRect(100, 100, 4, 4), Qt::red);
    }
};

void setHelpWindowValues(TBalloonShape& shape)
{
    shape.SetReshape(true);
    shape.SetBalloonPosition(bpBottomRight);
    shape.SetBalloonEllips(20);
    shape.SetBalloonIndent(15);
    shape.SetBalloonColor(clWhite);
    shape.SetBorderColor(clBlack);
    shape.SetBorderWidth(1);
    shape.SetDragBalloon(true);
}

} // namespace

class BalloonShapeWidgetTests : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void ownerMustBeATopLevelWindow_data();
    void ownerMustBeATopLevelWindow();
    void reshapeOffLeavesTheWindowAlone();
    void shapedWindowIsFramelessAndCutToTheBalloon();
    void outlineIsPaintedBeforeTheWindowsOwnPainting();
    void colourChangeShowsAtTheNextPaintOnly();
    void pressOnTheSurfaceDragsWhileChildrenKeepTheirClicks_data();
    void pressOnTheSurfaceDragsWhileChildrenKeepTheirClicks();
    void componentEndingFirstRestoresTheWindow();

private:
    std::unique_ptr<OwnerWindow> window_;
    TBalloonShape* shape_ = nullptr;
};

void BalloonShapeWidgetTests::init()
{
    window_ = std::make_unique<OwnerWindow>();
    shape_ = new TBalloonShape(window_.get());
    setHelpWindowValues(*shape_);
}

void BalloonShapeWidgetTests::cleanup()
{
    window_.reset();
    shape_ = nullptr;
}

void BalloonShapeWidgetTests::ownerMustBeATopLevelWindow_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("child widget") << 0;
    QTest::newRow("plain object") << 1;
    QTest::newRow("no owner") << 2;
}

void BalloonShapeWidgetTests::ownerMustBeATopLevelWindow()
{
    QFETCH(int, kind);
    QObject plain;
    QObject* owner = kind == 0 ? static_cast<QObject*>(window_->button) : kind == 1 ? &plain : nullptr;
    const int childrenBefore = static_cast<int>(owner ? owner->children().size() : 0);
    try {
        TBalloonShape shape(owner);
        QFAIL("construction succeeded");
    } catch (const EBalloonShapeError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Control parent must be a form!"));
    }
    if (owner)
        QCOMPARE(owner->children().size(), childrenBefore);
}

void BalloonShapeWidgetTests::reshapeOffLeavesTheWindowAlone()
{
    shape_->SetReshape(false);
    shape_->ApplyBalloonShape();

    QVERIFY(!(window_->windowFlags() & Qt::FramelessWindowHint));
    QCOMPARE(window_->size(), QSize(680, 318));
    QVERIFY(window_->mask().isEmpty());
    const QImage image = window_->grab().toImage();
    QCOMPARE(image.pixelColor(0, 160), kBackground);
    QCOMPARE(image.pixelColor(340, 160), kBackground);
}

void BalloonShapeWidgetTests::shapedWindowIsFramelessAndCutToTheBalloon()
{
    shape_->ApplyBalloonShape();

    QVERIFY(window_->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window_->size(), QSize(696, 334));
    QCOMPARE(window_->button->geometry(), QRect(296, 280, 81, 23));

    // R = 696, B = 334: body (0, 0, 696, 319), pointer (676, 334) (676, 318) (661, 318).
    const QRegion mask = window_->mask();
    QVERIFY(mask.contains(QPoint(348, 160)));
    QVERIFY(mask.contains(QPoint(0, 160)));
    QVERIFY(mask.contains(QPoint(695, 160)));
    QVERIFY(mask.contains(QPoint(348, 318)));
    QVERIFY(!mask.contains(QPoint(0, 0)));      // rounded corner
    QVERIFY(!mask.contains(QPoint(348, 319)));  // below the body, away from the pointer
    QVERIFY(mask.contains(QPoint(675, 332)));   // inside the pointer, near its tip
    QVERIFY(mask.contains(QPoint(665, 319)));
    QVERIFY(!mask.contains(QPoint(677, 332)));  // beside the pointer, towards the corner
    QVERIFY(!mask.contains(QPoint(666, 332)));  // beside the pointer, under its slope
}

void BalloonShapeWidgetTests::outlineIsPaintedBeforeTheWindowsOwnPainting()
{
    shape_->ApplyBalloonShape();
    const QImage image = window_->grab().toImage();

    // Body: RoundRect (0, 0, 695, 318) outlines columns 0 and 694, rows 0 and 317.
    QCOMPARE(image.pixelColor(0, 160), kBlack);
    QCOMPARE(image.pixelColor(1, 160), kWhite);
    QCOMPARE(image.pixelColor(693, 160), kWhite);
    QCOMPARE(image.pixelColor(694, 160), kBlack);
    QCOMPARE(image.pixelColor(695, 160), kBackground);
    QCOMPARE(image.pixelColor(348, 0), kBlack);
    QCOMPARE(image.pixelColor(348, 317), kBlack);
    QCOMPARE(image.pixelColor(348, 318), kBackground);

    // Seam: white over the body's bottom line from x = 662 to 675 inclusive.
    QCOMPARE(image.pixelColor(661, 317), kBlack);
    QCOMPARE(image.pixelColor(662, 317), kWhite);
    QCOMPARE(image.pixelColor(675, 317), kWhite);
    QCOMPARE(image.pixelColor(676, 317), kBlack);

    // Pointer: its upright leg on x = 675 down to the tip row 333, white inside.
    QCOMPARE(image.pixelColor(675, 325), kBlack);
    QCOMPARE(image.pixelColor(675, 333), kBlack);
    QCOMPARE(image.pixelColor(672, 325), kWhite);

    // The window's own painting lands on top of the balloon.
    QCOMPARE(image.pixelColor(101, 101), QColor(Qt::red));
}

void BalloonShapeWidgetTests::colourChangeShowsAtTheNextPaintOnly()
{
    shape_->ApplyBalloonShape();
    const QRegion maskBefore = window_->mask();

    shape_->SetBalloonColor(clYellow);
    shape_->SetBalloonPosition(bpTopLeft);
    shape_->SetBalloonPosition(bpBottomRight);
    shape_->SetBalloonIndent(40);
    shape_->SetBalloonIndent(15);

    QCOMPARE(window_->mask(), maskBefore);
    const QImage image = window_->grab().toImage();
    QCOMPARE(image.pixelColor(348, 160), QColor(255, 255, 0));
    QCOMPARE(image.pixelColor(670, 317), QColor(255, 255, 0));
    QCOMPARE(image.pixelColor(0, 160), kBlack);
}

void BalloonShapeWidgetTests::pressOnTheSurfaceDragsWhileChildrenKeepTheirClicks_data()
{
    QTest::addColumn<bool>("dragBalloon");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<int>("clicks");

    QTest::newRow("surface, dragging on") << true << QPoint(100, 290) << QPoint(30, 20) << true << 0;
    QTest::newRow("surface, dragging off") << false << QPoint(100, 290) << QPoint(30, 20) << false << 0;
    // The pointer stays on the button, so its press, move and release make a click.
    QTest::newRow("button, dragging on") << true << QPoint(336, 291) << QPoint(5, 3) << false << 1;
    QTest::newRow("label, dragging on") << true << QPoint(480, 291) << QPoint(30, 20) << false << 0;
}

void BalloonShapeWidgetTests::pressOnTheSurfaceDragsWhileChildrenKeepTheirClicks()
{
    QFETCH(bool, dragBalloon);
    QFETCH(QPoint, press);
    QFETCH(QPoint, delta);
    QFETCH(bool, moves);
    QFETCH(int, clicks);

    shape_->SetDragBalloon(dragBalloon);
    shape_->ApplyBalloonShape();
    window_->move(200, 150);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QSignalSpy clicked(window_->button, &QPushButton::clicked);
    const QPoint start = window_->pos();

    // Through the native window, so that Qt routes each event to the widget
    // under the pointer as it would for a real mouse.
    QWindow* native = window_->windowHandle();
    QTest::mousePress(native, Qt::LeftButton, {}, press);
    QTest::mouseMove(native, press + delta);
    // The release lands where the pointer now is over the (possibly moved) window.
    QTest::mouseRelease(native, Qt::LeftButton, {}, press + delta - (window_->pos() - start));

    QCOMPARE(window_->pos(), moves ? start + delta : start);
    QCOMPARE(clicked.count(), clicks);
}

void BalloonShapeWidgetTests::componentEndingFirstRestoresTheWindow()
{
    const Qt::WindowFlags flagsBefore = window_->windowFlags();
    shape_->ApplyBalloonShape();
    delete shape_;
    shape_ = nullptr;

    QCOMPARE(window_->windowFlags(), flagsBefore);
    QCOMPARE(window_->size(), QSize(680, 318));
    QVERIFY(window_->mask().isEmpty());
    const QImage image = window_->grab().toImage();
    QCOMPARE(image.pixelColor(0, 160), kBackground);
    QCOMPARE(image.pixelColor(340, 160), kBackground);
}

QTEST_MAIN(BalloonShapeWidgetTests)
#include "BalloonShapeWidgetTests.moc"
