// The mouse on the view: drags turn and move the camera by the same values as the keys, within
// the same 0 to 360 degrees, the wheel moves toward and away, Home undoes it all, paints are
// coalesced while the pointer moves, and the picture after a drag is tessaly-render's with
// the camera values the drag left, with either renderer.
#include "tests/app/ShellFixture.h"

#include <cmath>
#include <cstdio>

#include "render/View.h"
#include "render/ViewState.h"
#include "render_d3d/D3DViewer.h"
#include "tests/render/ToolRun.h"

namespace
{
class cMouseTest : public cShellTest
{
protected:
    void Drag(std::uint32_t Down, std::uintptr_t Keys, int X0, int Y0, int X1, int Y1)
    {
        const std::uint32_t Up = Down == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_MBUTTONUP;
        const std::uintptr_t Modifiers = Keys & (MK_SHIFT | MK_CONTROL);
        mSystem.Pointer(Down, X0, Y0, Keys);
        mSystem.Pointer(WM_MOUSEMOVE, (X0 + X1) / 2, (Y0 + Y1) / 2, Keys);
        mSystem.Pointer(WM_MOUSEMOVE, X1, Y1, Keys);
        mSystem.Pointer(Up, X1, Y1, Modifiers);
        Pump();
    }
    void LeftDrag(int X0, int Y0, int X1, int Y1) { Drag(WM_LBUTTONDOWN, MK_LBUTTON, X0, Y0, X1, Y1); }

    // The model units one pixel of pointer motion moves the camera at the model's depth.
    static float UnitsPerPixel()
    {
        const double Depth = std::fabs(Placement.ViewDistance) - View.CameraOffsetZ;
        return static_cast<float>(2.0 * Depth * std::tan(22.5 * 3.14159265358979 / 180.0) /
                                  View.ClientHeight);
    }
};

TEST_F(cMouseTest, LeftDragTurnsAsTheKeysDoAndWrapsAtZeroAndThreeSixty)
{
    // Rightward: the value Right lowers, from 0 round to 340.
    LeftDrag(200, 200, 240, 200);
    EXPECT_FLOAT_EQ(View.CameraAngleY, 340.0f);
    EXPECT_FLOAT_EQ(View.CameraAngleX, 0.0f);
    // Downward: the value Page Up lowers, from 0 round to 350.
    LeftDrag(200, 200, 200, 220);
    EXPECT_FLOAT_EQ(View.CameraAngleX, 350.0f);
    // Leftward and upward past 360 come round to small angles again.
    LeftDrag(240, 220, 160, 180);
    EXPECT_FLOAT_EQ(View.CameraAngleY, 20.0f);
    EXPECT_FLOAT_EQ(View.CameraAngleX, 10.0f);
    // The keys go on from the values the drag left.
    Key(VK_RIGHT);
    EXPECT_FLOAT_EQ(View.CameraAngleY, 15.0f);
    EXPECT_EQ(View.CameraOffsetY, 0.0f);
    EXPECT_EQ(View.CameraOffsetZ, 0.0f);
}

TEST_F(cMouseTest, MotionWithoutAButtonOrAfterTheReleaseChangesNothing)
{
    mSystem.Pointer(WM_MOUSEMOVE, 10, 10, 0);
    mSystem.Pointer(WM_MOUSEMOVE, 300, 300, 0);
    Pump();
    LeftDrag(100, 100, 120, 100);
    mSystem.Pointer(WM_MOUSEMOVE, 400, 400, 0);
    // A drag whose release the window never saw ends at the next motion without the button.
    mSystem.Pointer(WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    mSystem.Pointer(WM_MOUSEMOVE, 50, 100, 0);
    mSystem.Pointer(WM_MOUSEMOVE, 0, 100, MK_LBUTTON);
    Pump();
    EXPECT_FLOAT_EQ(View.CameraAngleY, 350.0f);
    EXPECT_EQ(View.CameraAngleX, 0.0f);
}

TEST_F(cMouseTest, MiddleDragAndShiftLeftDragMoveUpAndDownWithThePointer)
{
    Open(Model("MouseMove", 2, 1).ScriptPath);
    const float Step = UnitsPerPixel();
    ASSERT_GT(Step, 0.0f);
    // Upward: the model rises with the pointer (the value Delete raises).
    Drag(WM_MBUTTONDOWN, MK_MBUTTON, 100, 300, 100, 250);
    EXPECT_NEAR(View.CameraOffsetY, 50.0f * Step, 1e-3f * Step);
    Drag(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 100, 250, 130, 330);
    EXPECT_NEAR(View.CameraOffsetY, -30.0f * Step, 1e-3f * Step);
    EXPECT_EQ(View.CameraAngleY, 0.0f);
    EXPECT_EQ(View.CameraAngleX, 0.0f);
}

TEST_F(cMouseTest, WheelForwardMovesTowardAsUpDoesAndHomeUndoesEveryDrag)
{
    mSystem.Wheel(WHEEL_DELTA, 50, 50);
    Pump();
    EXPECT_FLOAT_EQ(View.CameraOffsetZ, 10.0f);
    mSystem.Wheel(-2 * WHEEL_DELTA, 50, 50);
    mSystem.Wheel(WHEEL_DELTA / 2, 50, 50);   // a finer wheel's half notch
    Pump();
    EXPECT_FLOAT_EQ(View.CameraOffsetZ, -5.0f);

    LeftDrag(10, 10, 33, 57);
    Drag(WM_MBUTTONDOWN, MK_MBUTTON, 10, 10, 10, 40);
    const std::size_t Paints = mSystem.mPaintTimes.size();
    Key(VK_HOME);
    EXPECT_EQ(View.CameraAngleY, 0.0f);
    EXPECT_EQ(View.CameraAngleX, 0.0f);
    EXPECT_EQ(View.CameraOffsetY, 0.0f);
    EXPECT_EQ(View.CameraOffsetZ, 0.0f);
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints + 1);
}

TEST_F(cMouseTest, PaintsAreCoalescedWhileThePointerMoves)
{
    Open(Model("MousePaint", 2, 1).ScriptPath);
    std::size_t Paints = mSystem.mPaintTimes.size();
    // Thirty motions waiting at once: handled, then one paint, none left behind.
    mSystem.Pointer(WM_LBUTTONDOWN, 0, 0, MK_LBUTTON);
    for (int X = 1; X <= 30; ++X)
        mSystem.Pointer(WM_MOUSEMOVE, X, 0, MK_LBUTTON);
    Pump();
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints + 1);
    EXPECT_FALSE(mSystem.GetUpdateRect(Shell.MainWindow));
    EXPECT_FLOAT_EQ(View.CameraAngleY, 345.0f);
    // One motion at a time: one paint each.
    Paints = mSystem.mPaintTimes.size();
    for (int X = 31; X <= 33; ++X)
    {
        mSystem.Pointer(WM_MOUSEMOVE, X, 0, MK_LBUTTON);
        Pump();
    }
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints + 3);
}

