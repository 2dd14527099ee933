// The program's entry point: reads the command line, then the window system of the linked
// back end runs the shell. --help and --version are answered before the toolkit starts, so
// they work without a display.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/Shell.h"

int main(int argc, char** argv)
{
    const tCommandLine Line = ParseCommandLine(argc, argv);
    switch (Line.Action)
    {
    case eStartAction::Help:
        std::fputs(COMMAND_LINE_HELP, stdout);
        return 0;
    case eStartAction::Version:
        std::fputs(VERSION_TEXT, stdout);
        return 0;
    case eStartAction::BadUsage:
        std::fprintf(stderr, "tessaly: %s\n%s", Line.Error.c_str(), COMMAND_LINE_USAGE);
        return 2;
    case eStartAction::Run:
        break;
    }

    // The toolkit sees the program's name only: the arguments have been read above.
    int ToolkitArgc = 1;
    std::unique_ptr<cWindowSystem> System = CreateWindowSystem(ToolkitArgc, argv);
    if (!System)
    {
        std::fprintf(stderr, "Tessaly: the windowing system could not be started.\n");
        return 1;
    }
    return TessalyMain(*System, Line.Script.empty() ? nullptr : Line.Script.c_str());
}
