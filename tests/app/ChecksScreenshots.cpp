// Renders the main window with a finding on the status bar and a misspelt
// word underlined, and the Problems list, for the README:
// checks_screenshots <folder>. The German dictionary must be installed.
#include "app/EntryChecks.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/ProblemsWindow.h"
#include "app/SourceViewer.h"
#include "app/SpellingService.h"
#include "controls/edit/qt/EntryEdit.h"
#include "testing/TempFolder.h"
#include "testing/UserFolders.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv)
{
    kalmo::testing_support::useTemporaryUserFolders();
    // The translation is German, as the desktop's language says.
    qputenv("LC_ALL", "de_DE.UTF-8");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: checks_screenshots <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    kalmo::testing_support::TempFolder files;
    const std::string source = files.write("english.php", "<?php\n"
                                                          "// Messages\n"
                                                          "define('_SAVED', 'Your changes have been saved.');\n"
                                                          "define('_DELETE', 'Delete \"%s\"? This cannot be undone.');\n"
                                                          "define('_WELCOME', 'Welcome back, <b>{name}</b>!');\n"
                                                          "?>\n");
    TForm1 main;
    TForm2 viewer;
    connectJobWindows(main, viewer);
    kalmo::ProblemsWindow problems([&main] { return main.Job().Problems(); });
    connectProblemsWindow(main, problems);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 1;
    main.LoadFile(source);
    main.EntryEdit1->SetText("Ihre \xC3\x84nderungen wurden gespeichert.");
    main.Job().Volgende();
    main.EntryEdit1->setFocus();
    main.EntryEdit1->selectAll();
    // Typed as an input method would type it: keys know ASCII only.
    main.EntryEdit1->insert(QString::fromUtf8("\xE2\x80\x9E%s\xE2\x80\x9C l\xC3\xB6schen? Das kann nicht "
                                                        "r\xC3\xBC" "ckg\xC3\xA4ngig gemacht werdne"));
    if (!QTest::qWaitFor([&main] { return !main.EntryEdit1->Underlined().empty(); }, 5000)) {
        std::fprintf(stderr, "checks_screenshots: no word underlined; is hunspell-de-de installed?\n");
        return 1;
    }
    main.EntryEdit1->home(false);
    QTest::qWait(200);
    if (!main.grab().save(folder.filePath(QStringLiteral("checks.png"))))
        return 1;
    main.Job().Volgende();
    problems.show();
    if (!QTest::qWaitForWindowExposed(&problems))
        return 1;
    QTest::qWait(200);
    return problems.grab().save(folder.filePath(QStringLiteral("problems.png"))) ? 0 : 1;
}
