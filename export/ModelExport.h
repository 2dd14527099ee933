// Writing a loaded model as glTF, the one entry point tessaly-export and the viewer's
// File > Export glTF... share: the same model and settings give the same file content.
#pragma once

#include <string>
#include <vector>

class cZentorMesh;

// The rate animations step at unless told otherwise: the viewer's start-up frame rate.
constexpr int EXPORT_DEFAULT_FPS = 20;

struct cExportSettings
{
    std::vector<std::string> Sequences;     // empty: every sequence of the model
    int Fps = EXPORT_DEFAULT_FPS;           // frames per second of the animations
    bool bUnlit = false;                    // materials marked KHR_materials_unlit
    const char* pszProgram = "tessaly-export";   // named in the file's generator text
};

// True when Path names a file the export can write: it ends in .glb or .gltf.
bool IsExportPath(const std::string& Path);
// Writes Model to Path: binary glTF for .glb, JSON with its buffer and PNG textures beside it
// for .gltf. Throws std::runtime_error with the text to show (std::bad_alloc when memory runs
// out); nothing is left at the output paths then.
void ExportModel(cZentorMesh& Model, const std::string& Path, const cExportSettings& Settings);
