// TGlassButton on screen: pixels of rendered buttons over a known background,
// and the Qt input wiring that raises clicked().
#include "controls/glass/qt/GlassButton.h"
#include "controls/glass/qt/GlassButtonPainter.h"

#include <QEnterEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using namespace kalmo;

Q_DECLARE_METATYPE(std::function<void(TGlassButton*)>)

namespace {

const QColor background(200, 100, 50);
const QPoint buttonPos(10, 10);

void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

} // namespace

class GlassButtonWidgetTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> window_;
    TGlassButton* button_ = nullptr;

    // The button's area of the window as the screen would show it.
    QImage shot() const
    {
        return window_->grab(QRect(buttonPos, button_->size())).toImage().convertToFormat(QImage::Format_RGB32);
    }
    void press(QPoint pos) { sendMouse(button_, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton); }
    void moveHeld(QPoint pos) { sendMouse(button_, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton); }
    void release(QPoint pos) { sendMouse(button_, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton); }

private slots:
    void init()
    {
        window_ = std::make_unique<QWidget>();
        window_->resize(200, 80);
        QPalette palette = window_->palette();
        palette.setColor(QPalette::Window, background);
        window_->setPalette(palette);
        window_->setAutoFillBackground(true);
        button_ = new TGlassButton(window_.get());
        button_->move(buttonPos);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup()
    {
        window_.reset();
        button_ = nullptr;
    }

    void constructionBoundsAndLook()
    {
        QCOMPARE(button_->size(), QSize(100, 32));
        const QImage img = shot();
        // Outer outline white on row 0, inner outline black on row 1, corners cut.
        QCOMPARE(img.pixelColor(50, 0), QColor(Qt::white));
        QCOMPARE(img.pixelColor(99, 15), QColor(Qt::white));
        QCOMPARE(img.pixelColor(50, 1), QColor(Qt::black));
        QCOMPARE(img.pixelColor(98, 15), QColor(Qt::black));
        QCOMPARE(img.pixelColor(0, 0), background);
    }

    void bodyDarkensTheBackgroundByHalf()
    {
        const QColor body = shot().pixelColor(20, 25); // below the sheen, no glow
        // Black at alpha 127 keeps 128/255 of what lies beneath.
        QVERIFY2(qAbs(body.red() - 100) <= 2 && qAbs(body.green() - 50) <= 2 && qAbs(body.blue() - 25) <= 2,
                 qPrintable(body.name()));
    }

    void whiteBodyOnWhiteStaysWhite()
    {
        QPalette palette = window_->palette();
        palette.setColor(QPalette::Window, Qt::white);
        window_->setPalette(palette);
        button_->resize(81, 23);
        button_->model().SetBackColor(clWhite);
        const QImage img = shot();
        QCOMPARE(img.pixelColor(40, 18), QColor(Qt::white));
        QCOMPARE(img.pixelColor(40, 1), QColor(Qt::black));
    }

    void sheenIsBrighterAtItsTop()
    {
        QPalette palette = window_->palette();
        palette.setColor(QPalette::Window, Qt::black);
        window_->setPalette(palette);
        const QImage img = shot();
        const int top = img.pixelColor(20, 3).red();
        const int bottom = img.pixelColor(20, 15).red();
        const int below = img.pixelColor(20, 20).red();
        QVERIFY2(top > bottom + 50, qPrintable(QString("%1 %2").arg(top).arg(bottom)));
        QVERIFY2(bottom > below + 20, qPrintable(QString("%1 %2").arg(bottom).arg(below)));
        QCOMPARE(below, 0);
    }

    void glowShowsWhileHeldEvenOutside()
    {
        const QPoint nearGlowCentre(49, 27);
        const QImage idle = shot();
        const int idleBlue = idle.pixelColor(nearGlowCentre).blue();

        press(QPoint(50, 20));
        QVERIFY(shot().pixelColor(nearGlowCentre).blue() > idleBlue + 80);
        // The glow stays inside the body: the outer outline keeps its colour.
        QCOMPARE(shot().pixelColor(50, 31), QColor(Qt::white));

        moveHeld(QPoint(150, 20));
        QVERIFY(shot().pixelColor(nearGlowCentre).blue() > idleBlue + 80);

        release(QPoint(150, 20));
        QCOMPARE(shot(), idle);
    }

    void hidingWhileHeldLeavesNoStuckGlow()
    {
        const QImage idle = shot();
        press(QPoint(50, 20));
        window_->hide();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QVERIFY(!button_->model().IsPressed());
        QCOMPARE(shot(), idle);
    }

    void lookUnchanged_data()
    {
        QTest::addColumn<std::function<void(TGlassButton*)>>("change");
        QTest::newRow("hover") << std::function<void(TGlassButton*)>([](TGlassButton* b) {
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), b->mapToGlobal(QPointF(5, 5)));
            QCoreApplication::sendEvent(b, &enter);
            QVERIFY(b->model().IsHot());
            QVERIFY(b->hoverTimerActive());
        });
        QTest::newRow("ForeColor") << std::function<void(TGlassButton*)>(
            [](TGlassButton* b) { b->model().SetForeColor(clRed); });
        QTest::newRow("ForceTransparent alone") << std::function<void(TGlassButton*)>(
            [](TGlassButton* b) { b->model().SetForceTransparent(true); });
        QTest::newRow("press released outside") << std::function<void(TGlassButton*)>([](TGlassButton* b) {
            sendMouse(b, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
            sendMouse(b, QEvent::MouseButtonRelease, QPoint(100, 5), Qt::LeftButton, Qt::NoButton);
        });
    }

    void lookUnchanged()
    {
        QFETCH(std::function<void(TGlassButton*)>, change);
        button_->model().SetCaption("CLOSE");
        button_->model().SetFont({"Tahoma", -19, true, false, false, false, clSilver});
        const QImage before = shot();
        change(button_);
        QCOMPARE(shot(), before);
    }

    void disabledCaptionIsGrey()
    {
        QPalette palette = window_->palette();
        palette.setColor(QPalette::Window, Qt::white);
        window_->setPalette(palette);
        GlassButtonModel& m = button_->model();
        m.SetBackColor(clWhite);
        m.SetCaption("CLOSE");
        m.SetFont({"Tahoma", -19, true, false, false, false, clRed});

        // Inside the caption's band, away from the outlines.
        auto countPixels = [](const QImage& img, const std::function<bool(QColor)>& match) {
            int n = 0;
            for (int y = 4; y < 28; ++y)
                for (int x = 4; x < 96; ++x)
                    n += match(img.pixelColor(x, y)) ? 1 : 0;
            return n;
        };
        const auto red = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
        const auto grey = [](QColor c) {
            return qAbs(c.red() - 128) <= 6 && qAbs(c.green() - 128) <= 6 && qAbs(c.blue() - 128) <= 6;
        };

        const QImage enabled = shot();
        QVERIFY(countPixels(enabled, red) > 10);
        QCOMPARE(countPixels(enabled, grey), 0);

        button_->setEnabled(false);
        const QImage disabled = shot();
        QCOMPARE(countPixels(disabled, red), 0);
        QVERIFY(countPixels(disabled, grey) > 10);
        // Glass layers are the same: no glow, same outline.
        QCOMPARE(disabled.pixelColor(50, 1), QColor(Qt::black));
    }

    void clickNeedsReleaseInside_data()
    {
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<int>("clicks");
        QTest::newRow("inside") << QPoint(50, 16) << 1;
        QTest::newRow("last pixel") << QPoint(99, 31) << 1;
        QTest::newRow("x = width") << QPoint(100, 16) << 0;
        QTest::newRow("y = height") << QPoint(50, 32) << 0;
    }

    void clickNeedsReleaseInside()
    {
        QFETCH(QPoint, releaseAt);
        QFETCH(int, clicks);
        QSignalSpy spy(button_, &TGlassButton::clicked);
        QTest::mousePress(button_, Qt::LeftButton, {}, QPoint(50, 16));
        QTest::mouseRelease(button_, Qt::LeftButton, {}, releaseAt);
        QCOMPARE(spy.count(), clicks);
    }

    void rightButtonAndDoubleClick()
    {
        QSignalSpy clicked(button_, &TGlassButton::clicked);
        QSignalSpy doubled(button_, &TGlassButton::doubleClicked);
        QTest::mouseClick(button_, Qt::RightButton, {}, QPoint(50, 16));
        QCOMPARE(clicked.count(), 0);

        QTest::mouseClick(button_, Qt::LeftButton, {}, QPoint(50, 16));
        QTest::mouseDClick(button_, Qt::LeftButton, {}, QPoint(50, 16));
        QTest::mouseRelease(button_, Qt::LeftButton, {}, QPoint(50, 16));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(doubled.count(), 1);
    }

    void keysClickOnlyWithFocus()
    {
        QSignalSpy spy(button_, &TGlassButton::clicked);
        QTest::keyClick(button_, Qt::Key_Return);
        QCOMPARE(spy.count(), 0);

        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        button_->setFocus();
        QVERIFY(button_->hasFocus());
        QVERIFY(button_->model().HasFocus());
        QTest::keyClick(button_, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(spy.count(), 0);
        QTest::keyClick(button_, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QTest::keyClick(button_, Qt::Key_Space);
        QCOMPARE(spy.count(), 2);
    }

    void clickHandlerMayHideTheWindow()
    {
        connect(button_, &TGlassButton::clicked, window_.get(), &QWidget::hide);
        QTest::mouseClick(button_, Qt::LeftButton, {}, QPoint(50, 16));
        QVERIFY(!window_->isVisible());
        QCOMPARE(button_->model().ButtonState(), gsNormal);
        QVERIFY(!button_->model().IsPressed());
    }

    void arcsTurnClockwiseOnScreen()
    {
        const QPainterPath path = toPainterPath(RoundRectPath(0, 0, 20, 10, 4));
        QCOMPARE(path.boundingRect(), QRectF(0, 0, 20, 10));
        QCOMPARE(QPointF(path.elementAt(0)), QPointF(0, 4));
        QVERIFY(!path.contains(QPointF(0.3, 0.3)));
        QVERIFY(!path.contains(QPointF(19.7, 9.7)));
        QVERIFY(path.contains(QPointF(10, 5)));
        QVERIFY(path.contains(QPointF(2, 2)));
    }
};

QTEST_MAIN(GlassButtonWidgetTest)
#include "GlassButtonWidgetTests.moc"
