// The program's entry point: the window system of the linked back end runs the shell. The
// program takes no arguments; they go to the windowing toolkit only.
#include <cstdio>

#include "app/Shell.h"

int main(int argc, char** argv)
{
    std::unique_ptr<cWindowSystem> System = CreateWindowSystem(argc, argv);
    if (!System)
    {
        std::fprintf(stderr, "Tessaly: the windowing system could not be started.\n");
        return 1;
    }
    return TessalyMain(*System);
}
