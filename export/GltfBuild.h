// The glTF document of one loaded model: its mesh with a morph target per frame, materials and
// embedded textures, and one animation per exported sequence.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <tiny_gltf.h>

class cZentorMesh;
struct cExportSettings;

struct cGltfDocument
{
    tinygltf::Model Doc;
    // Textures to write beside a .gltf file: the URI the document names and the PNG bytes.
    std::vector<std::pair<std::string, std::vector<unsigned char>>> ImageFiles;
};

// ImageStem empty embeds the textures in the buffer; otherwise they become ImageStem_N.png
// files. Throws std::runtime_error for a sequence name the model does not have.
cGltfDocument BuildGltf(cZentorMesh& Model, const cExportSettings& Settings,
                        const std::string& ImageStem);
