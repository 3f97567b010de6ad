// Renders the main window and the source viewer into PNG files for the
// README: window_screenshots <folder>. A small language file is loaded
// through the file dialog's stand-in and the second entry is shown, the
// main window at its stored size without the sidebar; then the source
// viewer once more with a Chinese, a Thai and an Arabic file, and the main
// window enlarged with its sidebar and a long value. The program keeps its
// settings in a folder of its own.
#include "app/KalmoProgram.h"
#include "app/AppServices.h"
#include "app/MainWindow.h"
#include "app/Sidebar.h"
#include "app/SourceViewer.h"
#include "controls/edit/qt/EntryEdit.h"
#include "testing/TempFolder.h"
#include "testing/UserFolders.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>

#include <cstdio>

namespace {

// How the main window is shown: its size (empty: as it opens) and whether
// the sidebar stands beside it.
struct MainWindowShape {
    QSize size;
    bool sidebar = false;
};

// Loads `content` into a fresh main window, translates the first entry,
// shows the second with `typed` in the field and opens the source viewer.
// The windows are saved under the given names; empty names are skipped.
bool shoot(const QDir& folder, const std::string& name, const std::string& content, const std::string& translation,
           const std::string& typed, const QString& mainFile, const QString& viewerFile,
           const MainWindowShape& shape = {})
{
    kalmo::testing_support::TempFolder files;
    const std::string source = files.write(name, content);
    kalmo::AppServices services;
    services.chooseSourceFile = [&](QWidget*, const kalmo::FileDialogRequest&) { return std::optional(source); };
    TForm1 main(services);
    TForm2 viewer;
    connectJobWindows(main, viewer);
    if (main.SidebarShown() != shape.sidebar)
        main.Sidebar1Click();
    if (shape.size.isValid())
        main.resize(shape.size);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return false;
    main.LoadSourceFile1Click();
    main.EntryEdit1->SetText(translation);
    main.Job().Volgende();
    main.EntryEdit1->SetText(typed);
    if (!viewerFile.isEmpty()) {
        main.SourceWindows1Click();
        if (!QTest::qWaitForWindowExposed(&viewer))
            return false;
    }
    main.activateWindow();
    QTest::qWait(100);
    return (mainFile.isEmpty() || main.grab().save(folder.filePath(mainFile)))
        && (viewerFile.isEmpty() || viewer.grab().save(folder.filePath(viewerFile)));
}

} // namespace

