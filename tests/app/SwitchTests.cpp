// The renderer switch through Options > Use Direct3D: the version check, the device chooser,
// the reload in the new renderer and back, and what each renderer keeps across a switch.
#include "tests/app/ShellFixture.h"

#include <algorithm>
#include <cstring>

#include "platform/rm/RMFaults.h"
#include "platform/system/System.h"
#include "render/GLModel.h"
#include "render/ViewState.h"
#include "render_d3d/D3DModel.h"
#include "render_d3d/D3DViewer.h"

namespace
{
// A version 4 system of the NT family with DirectInput: DirectX 3 at most.
class cDirectX3System final : public cSystem
{
public:
    bool GetVersionExA(OSVERSIONINFOA* pInfo) override
    {
        pInfo->dwMajorVersion = 4;
        pInfo->dwMinorVersion = 0;
        pInfo->dwBuildNumber = 1381;
        pInfo->dwPlatformId = VER_PLATFORM_WIN32_NT;
        std::memset(pInfo->szCSDVersion, 0, sizeof pInfo->szCSDVersion);
        return true;
    }
    HLIBRARY LoadLibraryA(const char* pszName) override
    {
        return std::strcmp(pszName, "DINPUT.DLL") == 0 ? reinterpret_cast<HLIBRARY>(this) : nullptr;
    }
    LIBPROC GetProcAddress(HLIBRARY, const char*) override { return &Entry; }
    bool FreeLibrary(HLIBRARY) override { return true; }
    void OutputDebugStringA(const char*) override {}

private:
    static void Entry() {}
};

class cSwitchTest : public cShellTest
{
protected:
    void TearDown() override
    {
        SubstituteSystem(nullptr);
        RMClearFaults();
        cShellTest::TearDown();
    }

    // Use Direct3D, answering the chooser with line Line then OK (-1: Cancel).
    void UseDirect3D(int Line)
    {
        if (Line >= 0)
            mSystem.mDialogScripts.push_back(
                {tDialogAction::SelectLine(DEVICE_LIST_ID, Line), {WM_COMMAND, IDOK, 0}});
        else
            mSystem.mDialogScripts.push_back({{WM_COMMAND, IDCANCEL, 0}});
        Command(IDM_DIRECT3D);
    }

    // The user resizes the window to this client size.
    void SendSize(int Width, int Height)
    {
        mSystem.mClientWidth = Width;
        mSystem.mClientHeight = Height;
        mSystem.SendMessage(Shell.MainWindow, WM_SIZE, 0, (Height << 16) | Width);
    }

    int PresentedForeground() const
    {
        int Count = 0;
        for (std::uint32_t Value : mSystem.mPresented)
            Count += Value != 0;
        return Count;
    }
};

TEST_F(cSwitchTest, OldDirectXGetsTheInfoMessageAndNothingElse)
{
    cDirectX3System Old;
    SubstituteSystem(&Old);
    for (int Attempt = 0; Attempt < 2; ++Attempt)
        Command(IDM_DIRECT3D);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 2u);
    EXPECT_EQ(mSystem.mMessageBoxes[1].Text,
              "Tessaly requires DirectX 5 or newer which is not on this machine.");
    EXPECT_EQ(mSystem.mMessageBoxes[1].Caption, "Info");
    EXPECT_EQ(mSystem.mMessageBoxes[1].Style, static_cast<unsigned>(MB_ICONEXCLAMATION));
    EXPECT_EQ(View.RenderMode, eRenderMode::OpenGL);
    EXPECT_FALSE(mSystem.IsChecked(IDM_DIRECT3D));
    EXPECT_TRUE(mSystem.mDialogs.empty());
}

TEST_F(cSwitchTest, CancelledChooserKeepsOpenGLAndTheModel)
{
    Open(Model("Keep", 4, 1).ScriptPath);
    cZentorMesh* const pModel = TheModel;
    UseDirect3D(-1);
    // OK with no line selected is no choice either.
    mSystem.mDialogScripts.push_back(
        {tDialogAction::SelectLine(DEVICE_LIST_ID, -1), {WM_COMMAND, IDOK, 0}});
    Command(IDM_DIRECT3D);
    Pump();
    EXPECT_EQ(mSystem.mDialogs.size(), 3u);   // loading window, two choosers
    EXPECT_EQ(View.RenderMode, eRenderMode::OpenGL);
    EXPECT_FALSE(mSystem.IsChecked(IDM_DIRECT3D));
    EXPECT_EQ(TheModel, pModel);
    EXPECT_NE(GLFrames[0], nullptr);
    EXPECT_FALSE(TheD3DViewer->IsActive());
}

