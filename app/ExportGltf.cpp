// File > Export glTF...: the model on screen written through the exporter that
// tessaly-export uses, so the same script and frame rate give the same file.
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "export/ModelExport.h"
#include "model/ZentorMesh.h"
#include "render/ViewState.h"

namespace
{
const std::vector<tFileType> EXPORT_TYPES = {{"Binary glTF (*.glb)", "*.glb"},
                                             {"glTF with separate files (*.gltf)", "*.gltf"}};

void ShowError(const std::string& Text)
{
    Shell.WindowSystem->MessageBox(Shell.MainWindow, Text.c_str(), "Error", MB_ICONEXCLAMATION);
}
}  // namespace

void ExportGltf()
{
    if (!TheModel)
    {
        Shell.WindowSystem->MessageBox(Shell.MainWindow,
                                       "There is no model to export: open a script first.",
                                       "Info", MB_ICONINFORMATION);
        return;
    }
    std::string Path;
    int Type = 0;
    // A name typed without either ending gets the chosen type's (binary unless changed).
    if (!Shell.WindowSystem->GetSaveFileName(Shell.MainWindow, EXPORT_TYPES,
                                             "Export the model as glTF", "",
                                             SuggestedOutputName(".glb").c_str(), Path,
                                             Type))
        return;
    cExportSettings Settings;
    Settings.Fps = View.FrameRate;
    Settings.pszProgram = "tessaly";
    try
    {
        ExportModel(*TheModel, Path, Settings);
    }
    catch (const std::bad_alloc&)
    {
        ShowError("Not enough memory to export " + Path + ".");
    }
    catch (const std::exception& Error)
    {
        ShowError(Error.what());
    }
}
