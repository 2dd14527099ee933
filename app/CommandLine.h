// The viewer's command line: what one start of the program is asked to do.
#pragma once

#include <string>

enum class eStartAction
{
    Run,       // start the viewer, opening Script when one is named
    Help,      // print the usage and exit 0
    Version,   // print the version and exit 0
    BadUsage,  // print Error and the usage line on stderr and exit 2
};

struct tCommandLine
{
    eStartAction Action = eStartAction::Run;
    std::string Script;
    std::string Error;
};

// The one-line usage that --help prints and every usage error ends with.
extern const char* const COMMAND_LINE_USAGE;
// What --help prints: the usage line, the mouse and the keys beyond the key table, and where
// the settings are kept.
extern const char* const COMMAND_LINE_HELP;
// What --version prints.
extern const char* const VERSION_TEXT;

// Reads the program's arguments (Argv[0] is the program). Options are --help, --version and
// "--", after which every argument is a script; one script at most.
tCommandLine ParseCommandLine(int Argc, const char* const* Argv);