TEST_F(cSwitchTest, SwitchingReloadsTheModelInTheNewRendererAndBack)
{
    Open(Model("Both", 6, 2).ScriptPath);
    Command(IDM_SEQUENCE_BASE + 1);
    UseDirect3D(1);
    Pump();
    EXPECT_EQ(View.RenderMode, eRenderMode::Direct3D);
    EXPECT_TRUE(mSystem.IsChecked(IDM_DIRECT3D));
    EXPECT_TRUE(TheD3DViewer->IsActive());
    EXPECT_EQ(TheD3DViewer->GetDeviceIndex(), 1);
    EXPECT_EQ(GLFrames[0], nullptr);
    ASSERT_NE(D3DFrames[0], nullptr);
    // The reload starts at frame 0 and the model is drawn into the window.
    EXPECT_EQ(View.SequenceStart, 0);
    EXPECT_GT(mSystem.mPresentCount, 0);
    EXPECT_GT(PresentedForeground(), 100);
    EXPECT_FALSE(mSystem.GetUpdateRect(Shell.MainWindow));

    Command(IDM_DIRECT3D);
    Pump();
    EXPECT_EQ(View.RenderMode, eRenderMode::OpenGL);
    EXPECT_FALSE(mSystem.IsChecked(IDM_DIRECT3D));
    EXPECT_EQ(D3DFrames[0], nullptr);
    EXPECT_NE(GLFrames[0], nullptr);
    EXPECT_EQ(TheD3DViewer->GetD3DRM(), nullptr);
    EXPECT_FALSE(TheD3DViewer->HasDevice());
    // Nothing of the retained-mode layer outlives the switch back.
    EXPECT_EQ(RMLiveObjectCount(), 0);
}

TEST_F(cSwitchTest, BackgroundAndTextureSwitchSurviveTheRoundTrip)
{
    Open(Model("Colours", 2, 1).ScriptPath);
    UseDirect3D(0);
    mSystem.mColorAnswers.push_back({true, 0x0000FFu, std::nullopt});   // pure red
    Command(IDM_BACKGROUND);
    Command(IDM_TEXTURES);
    Pump();
    EXPECT_EQ(TheD3DViewer->GetScene()->GetSceneBackground(), 0xFF0000u);
    EXPECT_GT(std::count(mSystem.mPresented.begin(), mSystem.mPresented.end(), 0xFF0000u), 1000);

    Command(IDM_DIRECT3D);
    UseDirect3D(0);
    Pump();
    // The way back to Direct3D asks for the device again.
    EXPECT_EQ(std::count_if(mSystem.mDialogs.begin(), mSystem.mDialogs.end(),
                            [](const tShownDialog& Dialog) { return Dialog.ResourceId == DEVICE_DIALOG_ID; }),
              2);
    EXPECT_EQ(TheD3DViewer->GetScene()->GetSceneBackground(), 0xFF0000u);
    // Textures stay off in the model built anew.
    ASSERT_NE(D3DFrames[0], nullptr);
    IDirect3DRMTexture2* pTexture = nullptr;
    IDirect3DRMMesh* pMain = D3DFrames[0]->GetMainMesh();
    pMain->GetGroupTexture(D3DFrames[0]->GetMainGroup(0), &pTexture);
    EXPECT_EQ(pTexture, nullptr);
}

TEST_F(cSwitchTest, SwitchWithoutAScriptLoadsNothing)
{
    UseDirect3D(0);
    Pump();
    EXPECT_EQ(View.RenderMode, eRenderMode::Direct3D);
    EXPECT_EQ(TheModel, nullptr);
    // Only the background is drawn: the paint is answered and validated.
    EXPECT_FALSE(mSystem.GetUpdateRect(Shell.MainWindow));
    SendSize(1000, 700);
    EXPECT_TRUE(TheD3DViewer->HasDevice());
    EXPECT_EQ(TheD3DViewer->GetDevice()->GetWidth(), 1000u);
    Command(IDM_DIRECT3D);
    Pump();
    EXPECT_EQ(View.RenderMode, eRenderMode::OpenGL);
    EXPECT_EQ(TheModel, nullptr);
}

