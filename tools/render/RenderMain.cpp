// tessaly-render: loads a class script the way the viewer does, with OpenGL or the Direct3D
// renderer active, and writes the picture of one frame, of every frame of a sequence or of a
// turntable, as PNG, animated GIF or animated WebP; or prints a model summary. This file holds the program's entry and the OpenGL path.
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "model/ZentorMesh.h"
#include "platform/offscreen/OffscreenGL.h"
#include "load/ModelLoad.h"
#include "render/GLDraw.h"
#include "render/GLScene.h"
#include "render/RenderHooks.h"
#include "render/View.h"
#include "render/ViewState.h"
#include "tools/render/ImportOutput.h"
#include "tools/render/ModelInfo.h"
#include "tools/render/Pictures.h"
#include "tools/render/RenderD3D.h"
#include "tools/render/RenderOptions.h"

namespace
{
// Releases the model before the context goes, on every exit from the drawing path.
struct cModelReleaser
{
    ~cModelReleaser() { ReleaseModel(); }
};

// The renderer's message box, on stderr.
void PrintMessage(const char* pszText, const char* pszCaption)
{
    std::fprintf(stderr, "%s: %s\n", pszCaption, pszText);
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

    if (LoadForRender(Opt) != 0)
        return 1;
    ResizeView(View.ClientWidth, View.ClientHeight);

    ApplyViewOptions(Opt);

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

}  // namespace

int main(int Argc, char** Argv)
{
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
