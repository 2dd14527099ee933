// Fuzz target: the whole load step. Each input becomes a content tree (script, mesh data and
// animation files, one PCX texture; LoadInput.h says how the input is split), which is loaded
// with the Direct3D renderer on the software device, drawn once at the input's frame and
// polygon filter, prepared to its last frame and released; then loaded, drawn and released
// again with the OpenGL renderer on an offscreen context. The window, the viewer with its
// device and the context are made once per process; every model is gone after its input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "LoadInput.h"
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"
#include "load/ModelLoad.h"
#include "model/ImportOutput.h"
#include "model/ZentorMesh.h"
#include "platform/offscreen/OffscreenGL.h"
#include "platform/rm/RMFaults.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "render/FramePreparation.h"
#include "render/GLDraw.h"
#include "render/GLModel.h"
#include "render/GLScene.h"
#include "render/RenderHooks.h"
#include "render/Renderer.h"
#include "render/View.h"
#include "render/ViewState.h"
#include "render_d3d/D3DDraw.h"
#include "render_d3d/D3DModel.h"
#include "render_d3d/D3DRenderer.h"
#include "render_d3d/D3DViewer.h"

namespace
{
// Small pictures keep the runs fast; both renderers draw at this size.
constexpr int PICTURE_WIDTH = 64;
constexpr int PICTURE_HEIGHT = 48;

std::intptr_t QuietWindowProc(HWindow, std::uint32_t, std::uintptr_t, std::intptr_t)
{
    return 0;
}

// The load diagnostics and the renderers' messages would flood the fuzzer's output.
void DropLine(const char*) {}
void DropMessage(const char*, const char*) {}

// What lives for the whole run: the content tree, the in-memory window with the viewer on the
// display depth and software device the last input chose, and the OpenGL context.
class cLoadSession
{
public:
    cLoadSession() : mGL(PICTURE_WIDTH, PICTURE_HEIGHT)
    {
        std::string Template =
            (std::filesystem::temp_directory_path() / "tessaly-fuzz-load-XXXXXX").string();
        if (!mkdtemp(Template.data()))
            std::abort();
        mRoot = Template;
        mScript = (mRoot / LOAD_SCRIPT_FILE).string();
        for (const char* pszFile : {LOAD_SCRIPT_FILE, LOAD_DATA_FILE, LOAD_TEXTURE_FILE})
            std::filesystem::create_directories((mRoot / pszFile).parent_path());
        SetImportOutput(DropLine);
        ShowRendererMessage = DropMessage;

        GLInitState();
        GLInitTexturing();

        RegisterD3DRenderer();
        SelectRenderer(eRenderMode::Direct3D);
        tMainWindowDesc Desc;
        Desc.pInstance = &AppResources();
        Desc.Proc = QuietWindowProc;
        Desc.MenuId = IDR_MAINMENU;
        Desc.IconId = IDI_MAINICON;
        Desc.Width = PICTURE_WIDTH;
        Desc.Height = PICTURE_HEIGHT;
        mWindow = mSystem.CreateMainWindow(Desc);
        // The headless window keeps room for a menu bar; the pictures take the whole size.
        mSystem.mClientWidth = PICTURE_WIDTH;
        mSystem.mClientHeight = PICTURE_HEIGHT;
        if (mWindow == HWindow::None)
            std::abort();
        UseViewer(LOAD_DISPLAY_DEPTHS[0], 0);
    }

    ~cLoadSession()
    {
        ReleaseModel();
        delete TheD3DViewer;
        TheD3DViewer = nullptr;
        mSystem.DestroyWindow(mWindow);
        std::error_code Error;
        std::filesystem::remove_all(mRoot, Error);
    }

    cLoadSession(const cLoadSession&) = delete;
    cLoadSession& operator=(const cLoadSession&) = delete;

