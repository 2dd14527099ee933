// Set-up of the Direct3D renderer tests: a window with the program's resources, whose device
// chooser the viewer shows.
#include "tests/render_d3d/D3DFixture.h"


#include "model/ZentorMesh.h"
#include "platform/rm/RMFaults.h"
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"
#include "load/ModelLoad.h"
#include "render/RenderHooks.h"
#include "render/Renderer.h"
#include "render/View.h"
#include "render/ViewState.h"
#include "render_d3d/D3DDraw.h"
#include "render_d3d/D3DModel.h"
#include "render_d3d/D3DRenderer.h"
#include "tests/render/TestModel.h"

namespace
{
std::intptr_t PlainWindowProc(HWindow, std::uint32_t, std::uintptr_t, std::intptr_t)
{
    return 0;
}

cWindowSystem* MessageWindowSystem = nullptr;

// Renderer messages go to the window's message boxes, as in the viewer.
void ShowMessageBox(const char* pszText, const char* pszCaption)
{
    MessageWindowSystem->MessageBox(HWindow::None, pszText, pszCaption, MB_ICONEXCLAMATION);
}
}  // namespace

void cD3DTest::SetUp()
{
    ResetViewState();
    RMClearFaults();
    mLiveObjects = RMLiveObjectCount();
    RegisterD3DRenderer();
    SelectRenderer(eRenderMode::Direct3D);
    MessageWindowSystem = &mSystem;
    ShowRendererMessage = ShowMessageBox;
    tMainWindowDesc Desc;
    Desc.pInstance = &AppResources();
    Desc.Proc = PlainWindowProc;
    Desc.MenuId = IDR_MAINMENU;
    Desc.IconId = IDI_MAINICON;
    Desc.Width = 320;
    Desc.Height = 240;
    mWindow = mSystem.CreateMainWindow(Desc);
    ASSERT_NE(mWindow, HWindow::None);
    // The headless window keeps room for a menu bar; the tests want the whole size.
    mSystem.mClientWidth = 320;
    mSystem.mClientHeight = 240;
    TheD3DViewer = new cD3DViewer(mSystem, mWindow, &AppResources());
}

void cD3DTest::TearDown()
{
    ReleaseModel();
    delete TheD3DViewer;
    TheD3DViewer = nullptr;
    RMClearFaults();
    RMSetDisplayBitsPerPixel(24);
    mFolders.clear();
    RemoveTestModels();
    // Every object of the layer went with the frames and the viewer.
    EXPECT_EQ(RMLiveObjectCount(), mLiveObjects);
}

std::string cD3DTest::TempFolder()
{
    mFolders.push_back(std::make_unique<cTempFolder>("tessaly-d3d"));
    return mFolders.back()->Path();
}

bool cD3DTest::Attach(int Line)
{
    mSystem.mDialogScripts.push_back(
        {tDialogAction::SelectLine(DEVICE_LIST_ID, Line), {WM_COMMAND, IDOK, 0}});
    if (!TheD3DViewer->ChooseDevice())
        return false;
    TheD3DViewer->AttachToWindow();
    return TheD3DViewer->HasDevice();
}

void cD3DTest::Load(const std::string& ScriptPath)
{
    ReleaseModel();
    TheModel = new cZentorMesh(ScriptPath.c_str(), false);
    D3DBuildModel(ScriptPath.c_str());
    ResizeView(mSystem.mClientWidth, mSystem.mClientHeight);
}

void cD3DTest::Draw()
{
    D3DDrawFrame();
}

std::uint32_t cD3DTest::Pixel(int X, int Y) const
{
    if (X < 0 || Y < 0 || X >= mSystem.mPresentedWidth || Y >= mSystem.mPresentedHeight)
        return 0xFFFFFFFFu;
    return mSystem.mPresented[static_cast<std::size_t>(Y) * mSystem.mPresentedWidth + X];
}

int cD3DTest::CountForeground(std::uint32_t Background) const
{
    int Count = 0;
    for (std::uint32_t Value : mSystem.mPresented)
        Count += Value != Background;
    return Count;
}