TEST_F(cSwitchTest, EnumerationErrorIsReportedOnceAndTheFoundDeviceOffered)
{
    RMInjectFault(RMFAULT_ENUM_DEVICES, DDERR_GENERIC, 1);
    UseDirect3D(0);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "D3D Error");
    EXPECT_EQ(mSystem.mDialogs.back().ListBoxes.at(DEVICE_LIST_ID).Lines.size(), 1u);
    EXPECT_EQ(View.RenderMode, eRenderMode::Direct3D);
}

TEST_F(cSwitchTest, ActivationAndDestructionReachTheViewer)
{
    UseDirect3D(0);
    EXPECT_EQ(mSystem.SendMessage(Shell.MainWindow, WM_ACTIVATE, WA_ACTIVE, 0), 0);
    mSystem.DestroyWindow(Shell.MainWindow);
    EXPECT_EQ(TheD3DViewer, nullptr);
    EXPECT_EQ(RMLiveObjectCount(), 0);
}

constexpr char START_FAILED[] = "Unable to create the Direct3D objects.\nTessaly goes on with OpenGL.";
constexpr char ATTACH_FAILED[] = "Unable to use Direct3D in this window.\nTessaly goes on with OpenGL.";

TEST_F(cSwitchTest, ALargeScreensWindowGetsTheChosenDeviceAtItsSize)
{
    Open(Model("Large", 2, 1).ScriptPath);
    SendSize(4000, 2500);
    UseDirect3D(0);
    Pump();
    ASSERT_EQ(View.RenderMode, eRenderMode::Direct3D);
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());
    EXPECT_EQ(TheD3DViewer->GetDeviceIndex(), 0);
    EXPECT_EQ(TheD3DViewer->GetDevice()->GetWidth(), 4000u);
    EXPECT_EQ(mSystem.mPresentedWidth, 4000);
    EXPECT_EQ(mSystem.mPresentedHeight, 2500);
    EXPECT_GT(PresentedForeground(), 10000);
}

TEST_F(cSwitchTest, ARootObjectThatCannotBeMadeIsReportedAndTheNextSwitchTriesAfresh)
{
    Open(Model("Root", 2, 1).ScriptPath);
    cZentorMesh* const pModel = TheModel;
    RMInjectFault(RMFAULT_CREATE_ROOT, D3DRMERR_BADALLOC, 0, 1);
    Command(IDM_DIRECT3D);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, START_FAILED);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "D3D Error");
    EXPECT_EQ(View.RenderMode, eRenderMode::OpenGL);
    EXPECT_FALSE(mSystem.IsChecked(IDM_DIRECT3D));
    EXPECT_EQ(TheModel, pModel);
    EXPECT_EQ(RMLiveObjectCount(), 0);
    UseDirect3D(0);
    Pump();
    EXPECT_EQ(View.RenderMode, eRenderMode::Direct3D);
    EXPECT_TRUE(mSystem.IsChecked(IDM_DIRECT3D));
    EXPECT_NE(D3DFrames[0], nullptr);
    EXPECT_EQ(mSystem.mMessageBoxes.size(), 1u);
}

