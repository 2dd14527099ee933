// The Direct3D viewer: device choice and its chooser, attachment, resizes and the fallback
// device, colours, release, and the failures the layer can report.
#include "tests/render_d3d/D3DFixture.h"

#include "platform/rm/RMDevice.h"
#include "platform/rm/RMFaults.h"
#include "render/View.h"
#include "render/ViewState.h"
#include "render_d3d/D3DModel.h"
#include "render_d3d/ErrorText.h"

namespace
{
const char* const FALLBACK_TEXT =
    "Unable to resize window using this device.\nI will use the default device.\n"
    "Making the window smaller should allow the original device to be used.";

const char* DeviceName(IDirect3DRMDevice2* pDevice)
{
    auto* pOurs = dynamic_cast<cRMDevice*>(pDevice);
    return pOurs ? pOurs->GetInfo().pszName : "";
}

TEST_F(cD3DTest, ChooserListsDevicesInOrderAndTheChosenLineIsTheDevice)
{
    ASSERT_TRUE(Attach(1));
    ASSERT_FALSE(mSystem.mDialogs.empty());
    const tShownDialog& Chooser = mSystem.mDialogs.back();
    EXPECT_EQ(Chooser.ResourceId, DEVICE_DIALOG_ID);
    const std::vector<std::string> Expected = {"Software RGB Renderer", "Software Mono Renderer",
                                               "Compact RGB Renderer"};
    EXPECT_EQ(Chooser.ListBoxes.at(DEVICE_LIST_ID).Lines, Expected);
    EXPECT_EQ(TheD3DViewer->GetDeviceIndex(), 1);
    EXPECT_STREQ(DeviceName(TheD3DViewer->GetDevice()), "Software Mono Renderer");
    EXPECT_NE(TheD3DViewer->GetD3DDevice(), nullptr);
    EXPECT_NE(TheD3DViewer->GetViewport(), nullptr);
    EXPECT_EQ(TheD3DViewer->GetScene()->GetZbufferMode(), D3DRMZBUFFER_ENABLE);
    // Camera, model frame and light frame hang under the scene.
    EXPECT_EQ(TheD3DViewer->GetCamera()->GetParentFrame(), TheD3DViewer->GetScene());
    EXPECT_EQ(TheD3DViewer->GetModelFrame()->GetParentFrame(), TheD3DViewer->GetScene());
}

TEST_F(cD3DTest, CancelAndOkWithoutALineChooseNothing)
{
    mSystem.mDialogScripts.push_back({{WM_COMMAND, IDCANCEL, 0}});
    EXPECT_FALSE(TheD3DViewer->ChooseDevice());
    EXPECT_EQ(TheD3DViewer->GetDeviceIndex(), -1);
    // A click and a double click reach the procedure as notifications, never as OK.
    mSystem.mDialogScripts.push_back({tDialogAction::DoubleClickLine(DEVICE_LIST_ID, 2),
                                      tDialogAction::SelectLine(DEVICE_LIST_ID, -1),
                                      {WM_COMMAND, IDOK, 0}});
    EXPECT_FALSE(TheD3DViewer->ChooseDevice());
    EXPECT_EQ(TheD3DViewer->GetDeviceIndex(), -1);
    EXPECT_EQ(mSystem.mDialogs.size(), 2u);
    EXPECT_FALSE(TheD3DViewer->HasDevice());
}

TEST_F(cD3DTest, TooLargeAWindowFallsBackToTheDefaultDeviceUntilItShrinks)
{
    ASSERT_TRUE(Attach(2));   // the compact device: 640 x 480 at most
    EXPECT_STREQ(DeviceName(TheD3DViewer->GetDevice()), "Compact RGB Renderer");
    mSystem.mClientWidth = 800;
    mSystem.mClientHeight = 600;
    EXPECT_TRUE(TheD3DViewer->Resize(0, 0));
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, FALLBACK_TEXT);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Error");
    EXPECT_EQ(mSystem.mMessageBoxes[0].Style, static_cast<unsigned>(MB_ICONEXCLAMATION));
    EXPECT_STREQ(DeviceName(TheD3DViewer->GetDevice()), "Software RGB Renderer");
    EXPECT_EQ(TheD3DViewer->GetDevice()->GetWidth(), 800u);
    // The rest of a run of resizes beyond the limit (an interactive resize sends many) says
    // nothing more; a smaller window takes the chosen device back and ends the run.
    for (int Width : {801, 900, 1000})
    {
        mSystem.mClientWidth = Width;
        EXPECT_TRUE(TheD3DViewer->Resize(0, 0));
    }
    EXPECT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(TheD3DViewer->GetDevice()->GetWidth(), 1000u);
    mSystem.mClientWidth = 400;
    mSystem.mClientHeight = 300;
    EXPECT_TRUE(TheD3DViewer->Resize(0, 0));
    EXPECT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_STREQ(DeviceName(TheD3DViewer->GetDevice()), "Compact RGB Renderer");
    EXPECT_EQ(TheD3DViewer->GetDevice()->GetHeight(), 300u);
    // The next run beyond the limit is told once again.
    mSystem.mClientWidth = 700;
    EXPECT_TRUE(TheD3DViewer->Resize(0, 0));
    EXPECT_TRUE(TheD3DViewer->Resize(0, 0));
    EXPECT_EQ(mSystem.mMessageBoxes.size(), 2u);
}

