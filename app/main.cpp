// kalmo-translator: the window program.
#include "app/KalmoProgram.h"
#include "job/FileAccess.h"

int main(int argc, char** argv)
{
    kalmo::reportFileSizeLimitAsError();
    return kalmo::KalmoProgram(argc, argv);
}
