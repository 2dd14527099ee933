// The load step: model construction and the active renderer's build, with every failure turned
// into the text the user sees and no half-built model left behind.
#include "load/ModelLoad.h"

#include <new>

#include "model/LoadError.h"
#include "model/ZentorMesh.h"
#include "render/GLDraw.h"
#include "render/GLModel.h"
#include "render/ViewState.h"
#include "render_d3d/D3DModel.h"

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
        TheModel = new cZentorMesh(Script.c_str(), RenderMode == 1);
        const int Status =
            RenderMode == 1 ? GLBuildModel(Script.c_str()) : D3DBuildModel(Script.c_str());
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
