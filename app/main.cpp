// kalmo-translator: the window program.
#include "app/KalmoProgram.h"

int main(int argc, char** argv)
{
    return kalmo::KalmoProgram(argc, argv);
}
