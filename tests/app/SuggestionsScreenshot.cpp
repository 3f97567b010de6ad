// Renders the main window with the Suggestions section in its sidebar into a
// PNG for the README: suggestions_screenshot <folder>. The memory holds what
// the README's walk through lang_en.php translates, and a little from
// another module; members_en.php is loaded and its welcome text shown.
#include "app/AppServices.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/SourceViewer.h"
#include "app/SuggestionsSection.h"
#include "job/UserFolders.h"
#include "job/memory/MemoryAssistant.h"
#include "job/memory/MemoryStore.h"
#include "job/memory/UserMemory.h"
#include "testing/TempFolder.h"
#include "testing/UserFolders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: suggestions_screenshot <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const kalmo::testing_support::UserFolders userFolders;
    const kalmo::testing_support::TempFolder files;
    kalmo::makeUserFolder(kalmo::userFolder(kalmo::UserFolder::Data));
    {
        kalmo::MemoryStore store(kalmo::userMemoryPath());
        store.add({
            {"de", "Welcome back, {name}!", "Willkommen zur\xC3\xBC" "ck, {name}!", "_WELCOME_BACK", "lang_en.php", 3, 0},
            {"de", "Welcome, {name}!", "Willkommen, {name}!", "_WELCOME", "mod_forum_en.php", 2, 0},
            {"de", "Welcome back!", "Sch\xC3\xB6n, dass Sie wieder da sind!", "_HELLO_AGAIN", "mod_forum_en.php", 1, 0},
        });
    }
    QFile example(QStringLiteral(KALMO_EXAMPLES_DIR "/members_en.php"));
    if (!example.open(QIODevice::ReadOnly))
        return 1;
    const std::string source = files.write("members_en.php", example.readAll().toStdString());

    kalmo::AppServices services;
    services.chooseSourceFile = [&](QWidget*, const kalmo::FileDialogRequest&) { return std::optional(source); };
    services.askFindText = [](QWidget*, const std::string&, const QStringList&) {
        return std::optional<std::string>("_MEMBERS_WELCOME");
    };
    TForm1 main(services);
    TForm2 viewer;
    connectJobWindows(main, viewer);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 1;
    main.Memory().ChooseLanguage("de");
    main.LoadSourceFile1Click();
    main.Find1Click();
    if (!QTest::qWaitFor([&] { return main.Memory().Suggestions().lookedUp; }))
        return 1;

    // Tall enough for the sidebar to show every section.
    main.resize(main.width(), 520);
    if (!QTest::qWaitFor([&] { return main.Suggestions1->isVisible(); }))
        return 1;
    QTest::qWait(100);
    const bool saved = main.grab().save(folder.filePath(QStringLiteral("suggestions.png")));
    return saved ? 0 : 1;
}
