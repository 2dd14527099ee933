// tessaly-render: loads a class script the way the viewer does, with OpenGL or the Direct3D
// renderer active, and writes the picture of one frame, or of every frame of a sequence, as
// PNG; or prints a model summary. This file holds the program's entry and the OpenGL path.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include <unistd.h>

#include "model/ZentorMesh.h"
#include "platform/offscreen/OffscreenGL.h"
#include "render/GLDraw.h"
#include "render/GLModel.h"
#include "render/GLScene.h"
#include "render/RenderHooks.h"
#include "render/ViewState.h"
#include "tools/render/ImportOutput.h"
#include "tools/render/ModelInfo.h"
#include "tools/render/Pictures.h"
#include "tools/render/RenderD3D.h"
#include "tools/render/RenderOptions.h"

namespace
{
bool MessageShown = false;

// Releases the model before the context goes, on every exit from the drawing path.
struct cModelReleaser
{
    ~cModelReleaser() { ReleaseModel(); }
};

// The renderer's message box, on stderr.
void PrintMessage(const char* pszText, const char* pszCaption)
{
    std::fprintf(stderr, "%s: %s\n", pszCaption, pszText);
    MessageShown = true;
}

int PrintInfo(const cOptions& Opt)
{
    std::unique_ptr<cZentorMesh> pModel;
    {
        const cImportOutput Lines(Opt.bVerbose ? eImportLines::ToStderr : eImportLines::Discard);
        pModel = std::make_unique<cZentorMesh>(Opt.Script.c_str(), true);
    }
    std::fputs(ModelInfoJson(*pModel, Opt.Script).c_str(), stdout);
    return 0;
}

int RenderWithOpenGL(const cOptions& Opt)
{
    // Window creation, then the first size message.
    cOffscreenGL GL(Opt.Width, Opt.Height);
    GLInitState();
    GLInitTexturing();
    ResizeView(Opt.Width, Opt.Height);
    cModelReleaser Releaser;

    // The load flow with OpenGL active.
    ReleaseModel();
    {
        const cImportOutput Lines(Opt.bVerbose ? eImportLines::ToStdout : eImportLines::Discard);
        TheModel = new cZentorMesh(Opt.Script.c_str(), true);
        GLBuildModel(Opt.Script.c_str());
    }
    if (MessageShown)
        return 1;
    CurrentFrame = SequenceStart = 0;
    SequenceLength = 1;
    ResizeView(ClientWidth, ClientHeight);

    ApplyViewOptions(Opt);
    if (!Opt.bTextures)
    {
        TexturesOn = 0;
        GLSetTexturesOn(false);
    }
    if (Opt.bBackground)
        GLSetBackgroundColor((Opt.Background >> 16) & 0xFF, (Opt.Background >> 8) & 0xFF,
                             Opt.Background & 0xFF);

    return WritePictures(Opt, [&GL]() {
        GLDrawFrame();
        GL.SwapBuffers();
        return cRGBPicture{GL.GetWidth(), GL.GetHeight(), GL.ReadRGB()};
    });
}

int Run(const cOptions& Opt)
{
    if (Opt.bHelp)
    {
        std::fputs(USAGE, stdout);
        return 0;
    }
    if (Opt.bVersion)
    {
        std::fputs(RENDER_VERSION_TEXT, stdout);
        return 0;
    }
    ShowRendererMessage = PrintMessage;
    if (Opt.bInfo)
        return PrintInfo(Opt);
    if (Opt.Renderer == eRenderer::Direct3D)
        return RenderWithDirect3D(Opt);
    return RenderWithOpenGL(Opt);
}

// Compiling display lists makes the GL library allocate and free one small block per vertex,
// thousands in a row; a deep per-thread cache of freed blocks keeps that off the allocator's
// slow paths (about a tenth of a large load). The allocator reads the setting only when a
// process starts, so the program starts itself again once with it, unless the caller chose
// allocator settings of its own.
void RestartWithBlockCache(char** Argv)
{
    if (std::getenv("GLIBC_TUNABLES"))
        return;
    if (setenv("GLIBC_TUNABLES", "glibc.malloc.tcache_count=65535", 1) != 0)
        return;
    execv("/proc/self/exe", Argv);
    // Could not start again: carry on with the allocator as it is.
    unsetenv("GLIBC_TUNABLES");
}
}  // namespace

int main(int Argc, char** Argv)
{
    RestartWithBlockCache(Argv);
    try
    {
        return Run(ParseArgs(Argc, Argv));
    }
    catch (const cUsageError& Error)
    {
        std::fprintf(stderr, "tessaly-render: %s\n%s", Error.what(), USAGE);
        return 2;
    }
    catch (const std::exception& Error)
    {
        // Load failures carry the very text the viewer shows.
        std::fprintf(stderr, "%s\n", Error.what());
        return 1;
    }
}
