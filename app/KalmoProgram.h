// The program block: initialise the application, set its title, create the
// job and the windows in their order and connect them, show the main window
// and run the event loop. kalmo-translator's main() and the end-to-end test
// both run it; the window tests connect their windows the same way.
#pragma once

#include "app/AppServices.h"

#include <functional>

class TForm1;
class TForm2;

namespace kalmo {

class ProblemsWindow;

struct ProgramOptions {
    AppServices services = AppServices::platform();
    // Called once the windows exist and the main window is shown, before the
    // event loop starts.
    std::function<void(TForm1& mainWindow)> started;
};

int KalmoProgram(int& argc, char** argv, const ProgramOptions& options = {});

// Makes the translation job, which speaks to the user through the main window
// and drives the viewer's panes, and connects the two windows: the viewer's
// keys and line moves go to the job (errors reported by the main window), its
// close box unticks View > SourceWindows, and the job's wish to show the
// viewer reaches it.
void connectJobWindows(TForm1& mainWindow, TForm2& viewer);

// View > Problems: the window lists the job's findings, follows their
// changes, and a row chosen in it shows its entry in the main window.
void connectProblemsWindow(TForm1& mainWindow, ProblemsWindow& problems);

// Keeps the places of the main window and the viewer, and the size of the
// viewer's text, in the main window's settings; the viewer first opens
// beside the main window.
void keepWindowPlaces(TForm1& mainWindow, TForm2& viewer);

} // namespace kalmo
