// ExportModel: builds the glTF document of a loaded model and writes it in place.
#include "export/ModelExport.h"

#include "export/GltfBuild.h"
#include "export/GltfWrite.h"

bool IsExportPath(const std::string& Path)
{
    auto EndsWith = [&Path](const std::string& Tail) {
        return Path.size() >= Tail.size() &&
               Path.compare(Path.size() - Tail.size(), Tail.size(), Tail) == 0;
    };
    return EndsWith(".glb") || EndsWith(".gltf");
}

void ExportModel(cZentorMesh& Model, const std::string& Path, const cExportSettings& Settings)
{
    cGltfDocument Doc = BuildGltf(Model, Settings, ImageStemFor(Path));
    WriteGltfOutput(Doc, Path);
}
