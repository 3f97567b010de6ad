// Renders the About and Help windows into PNG files for the README:
// about_help_screenshots <folder>. The Help window is cut to its balloon, the
// parts outside it left transparent as on the desktop.
#include "app/MainWindow.h"
#include "app/AboutWindow.h"
#include "app/HelpWindow.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <cstdio>

namespace {

QImage cutToMask(const QWidget& window)
{
    QImage shot = const_cast<QWidget&>(window).grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (window.mask().isEmpty())
        return shot;
    QImage cut(shot.size(), QImage::Format_ARGB32);
    cut.fill(Qt::transparent);
    QPainter painter(&cut);
    painter.setClipRegion(window.mask());
    painter.drawImage(0, 0, shot);
    return cut;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: about_help_screenshots <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    TForm1 main;
    TForm3 about(&main);
    TForm4 help;
    about.show();
    help.show();
    if (!QTest::qWaitForWindowExposed(&about) || !QTest::qWaitForWindowExposed(&help))
        return 1;
    const bool ok = cutToMask(about).save(folder.filePath(QStringLiteral("about-window.png")))
        && cutToMask(help).save(folder.filePath(QStringLiteral("help-window.png")));
    return ok ? 0 : 1;
}
