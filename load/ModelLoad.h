// The load step the viewer and tessaly-render share: the model read from its class script,
// then frame 0 prepared by the active renderer (render/Renderer.h); the other frames are left
// waiting for preparation (render/FramePreparation.h). And the release of the model.
#pragma once

#include <string>

enum class eLoadResult
{
    Loaded,  // TheModel is the new model and frame 0 is prepared
    NoMesh,  // TheModel is the new model, but it has no frame 0; the renderer has told the user
    Failed,  // there is no model; the error text says why
};

// Forgets the frames waiting for preparation, frees every renderer's frames and textures and
// the model; TheModel becomes null.
void ReleaseModel();
// Releases the model on screen, then reads Script and builds it for the active renderer. On
// Failed, ErrorText is the text to show: the import's message, or OutOfMemoryText(Script).
eLoadResult LoadModel(const std::string& Script, std::string& ErrorText);
// What the user is told when memory runs out while Script's model is read or its frames are
// prepared.
std::string OutOfMemoryText(const std::string& Script);
