// Writes whole models: the class script, mesh files and textures for generic meshes and
// for the bundled sample figure.
#include "tools/zgen/ZentorGen.h"

#include <stdexcept>

cGenResult WriteModel(const std::string& RootDir, const cGenParams& Params)
{
    throw std::runtime_error("model writing is not built yet");
}

cGenResult WriteSample(const std::string& RootDir)
{
    throw std::runtime_error("sample writing is not built yet");
}
