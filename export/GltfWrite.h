// Writes a glTF document to disk: binary glTF for .glb, JSON with its buffer and textures
// beside it for .gltf. Nothing is left at the output paths unless the whole write succeeds.
#pragma once

#include <string>

#include "export/GltfBuild.h"

// The texture file stem BuildGltf needs for Path: empty for .glb (textures go in the buffer).
std::string ImageStemFor(const std::string& Path);
// Throws std::runtime_error naming the path that could not be written.
void WriteGltfOutput(cGltfDocument& Doc, const std::string& Path);
