// tessaly-export: loads a class script the way the viewer does and writes the model, every
// frame as a morph target and each sequence as an animation, as binary glTF or glTF JSON.
#include <cstdio>
#include <exception>

#include "model/ImportOutput.h"
#include "model/ZentorMesh.h"
#include "tools/export/ExportOptions.h"

namespace
{
// The import's progress lines are not this program's output.
void DropImportLine(const char*) {}

int Run(const cExportOptions& Opt)
{
    if (Opt.bHelp)
    {
        std::fputs(EXPORT_USAGE, stdout);
        return 0;
    }
    if (Opt.bVersion)
    {
        std::fputs(EXPORT_VERSION_TEXT, stdout);
        return 0;
    }
    SetImportOutput(DropImportLine);
    cZentorMesh Model(Opt.Script.c_str(), true);
    ExportModel(Model, Opt.Output, Opt.Settings);
    return 0;
}
}

int main(int Argc, char** Argv)
{
    cExportOptions Opt;
    try
    {
        Opt = ParseExportArgs(Argc, Argv);
    }
    catch (const cExportUsageError& Error)
    {
        std::fprintf(stderr, "tessaly-export: %s; %s", Error.what(), EXPORT_USAGE);
        return 2;
    }
    try
    {
        return Run(Opt);
    }
    catch (const std::exception& Error)
    {
        std::fprintf(stderr, "%s\n", Error.what());
        return 1;
    }
}