TEST_F(cSwitchTest, AFailedAttachmentIsReportedAndOpenGLGoesOn)
{
    Open(Model("Attach", 2, 1).ScriptPath);
    cZentorMesh* const pModel = TheModel;
    // No clipper; then no device at all, not even the default one.
    RMInjectFault(RMFAULT_CREATE_CLIPPER, DDERR_GENERIC, 0, 1);
    UseDirect3D(0);
    RMInjectFault(RMFAULT_CREATE_DEVICE, DDERR_GENERIC, 0, 2);
    UseDirect3D(0);
    Pump();
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 3u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, ATTACH_FAILED);
    EXPECT_EQ(mSystem.mMessageBoxes[1].Caption, "Error");   // the chosen device refused
    EXPECT_EQ(mSystem.mMessageBoxes[2].Text, ATTACH_FAILED);
    EXPECT_EQ(mSystem.mMessageBoxes[2].Caption, "D3D Error");
    EXPECT_EQ(View.RenderMode, eRenderMode::OpenGL);
    EXPECT_FALSE(mSystem.IsChecked(IDM_DIRECT3D));
    EXPECT_FALSE(TheD3DViewer->IsActive());
    EXPECT_EQ(TheModel, pModel);
    EXPECT_NE(GLFrames[0], nullptr);
    EXPECT_EQ(RMLiveObjectCount(), 0);
    // OpenGL still paints, and the next switch starts from nothing and succeeds.
    mSystem.InvalidateRect(Shell.MainWindow);
    Pump();
    EXPECT_FALSE(mSystem.GetUpdateRect(Shell.MainWindow));
    UseDirect3D(0);
    Pump();
    EXPECT_EQ(View.RenderMode, eRenderMode::Direct3D);
    EXPECT_TRUE(TheD3DViewer->HasDevice());
    EXPECT_EQ(std::count_if(mSystem.mDialogs.begin(), mSystem.mDialogs.end(),
                            [](const tShownDialog& Dialog) { return Dialog.ResourceId == DEVICE_DIALOG_ID; }),
              3);
}

TEST_F(cSwitchTest, ARunOfRefusedResizesIsToldOnce)
{
    Open(Model("Resize", 2, 1).ScriptPath);
    UseDirect3D(2);   // the compact device: 640 x 480 at most
    Pump();
    for (int Width = 700; Width <= 1000; Width += 20)
        SendSize(Width, 600);
    Pump();
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text.rfind("Unable to resize window using this device.", 0), 0u);
    EXPECT_EQ(TheD3DViewer->GetDevice()->GetWidth(), 1000u);
    SendSize(600, 400);
    SendSize(900, 600);
    SendSize(950, 600);
    Pump();
    EXPECT_EQ(mSystem.mMessageBoxes.size(), 2u);
}

TEST_F(cSwitchTest, EachPaintPresentsOnePicture)
{
    Open(Model("Present", 2, 1).ScriptPath);
    UseDirect3D(0);
    mSystem.mColorAnswers.push_back({true, 0x0000FFu, std::nullopt});   // pure red
    Command(IDM_BACKGROUND);
    Pump();
    for (int Size = 0; Size < 3; ++Size)
    {
        SCOPED_TRACE(Size);
        const int Before = mSystem.mPresentCount;
        const std::size_t PaintsBefore = mSystem.mPaintTimes.size();
        // A resize gives a new device whose buffer is still empty: it must never be shown.
        SendSize(400 + 50 * Size, 300);
        mSystem.InvalidateRect(Shell.MainWindow);
        Pump();
        EXPECT_EQ(mSystem.mPaintTimes.size(), PaintsBefore + 1);
        EXPECT_EQ(mSystem.mPresentCount, Before + 1);
        EXPECT_EQ(mSystem.mPresentedWidth, 400 + 50 * Size);
        EXPECT_GT(std::count(mSystem.mPresented.begin(), mSystem.mPresented.end(), 0xFF0000u), 1000);
    }
}

TEST_F(cSwitchTest, OutOfMemoryInTheDirect3DMeshesTakesTheLoadsOutOfMemoryPath)
{
    const std::string Script = Model("Memory", 12, 1).ScriptPath;
    const std::string Text = "Not enough memory to load " + Script + ".";
    Open(Script);
    // Frame 0 at the reload: the load fails.
    RMInjectFault(RMFAULT_CREATE_MESH, D3DRMERR_BADALLOC, 0, 1);
    UseDirect3D(0);
    Pump();
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, Text);
    EXPECT_EQ(TheModel, nullptr);
    EXPECT_EQ(View.RenderMode, eRenderMode::Direct3D);
    // A later frame: the model goes once the loop looks, with the same message.
    Open(Script);
    ASSERT_NE(TheModel, nullptr);
    RMInjectFault(RMFAULT_CREATE_MESH, D3DRMERR_BADALLOC, 5, 1);
    while (PrepareFramesInIdleTime())
    {
    }
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 2u);
    EXPECT_EQ(mSystem.mMessageBoxes[1].Text, Text);
    EXPECT_EQ(TheModel, nullptr);
    for (cD3DFrame* pFrame : D3DFrames)
        EXPECT_EQ(pFrame, nullptr);
}
}  // namespace