TEST_F(cD3DTest, FullColourAndMonoDevicesTakeAWindowOfALargeScreen)
{
    mSystem.mClientWidth = 4000;
    mSystem.mClientHeight = 2500;
    for (int Line : {0, 1})
    {
        SCOPED_TRACE(Line);
        ASSERT_TRUE(Attach(Line));
        EXPECT_EQ(TheD3DViewer->GetDeviceIndex(), Line);
        EXPECT_EQ(TheD3DViewer->GetDevice()->GetWidth(), 4000u);
        EXPECT_EQ(TheD3DViewer->GetDevice()->GetHeight(), 2500u);
        TheD3DViewer->ReleaseAll();
    }
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());
}

TEST_F(cD3DTest, BackPlaneReachesAsFarAsTheOpenGLViewsFarPlane)
{
    ASSERT_TRUE(Attach());
    EXPECT_EQ(TheD3DViewer->GetViewport()->GetBack(), 5000.0f);
    // A model 200 units deep: the OpenGL view reaches 100 times that.
    Placement.ModelBounds.MinZ = -100.0f;
    Placement.ModelBounds.MaxZ = 100.0f;
    ResizeView(320, 240);
    EXPECT_EQ(TheD3DViewer->GetViewport()->GetBack(), 20000.0f);
    D3DVECTOR Camera = {};
    TheD3DViewer->GetCamera()->GetPosition(TheD3DViewer->GetScene(), &Camera);
    EXPECT_EQ(Camera.z, -200.0f);
}

TEST_F(cD3DTest, ResizeWithoutADeviceSetsTheNegativeDistanceOfTheTruncatedDepth)
{
    Placement.ModelBounds.MaxZ = 52.3f;
    ResizeView(300, 200);
    EXPECT_EQ(View.ClientWidth, 300);
    EXPECT_FLOAT_EQ(Placement.ViewDistance, -152.0f);
}

TEST_F(cD3DTest, BackgroundReachesTheSceneAsRedGreenBlueOnEveryDepth)
{
    for (int Depth : {16, 24, 32})
    {
        mSystem.mDisplayBitsPerPixel = Depth;
        cD3DViewer Viewer(mSystem, mWindow, nullptr);
        EXPECT_EQ(Viewer.GetBitsPerPixel(), Depth);
        Viewer.SetBackgroundColor(0xFF0000FFu);   // chooser layout: pure red, stray top byte
        EXPECT_EQ(Viewer.GetBackground(), 0x0000FFu);
    }
    mSystem.mDisplayBitsPerPixel = 24;
    TheD3DViewer->SetBackgroundColor(0xFF0000u);   // blue, set before any scene exists
    ASSERT_TRUE(Attach());
    EXPECT_EQ(TheD3DViewer->GetScene()->GetSceneBackground(), 0x0000FFu);
    TheD3DViewer->SetBackgroundColor(0x0000FFu);   // red while the scene exists
    EXPECT_EQ(TheD3DViewer->GetScene()->GetSceneBackground(), 0xFF0000u);
    EXPECT_EQ(ChooserToD3DColor(0x563412u), 0x123456u);
}

