// The program block; see KalmoProgram.h.
#include "app/KalmoProgram.h"

#include "app/KalmoApplication.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"

namespace kalmo {

int KalmoProgram(int& argc, char** argv, const ProgramOptions& options)
{
    KalmoApplication application(argc, argv, options.services);
    // Exit, or closing the main window (which is an Exit), ends the loop;
    // the side windows closing must not.
    application.setQuitOnLastWindowClosed(false);

    // The main window first: its creation touches none of the others.
    TForm1 Form1(options.services);
    TForm2 Form2(&Form1);
    TForm3 Form3(&Form1);
    TForm4 Form4;
    Form1.AttachAboutWindow(Form3);
    Form1.AttachHelpWindow(Form4);

    Form1.show();
    // A desktop gives a new window the keyboard; without a window manager
    // nobody would.
    Form1.activateWindow();
    if (options.started)
        options.started(Form1);
    return application.exec();
}

} // namespace kalmo