    void WriteTree(const cLoadInput& Input) const
    {
        WriteFile(LOAD_SCRIPT_FILE, Input.Script);
        WriteFile(LOAD_DATA_FILE, Input.Data);
        WriteFile(LOAD_ANIV_FILE, Input.Aniv);
        WriteFile(LOAD_TEXTURE_FILE, Input.Texture);
    }

    void RunDirect3D(const cLoadInput& Input);
    void RunOpenGL(const cLoadInput& Input);
    void DrawAndPrepareDirect3D();

private:
    // A viewer that found a display of Depth bits, on device line Line of the chooser (modulo
    // the number of devices). A viewer reads the depth once, so a new depth needs a new viewer.
    void UseViewer(int Depth, int Line)
    {
        if (!TheD3DViewer || TheD3DViewer->GetBitsPerPixel() != Depth)
        {
            delete TheD3DViewer;
            mSystem.mDisplayBitsPerPixel = Depth;
            TheD3DViewer = new cD3DViewer(mSystem, mWindow, &AppResources());
            // The first choice lists the devices.
            UseDevice(0);
        }
        UseDevice(Line % TheD3DViewer->GetNumDevices());
    }

    // Puts the viewer on device line Line of the chooser unless it is there already, as the
    // renderer switch does: every object released, the device chosen, the viewer attached.
    void UseDevice(int Line)
    {
        if (TheD3DViewer->GetDeviceIndex() == Line && TheD3DViewer->HasDevice())
            return;
        TheD3DViewer->ReleaseAll();
        mSystem.mDialogScripts.push_back(
            {tDialogAction::SelectLine(DEVICE_LIST_ID, Line), {WM_COMMAND, 1, 0}});
        if (!TheD3DViewer->ChooseDevice())
            std::abort();
        TheD3DViewer->AttachToWindow();
        if (!TheD3DViewer->HasDevice())
            std::abort();
        // The window system's record of every chooser shown would grow with each switch.
        mSystem.mDialogs.clear();
        mBaseObjects = RMLiveObjectCount();
    }

    void WriteFile(const char* pszFile, const std::vector<std::uint8_t>& Bytes) const
    {
        std::ofstream Out(mRoot / pszFile, std::ios::binary | std::ios::trunc);
        Out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
        if (!Out)
            std::abort();
    }

    // The view as a new load finds it, then the input's switches as the user would set them.
    static void ResetView(eRenderMode Mode, const cLoadInput& Input)
    {
        ResetViewState();
        SelectRenderer(Mode);
        View.TexturesOn = (Input.Switches & LOAD_TEXTURES_OFF) == 0;
    }

    // The input's frame and filter, and the model's first sequence when the input loops over it,
    // as the Animations menu selects it.
    static void ChooseFrame(const cLoadInput& Input)
    {
        View.CurrentFrame = Input.Frame;
        View.PolygonFilter = static_cast<ePolygonFilter>(Input.Filter);
        if ((Input.Switches & LOAD_LOOP_SEQUENCE) && TheModel && TheModel->GetNumSequences() > 0)
        {
            View.SequenceStart = TheModel->GetSequence(0)->StartFrame;
            View.SequenceLength = TheModel->GetSequence(0)->NumFrames;
            View.LoopAnimation = true;
            PrepareFramesFrom(View.SequenceStart);
        }
    }

