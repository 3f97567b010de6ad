// kalmo: the command-line companion of KALMO Translator.
#include "app/VersionRecord.h"
#include "cli/ScriptSession.h"
#include "job/FileAccess.h"

#include <iostream>
#include <string>

namespace {

const char* const kUsage = R"(Usage: kalmo script
       kalmo --version

  script   Reads commands from standard input, one per line, drives one
           translation job exactly as the window program does, and prints
           the state after each command:
             load PATH      File > Load Source File, the dialog answering PATH
             load-as SET PATH
                            load PATH read in the character set SET (as iconv
                            names it, e.g. windows-1251 or ISO-8859-2), which
                            stays PATH's set; prints "encoding: " and the set
             reload-as SET  File > Reload with Encoding, choosing SET
             encoding       print the loaded file's character set
             load-cancel    File > Load Source File, the dialog cancelled
             type TEXT      the translation field's text becomes TEXT
             key NAME       Enter, Up, Down, F1 or F2 on the main window
             exit           File > Exit: writes "Translated_" + file name
             pane-key NAME [Shift] [Ctrl] [Alt]
                            one key press in the viewer's lower pane: Left Right
                            Up Down Home End PageUp PageDown Backspace Delete
                            Insert Tab Escape Enter F2, or a letter or digit
             pane-type TEXT one character per character of TEXT in the lower pane
             clipboard TEXT the clipboard's text becomes TEXT (\n \r \t \\ escapes)
             panes          print both panes' caret, scroll and selection state,
                            the lower pane's lines (| ) and the working lines (|| )
)";

int runScript()
{
    kalmo::ScriptSession session(std::cout);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!session.run(line))
            return 0;
        std::cout.flush();
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    kalmo::reportFileSizeLimitAsError();
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "script" && argc == 2)
        return runScript();
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "kalmo " << kalmo::ownVersionText() << '\n';
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}