TEST_F(cD3DTest, ReleaseAllIsIdempotentAndTheNextChoiceStartsOver)
{
    TheD3DViewer->ReleaseAll();
    TheD3DViewer->ReleaseAll();
    EXPECT_FALSE(TheD3DViewer->HasDevice());
    EXPECT_EQ(RMLiveObjectCount(), mLiveObjects);

    TheD3DViewer->SetBackgroundColor(0x0000FFu);
    ASSERT_TRUE(Attach(1));
    EXPECT_GT(RMLiveObjectCount(), mLiveObjects);
    TheD3DViewer->ReleaseAll();
    EXPECT_FALSE(TheD3DViewer->HasDevice());
    EXPECT_EQ(TheD3DViewer->GetD3DRM(), nullptr);
    EXPECT_EQ(RMLiveObjectCount(), mLiveObjects);
    // The table, the choice and the colours stay; a new choice builds everything again.
    EXPECT_EQ(TheD3DViewer->GetNumDevices(), 3);
    ASSERT_TRUE(Attach(0));
    EXPECT_EQ(mSystem.mDialogs.size(), 2u);
    EXPECT_EQ(TheD3DViewer->GetScene()->GetSceneBackground(), 0xFF0000u);
}

TEST_F(cD3DTest, EnumerationErrorIsShownAndTheDevicesFoundAreOffered)
{
    RMInjectFault(RMFAULT_ENUM_DEVICES, DDERR_GENERIC, 1);
    ASSERT_TRUE(Attach(0));
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, ErrorText(DDERR_GENERIC));
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "D3D Error");
    EXPECT_EQ(mSystem.mMessageBoxes[0].Style, static_cast<unsigned>(MB_OK));
    EXPECT_EQ(mSystem.mDialogs.back().ListBoxes.at(DEVICE_LIST_ID).Lines.size(), 1u);

    // With no device at all nothing is offered.
    TheD3DViewer->ReleaseAll();
    RMInjectFault(RMFAULT_ENUM_DEVICES, DDERR_GENERIC, 0);
    EXPECT_FALSE(TheD3DViewer->ChooseDevice());
    EXPECT_EQ(mSystem.mDialogs.size(), 1u);
}

TEST_F(cD3DTest, MissingDisplayObjectClipperOrZBufferAreHandled)
{
    RMInjectFault(RMFAULT_DIRECTDRAW_CREATE, DDERR_GENERIC, 0, 1);
    EXPECT_FALSE(TheD3DViewer->ChooseDevice());
    EXPECT_TRUE(mSystem.mDialogs.empty());
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());

    RMInjectFault(RMFAULT_CREATE_CLIPPER, DDERR_GENERIC, 0, 1);
    mSystem.mDialogScripts.push_back(
        {tDialogAction::SelectLine(DEVICE_LIST_ID, 0), {WM_COMMAND, IDOK, 0}});
    ASSERT_TRUE(TheD3DViewer->ChooseDevice());
    EXPECT_FALSE(TheD3DViewer->AttachToWindow());
    // Without a clipper a resize has nothing to rebuild and says nothing.
    EXPECT_FALSE(TheD3DViewer->Resize(0, 0));
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());

    TheD3DViewer->ReleaseAll();
    RMInjectFault(RMFAULT_SET_ZBUFFER_MODE, DDERR_GENERIC, 0, 1);
    ASSERT_TRUE(Attach(0));
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, "Unable to enable Z-buffer");
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Error");

    // No device at all, not even the default one: no device, no viewport, one message.
    RMInjectFault(RMFAULT_CREATE_DEVICE, DDERR_GENERIC, 0, 2);
    EXPECT_FALSE(TheD3DViewer->Resize(0, 0));
    EXPECT_FALSE(TheD3DViewer->HasDevice());
    EXPECT_EQ(TheD3DViewer->GetViewport(), nullptr);
    EXPECT_EQ(mSystem.mMessageBoxes.size(), 2u);
}
}  // namespace
