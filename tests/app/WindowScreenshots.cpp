// Renders the main window and the source viewer into PNG files for the
// README: window_screenshots <folder>. A small language file is loaded
// through the file dialog's stand-in and the second entry is shown.
#include "app/AppServices.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "controls/edit/EntryEdit.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_screenshots <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    kalmo::testing_support::TempFolder files;
    const std::string source = files.write("english.php",
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
                                           "?>\n");

    kalmo::AppServices services;
    services.chooseSourceFile = [&](QWidget*, const kalmo::FileDialogRequest&) { return std::optional(source); };
    TForm1 main(services);
    TForm2 viewer(&main);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 1;
    main.LoadSourceFile1Click();
    main.EntryEdit1->SetText("Welkom op onze website");
    main.Job().Volgende();
    main.EntryEdit1->SetText("Lees meer...");
    main.SourceWindows1Click();
    if (!QTest::qWaitForWindowExposed(&viewer))
        return 1;
    main.activateWindow();
    QTest::qWait(100);

    const bool ok = main.grab().save(folder.filePath(QStringLiteral("main-window.png")))
        && viewer.grab().save(folder.filePath(QStringLiteral("source-viewer.png")));
    return ok ? 0 : 1;
}