int main(int argc, char** argv)
{
    kalmo::testing_support::useTemporaryUserFolders();
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_screenshots <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool english = shoot(folder, "english.php",
                               "<?php\n"
                               "// KALMO CMS - English language file\n"
                               "if (!defined('_KALMO_VALID')) { die('Direct access not allowed'); }\n"
                               "\n"
                               "// Front page\n"
                               "define('_WELCOME', 'Welcome to our website');\n"
                               "define('_READ_MORE', 'Read more...');\n"
                               "define('_R_AND_D', 'Research &amp; Development');\n"
                               "define('_LAST_UPDATE', 'Last updated on %s');\n"
                               "\n"
                               "// Login\n"
                               "define('_USERNAME', 'Username');\n"
                               "define('_PASSWORD', 'Password');\n"
                               "define('_LOGIN', 'Log in');\n"
                               "?>\n",
                               "Welkom op onze website", "Lees meer...",
                               QStringLiteral("main-window.png"), QStringLiteral("source-viewer.png"));
    // Wide characters take two cells each, so the columns after them still line up.
    const bool chinese = shoot(folder, "chinese.php",
                               "<?php\n"
                               "// KALMO CMS - \u7b80\u4f53\u4e2d\u6587\u8bed\u8a00\u6587\u4ef6\n"
                               "if (!defined('_KALMO_VALID')) { die('\u4e0d\u5141\u8bb8\u76f4\u63a5\u8bbf\u95ee'); }\n"
                               "\n"
                               "// \u9996\u9875\n"
                               "define('_WELCOME', '\u6b22\u8fce\u8bbf\u95ee\u6211\u4eec\u7684\u7f51\u7ad9');\n"
                               "define('_READ_MORE', '\u9605\u8bfb\u66f4\u591a...');\n"
                               "define('_SHOW', '\u663e\u793a');\n"
                               "define('_LAST_UPDATE', '\u6700\u540e\u66f4\u65b0\u4e8e %s');\n"
                               "\n"
                               "// \u767b\u5f55\n"
                               "define('_USERNAME', '\u7528\u6237\u540d');\n"
                               "define('_PASSWORD', '\u5bc6\u7801');\n"
                               "define('_LOGIN', '\u767b\u5f55');\n"
                               "?>\n",
                               "Welcome to our website", "Read more...", QString(),
                               QStringLiteral("source-viewer-chinese.png"));
    // Thai marks stacked on their consonants, inside the row.
    const bool thai = shoot(folder, "thai.php",
                            "<?php\n"
                            "// KALMO CMS - \u0e44\u0e1f\u0e25\u0e4c\u0e20\u0e32\u0e29\u0e32\u0e44\u0e17\u0e22\n"
                            "if (!defined('_KALMO_VALID')) { die('\u0e44\u0e21\u0e48\u0e2d\u0e19\u0e38\u0e0d\u0e32\u0e15'); }\n"
                            "\n"
                            "define('_WELCOME', '\u0e22\u0e34\u0e19\u0e14\u0e35\u0e15\u0e49\u0e2d\u0e19\u0e23\u0e31\u0e1a\u0e2a\u0e39\u0e48\u0e40\u0e27\u0e47\u0e1a\u0e44\u0e0b\u0e15\u0e4c\u0e02\u0e2d\u0e07\u0e40\u0e23\u0e32');\n"
                            "define('_READ_MORE', '\u0e2d\u0e48\u0e32\u0e19\u0e40\u0e1e\u0e34\u0e48\u0e21\u0e40\u0e15\u0e34\u0e21...');\n"
                            "define('_THIS', '\u0e19\u0e35\u0e49 \u0e01\u0e34\u0e48\u0e07 \u0e19\u0e49\u0e33');\n"
                            "define('_LAST_UPDATE', '\u0e2d\u0e31\u0e1b\u0e40\u0e14\u0e15\u0e25\u0e48\u0e32\u0e2a\u0e38\u0e14 %s');\n"
                            "?>\n",
                            "Welcome to our website", "Read more...", QString(), QStringLiteral("source-viewer-thai.png"));
    // Each Arabic run joined and right to left; %s keeps its place between the words.
    const bool arabic = shoot(folder, "arabic.php",
                              "<?php\n"
                              "// KALMO CMS - \u0645\u0644\u0641 \u0627\u0644\u0644\u063a\u0629 \u0627\u0644\u0639\u0631\u0628\u064a\u0629\n"
                              "if (!defined('_KALMO_VALID')) { die('\u0627\u0644\u0648\u0635\u0648\u0644 \u063a\u064a\u0631 \u0645\u0633\u0645\u0648\u062d'); }\n"
                              "\n"
                              "define('_WELCOME', '\u0645\u0631\u062d\u0628\u0627 \u0628\u0643 \u0641\u064a \u0645\u0648\u0642\u0639\u0646\u0627');\n"
                              "define('_READ_MORE', '\u0627\u0642\u0631\u0623 \u0627\u0644\u0645\u0632\u064a\u062f...');\n"
                              "define('_HELLO', '\u0645\u0631\u062d\u0628\u0627 %s \u0628\u0643');\n"
                              "define('_LAST_UPDATE', '\u0622\u062e\u0631 \u062a\u062d\u062f\u064a\u062b 12 (%s)');\n"
                              "?>\n",
                              "Welcome to our website", "Read more...", QString(), QStringLiteral("source-viewer-arabic.png"));
    // A value of a few hundred characters, read and edited whole.
    const bool enlarged = shoot(folder, "help.php",
                                "<?php\n"
                                "define('_HELP_TITLE', 'Help');\n"
                                "define('_HELP_PRIVACY', 'We keep the data you give us only as long as we need it to "
                                "run your account: your name, your e-mail address and the pages you wrote. We never "
                                "sell it, and we pass it on only where the law makes us. You can ask for a copy of "
                                "everything we hold about you, or for it to be removed, at any time from your "
                                "profile page or by writing to the address at the bottom of this page.');\n"
                                "?>\n",
                                "Hulp",
                                "We bewaren de gegevens die u ons geeft alleen zo lang als we ze nodig hebben om uw "
                                "account te laten werken: uw naam, uw e-mailadres en de pagina's die u schreef. We "
                                "verkopen ze nooit en geven ze alleen door waar de wet ons daartoe verplicht. U kunt "
                                "op elk moment een kopie vragen van alles wat we over u bewaren, of vragen het te "
                                "verwijderen, via uw profielpagina of door te schrijven naar het adres onderaan deze "
                                "pagina.",
                                QStringLiteral("main-window-enlarged.png"), QString(), {QSize(900, 640), true});
    return english && chinese && thai && arabic && enlarged ? 0 : 1;
}
