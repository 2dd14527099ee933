// tessaly-export's command line: parsing and checking the options of one run.
#include "tools/export/ExportOptions.h"

#include <cstdlib>

#include "TessalyVersion.h"

const char* const EXPORT_VERSION_TEXT = "tessaly-export (Tessaly v" TESSALY_VERSION ")\n";

const char* const EXPORT_USAGE =
    "usage: tessaly-export SCRIPT.zc -o OUT.glb|OUT.gltf [--sequence NAME]... [--fps 1-60] "
    "[--unlit] | --help | --version\n";

namespace
{
int ParseFps(const std::string& Text)
{
    char* pEnd = nullptr;
    const long Value = std::strtol(Text.c_str(), &pEnd, 10);
    if (Text.empty() || *pEnd || Value < MIN_FPS || Value > MAX_FPS)
        throw cExportUsageError("--fps needs a whole number from 1 to 60, not '" + Text + "'");
    return static_cast<int>(Value);
}
}

cExportOptions ParseExportArgs(int Argc, const char* const* Argv)
{
    cExportOptions Opt;
    for (int i = 1; i < Argc; ++i)
    {
        const std::string Arg = Argv[i];
        auto Value = [&]() -> std::string {
            if (i + 1 >= Argc)
                throw cExportUsageError(Arg + " needs a value");
            return Argv[++i];
        };
        if (Arg == "--help" || Arg == "-h")
            Opt.bHelp = true;
        else if (Arg == "--version")
            Opt.bVersion = true;
        else if (Arg == "-o")
            Opt.Output = Value();
        else if (Arg == "--sequence")
            Opt.Settings.Sequences.push_back(Value());
        else if (Arg == "--fps")
            Opt.Settings.Fps = ParseFps(Value());
        else if (Arg == "--unlit")
            Opt.Settings.bUnlit = true;
        else if (!Arg.empty() && Arg[0] == '-')
            throw cExportUsageError("unknown option " + Arg);
        else if (!Opt.Script.empty())
            throw cExportUsageError("one script only");
        else
            Opt.Script = Arg;
    }
    if (Opt.bHelp || Opt.bVersion)
        return Opt;
    if (Opt.Script.empty())
        throw cExportUsageError("no script given");
    if (Opt.Output.empty())
        throw cExportUsageError("no output given (-o OUT.glb)");
    if (!IsExportPath(Opt.Output))
        throw cExportUsageError("the output must end in .glb or .gltf");
    return Opt;
}
