// The viewer's command line: options and the script to open at start-up.
#include "app/CommandLine.h"

#include "TessalyVersion.h"

// The same name and version as the main window's title and the About box.
const char* const VERSION_TEXT = TESSALY_VERSION_TEXT "\n";
const char* const COMMAND_LINE_USAGE = "usage: tessaly [--help | --version] [SCRIPT.zc]\n";

tCommandLine ParseCommandLine(int Argc, const char* const* Argv)
{
    tCommandLine Line;
    bool bOptionsEnded = false;
    for (int I = 1; I < Argc; ++I)
    {
        const std::string Arg = Argv[I];
        const bool bOption = !bOptionsEnded && Arg.size() > 1 && Arg[0] == '-';
        if (bOption && Arg == "--")
            bOptionsEnded = true;
        else if (bOption && (Arg == "--help" || Arg == "-h"))
            return {eStartAction::Help, {}, {}};
        else if (bOption && Arg == "--version")
            return {eStartAction::Version, {}, {}};
        else if (bOption)
            return {eStartAction::BadUsage, {}, "unknown option " + Arg};
        else if (Arg.empty())
            return {eStartAction::BadUsage, {}, "an empty script path"};
        else if (!Line.Script.empty())
            return {eStartAction::BadUsage, {}, "only one script can be opened, not also " + Arg};
        else
            Line.Script = Arg;
    }
    return Line;
}

