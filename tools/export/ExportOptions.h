// tessaly-export's command line: the options of one run and their parsing.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "export/ModelExport.h"

// The text --help prints and every usage error ends with.
extern const char* const EXPORT_USAGE;
// What --version prints.
extern const char* const EXPORT_VERSION_TEXT;

// The range --fps accepts.
constexpr int MIN_FPS = 1;
constexpr int MAX_FPS = 60;

// A command line the program cannot run; the message names what is wrong.
struct cExportUsageError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

struct cExportOptions
{
    std::string Script, Output;
    cExportSettings Settings;
    bool bHelp = false, bVersion = false;
};

// Throws cExportUsageError for anything it cannot accept.
cExportOptions ParseExportArgs(int Argc, const char* const* Argv);