// The picture tessaly-render makes of the script with the camera values the shell holds now.
cPicture RenderedWithCamera(const std::string& Script, const char* pszRenderer, int Width,
                            int Height)
{
    char Args[512];
    std::snprintf(Args, sizeof Args,
                  "'%s' -o '%s/drag_%s.png' --renderer %s --size %dx%d --angle-y %.9g "
                  "--angle-x %.9g --offset-y %.9g --offset-z %.9g",
                  Script.c_str(), cShellTestAccess::TempRoot().c_str(), pszRenderer, pszRenderer,
                  Width, Height, View.CameraAngleY, View.CameraAngleX, View.CameraOffsetY, View.CameraOffsetZ);
    const cRun Run = RunTool(cShellTestAccess::TempRoot(), Args);
    EXPECT_EQ(Run.Status, 0) << Run.Err;
    cPicture Picture;
    EXPECT_TRUE(ReadPng(cShellTestAccess::TempRoot() + "/drag_" + pszRenderer + ".png", Picture));
    return Picture;
}

// Drags, wheel steps and a middle drag, then the window's picture against tessaly-render's.
TEST_F(cMouseTest, PictureAfterDragsIsTheRenderToolsWithTheSameValuesInBothRenderers)
{
    if (!mSystem.HasGL())
        GTEST_SKIP() << "no offscreen OpenGL context";
    const std::string Script = Model("MousePicture", 3, 1).ScriptPath;
    for (const char* pszRenderer : {"gl", "d3d"})
    {
        SCOPED_TRACE(pszRenderer);
        if (std::string(pszRenderer) == "d3d")
        {
            mSystem.mDialogScripts.push_back(
                {tDialogAction::SelectLine(DEVICE_LIST_ID, 0), {WM_COMMAND, IDOK, 0}});
            Command(IDM_DIRECT3D);
            ASSERT_EQ(View.RenderMode, eRenderMode::Direct3D);
        }
        else
        {
            Open(Script);
        }
        LeftDrag(240, 200, 213, 171);
        mSystem.Wheel(-WHEEL_DELTA, 240, 200);
        Drag(WM_MBUTTONDOWN, MK_MBUTTON, 240, 200, 240, 212);
        Pump();
        ASSERT_NE(View.CameraAngleY, 0.0f);
        ASSERT_NE(View.CameraOffsetY, 0.0f);
        std::vector<std::uint8_t> Shown;
        int Width = 0, Height = 0;
        ASSERT_TRUE(mSystem.GetWindowPicture(Shell.MainWindow, Shown, Width, Height));
        const cPicture Rendered = RenderedWithCamera(Script, pszRenderer, Width, Height);
        ASSERT_EQ(Rendered.Width, Width);
        ASSERT_EQ(Rendered.Height, Height);
        std::size_t Differ = 0;
        for (std::size_t I = 0; I < Shown.size(); ++I)
            Differ += Shown[I] != Rendered.Rgb[I];
        EXPECT_EQ(Differ, 0u);
    }
}
}  // namespace
