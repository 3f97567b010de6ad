// TForm3, the About window: layout, version line and CLOSE.
#include "app/AboutWindow.h"

#include "app/CloseButton.h"
#include "app/FormControls.h"
#include "app/FormLayout.h"
#include "app/Pictures.h"
#include "app/VersionRecord.h"
#include "controls/glass/qt/GlassButton.h"
#include "app/layouts/AboutLayout.h"

#include <QFile>
#include <QFont>
#include <QShowEvent>


using namespace kalmo;
namespace about = kalmo::layout::about;

namespace {

QFont pixelFont(const char* family, int pixels, bool bold = false)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TForm3::TForm3(QWidget* mainWindow)
    // No close button: minimise and maximise only.
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint
                           | Qt::WindowMaximizeButtonHint | Qt::WindowStaysOnTopHint)
    , mainWindow_(mainWindow)
{
    applyLayout();
    FormCreate();
}

void TForm3::applyLayout()
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QString::fromLatin1(about::caption));
    setFixedSize(about::clientWidth, about::clientHeight);
    setFont(pixelFont(about::fontName, about::fontPixels));

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));

    Label1 = new TLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(pixelFont(about::fontName, about::Label1FontPixels, true));
    Label1->SetCaption(QString::fromLatin1(about::Label1Caption));

    Label2 = new TLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(pixelFont(about::fontName, about::Label2FontPixels));

    Image2 = new TImage(this);
    Image2->setObjectName(QStringLiteral("Image2"));

    // CLOSE holds the focus whenever the window opens (see showEvent).
    GlassButton1 = addCloseButton(*this, about::closeButton, [this] { GlassButton1Click(); });

    kalmo::applyLayout(*this, about::controls);

    centreOnScreen(*this);
}

void TForm3::FormCreate()
{
    registerPictures();
    Image1->LoadPicture(QStringLiteral(":/kalmo"));
    Image2->LoadPicture(QStringLiteral(":/LOGO"));
    // Computed once: showing the window again shows this same line.
    Label2->SetCaption(QString::fromLatin1(about::versionPrefix)
                       + GetFmtFileVersion(QString(), QString::fromLatin1(about::versionFormat)));
}

QString TForm3::GetFmtFileVersion(const QString& fileName, const QString& format)
{
    const std::string path = fileName.isEmpty() ? ownExecutablePath() : QFile::encodeName(fileName).toStdString();
    if (path.empty())
        return QString();
    const std::optional<FileVersion> version = readFileVersion(path);
    if (!version)
        return QString();
    return QString::fromStdString(formatFileVersion(format.toStdString(), *version));
}

void TForm3::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    GlassButton1->setFocus(Qt::OtherFocusReason);
}

void TForm3::GlassButton1Click()
{
    hide();
    // Activating the main window hands the focus back to its own focused control.
    if (mainWindow_)
        mainWindow_->activateWindow();
}
