// The program block: initialise the application, set its title, create the
// windows in their order, show the main window and run the event loop.
// kalmo-translator's main() and the end-to-end test both run it.
#pragma once

#include "app/AppServices.h"

#include <functional>

class TForm1;

namespace kalmo {

struct ProgramOptions {
    AppServices services = AppServices::platform();
    // Called once the windows exist and the main window is shown, before the
    // event loop starts.
    std::function<void(TForm1& mainWindow)> started;
};

int KalmoProgram(int& argc, char** argv, const ProgramOptions& options = {});

} // namespace kalmo
