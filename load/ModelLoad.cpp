// The load step: model construction and the active renderer's build, with every failure turned
// into the text the user sees and no half-built model left behind; and the release of a model.
#include "load/ModelLoad.h"

#include <new>

#include "model/LoadError.h"
#include "model/ZentorMesh.h"
#include "render/FramePreparation.h"
#include "render/Renderer.h"

void ReleaseModel()
{
    StopFramePreparation();
    ReleaseFramesOfEveryRenderer();
    delete TheModel;
    TheModel = nullptr;
}

std::string OutOfMemoryText(const std::string& Script)
{
    return "Not enough memory to load " + Script + ".";
}

eLoadResult LoadModel(const std::string& Script, std::string& ErrorText)
{
    ReleaseModel();
    bool bOutOfMemory = false;
    try
    {
        cRenderer& Renderer = ActiveRenderer();
        TheModel = new cZentorMesh(Script.c_str(), Renderer.FlipsTextureRows());
        const int Status = Renderer.BuildModel(Script.c_str());
        return Status == 0 ? eLoadResult::Loaded : eLoadResult::NoMesh;
    }
    catch (const cLoadError& Error)
    {
        ErrorText = Error.what();
    }
    catch (const std::bad_alloc&)
    {
        bOutOfMemory = true;
    }
    // Whatever was built before the failure goes with the model, before the text is made: a
    // full heap then has room for it.
    ReleaseModel();
    if (bOutOfMemory)
        ErrorText = OutOfMemoryText(Script);
    return eLoadResult::Failed;
}