    std::filesystem::path mRoot;
    std::string mScript;
    cOffscreenGL mGL;
    cHeadlessWindowSystem mSystem;
    HWindow mWindow = HWindow::None;
    int mBaseObjects = 0;
    // Whether the Direct3D load of this input made a model, and where it placed it.
    bool mbDirect3DLoaded = false;
    cModelBounds mDirect3DBounds{};
};

// A load must leave either a model or, on failure, no model and the text to show.
void CheckLoad(eLoadResult Result, const std::string& ErrorText)
{
    if (Result == eLoadResult::Failed ? TheModel || ErrorText.empty() : !TheModel)
        __builtin_trap();
}

void cLoadSession::RunDirect3D(const cLoadInput& Input)
{
    UseViewer(LOAD_DISPLAY_DEPTHS[Input.Switches >> LOAD_DEPTH_SHIFT & LOAD_DEPTH_MASK],
              Input.Switches >> LOAD_DEVICE_SHIFT & LOAD_DEVICE_MASK);
    ResetView(eRenderMode::Direct3D, Input);
    std::string ErrorText;
    const eLoadResult Result = LoadModel(mScript, ErrorText);
    CheckLoad(Result, ErrorText);
    mbDirect3DLoaded = Result != eLoadResult::Failed;
    mDirect3DBounds = Placement.ModelBounds;
    if (Result != eLoadResult::Failed)
    {
        if (Result == eLoadResult::Loaded && !D3DFrames[0])
            __builtin_trap();
        ResizeView(PICTURE_WIDTH, PICTURE_HEIGHT);
        ChooseFrame(Input);
        DrawAndPrepareDirect3D();
        ReleaseModel();
    }
    // The frames' meshes went with the model and the textures go with it here (the viewer would
    // replace them at the next load); then only the objects of the device and scene remain.
    TheD3DViewer->CreateTextures(0, nullptr);
    if (RMLiveObjectCount() != mBaseObjects)
        __builtin_trap();
    // The window system keeps every message box shown. Freed within the run, so that the
    // fuzzer sees as many frees as allocations and takes nothing for a leak.
    std::vector<tShownMessageBox>().swap(mSystem.mMessageBoxes);
}

void cLoadSession::DrawAndPrepareDirect3D()
{
    // Every draw presents one whole picture, whatever the model holds.
    const int Presented = mSystem.mPresentCount;
    D3DDrawFrame();
    if (mSystem.mPresentCount != Presented + 1 || mSystem.mPresentedWidth != PICTURE_WIDTH ||
        mSystem.mPresentedHeight != PICTURE_HEIGHT ||
        mSystem.mPresented.size() != std::size_t(PICTURE_WIDTH) * PICTURE_HEIGHT)
        __builtin_trap();

    // Unless memory ran out, every frame of the model is prepared afterwards.
    PrepareAllFrames();
    const int NumFrames = std::min<int>(TheModel->GetAnivHeader()->NumFrames, MAX_FRAMES);
    if (!FramePreparationOutOfMemory())
        for (int Frame = 0; Frame < NumFrames; ++Frame)
            if (!D3DFrames[Frame])
                __builtin_trap();
}

void cLoadSession::RunOpenGL(const cLoadInput& Input)
{
    ResetView(eRenderMode::OpenGL, Input);
    GLSetTexturesOn(View.TexturesOn);
    std::string ErrorText;
    const eLoadResult Result = LoadModel(mScript, ErrorText);
    CheckLoad(Result, ErrorText);
    if (Result != eLoadResult::Failed)
    {
        if (Result == eLoadResult::Loaded && !GLFrames[0])
            __builtin_trap();
        // Both renderers place the model by the same frame 0 (the bytes are compared, so
        // bounds that are not numbers must match too).
        if (mbDirect3DLoaded && std::memcmp(&Placement.ModelBounds, &mDirect3DBounds,
                                            sizeof Placement.ModelBounds) != 0)
            __builtin_trap();
        ResizeView(PICTURE_WIDTH, PICTURE_HEIGHT);
        ChooseFrame(Input);
        GLDrawFrame();
        ReleaseModel();
    }
    // Whatever the files held, every OpenGL call of the load, draw and release was valid.
    if (glGetError() != GL_NO_ERROR)
        __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t Size)
{
    static cLoadSession Session;
    cLoadInput Input;
    if (!SplitLoadInput(pData, Size, Input))
        return 0;
    Session.WriteTree(Input);
    Session.RunDirect3D(Input);
    Session.RunOpenGL(Input);
    return 0;
}
