// The viewer's command line: options and the script to open at start-up.
#include "app/CommandLine.h"

#include "TessalyVersion.h"

// The same name and version as the main window's title and the About box.
const char* const VERSION_TEXT = TESSALY_VERSION_TEXT "\n";
const char* const COMMAND_LINE_USAGE = "usage: tessaly [--help | --version] [SCRIPT.zc]\n";
const char* const COMMAND_LINE_HELP =
    "usage: tessaly [--help | --version] [SCRIPT.zc]\n"
    "\n"
    "Shows the model of a ZentorScript class script (.zc): the one named, or one opened from\n"
    "the File menu, dropped on the window, or chosen from File > Recent Scripts.\n"
    "\n"
    "Mouse in the window:\n"
    "  left drag                  turn the model; its near side follows the pointer\n"
    "  middle drag, Shift + left  move the camera up and down\n"
    "  wheel                      move toward (forward) and away from the model\n"
    "Keys: the arrows, Page Up/Down, Insert/Delete and Home as in Help > Help - Key\n"
    "Definitions; Ctrl+Page Down / Ctrl+Page Up open the next / previous script of the\n"
    "folder; Ctrl+S saves the picture as PNG, Ctrl+C copies it.\n"
    "\n"
    "The recent scripts, the Open dialog's folder and the window's size are kept in\n"
    "$XDG_CONFIG_HOME/tessaly/tessaly.conf (~/.config when XDG_CONFIG_HOME is not set).\n"
    "\n"
    "  --help, -h   print this and exit\n"
    "  --version    print the version and exit\n";

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

