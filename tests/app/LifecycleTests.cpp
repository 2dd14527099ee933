// The program's life on a window system: the whole run from start to exit, a window that
// cannot be created, window size, and the palette messages on palette-based displays.
#include <gtest/gtest.h>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "load/ModelLoad.h"
#include "render/ViewState.h"
#include "tests/app/ShellFixture.h"

namespace
{
void ResetAll()
{
    ResetViewState();
    ResetShellState();
}

// A window system on which no window can be made.
class cNoWindowSystem : public cHeadlessWindowSystem
{
public:
    HWindow CreateMainWindow(const tMainWindowDesc&) override { return HWindow::None; }
};

TEST(cLifecycleTest, WholeRunOpensAScriptAndEndsWithZeroOnEscape)
{
    ResetAll();
    cHeadlessWindowSystem System;
    System.mFileAnswers.push_back(cShellTestAccess::ModelPath("Life", 6, 2));
    System.SetTime(100);
    System.ScheduleInput(200, WM_COMMAND, IDM_OPEN);
    System.ScheduleInput(300, WM_COMMAND, IDM_LOOP);
    System.ScheduleInput(1000, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(TessalyMain(System), 0);
    EXPECT_TRUE(System.mWindowDestroyed);
    EXPECT_EQ(TheModel, nullptr);
    EXPECT_EQ(Shell.GLContext, HGLContext::None);
    EXPECT_TRUE(System.mMessageBoxes.empty());
    EXPECT_EQ(System.PopupItems(ANIMATIONS_MENU_POSITION).size(), 2u);
    // Creation painted at once (UpdateWindow), then the clock ran from 300 to 1000.
    EXPECT_EQ(System.mPaintTimes.front(), 100u);
    EXPECT_GE(System.mPaintTimes.size(), 14u);
}

TEST(cLifecycleTest, NoWindowMeansAFailingExitCodeAndNothingShown)
{
    ResetAll();
    cNoWindowSystem System;
    testing::internal::CaptureStderr();
    EXPECT_EQ(TessalyMain(System), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Tessaly: the main window could not be created.\n");
    EXPECT_FALSE(System.mWindowShown);
    EXPECT_TRUE(System.mPaintTimes.empty());
    EXPECT_EQ(Shell.MainWindow, HWindow::None);
}

TEST(cLifecycleTest, SizeMessagesReachTheViewAndActivationIsAnswered)
{
    ResetAll();
    cHeadlessWindowSystem System;
    ASSERT_TRUE(CreateShellWindow(System));
    EXPECT_EQ(View.ClientWidth, System.mClientWidth);
    EXPECT_EQ(View.ClientHeight, System.mClientHeight);
    EXPECT_EQ(System.SendMessage(Shell.MainWindow, WM_SIZE, 0, (300 << 16) | 640), 0);
    EXPECT_EQ(View.ClientWidth, 640);
    EXPECT_EQ(View.ClientHeight, 300);
    EXPECT_EQ(System.SendMessage(Shell.MainWindow, WM_ACTIVATE, WA_ACTIVE, 0), 0);
    System.DestroyWindow(Shell.MainWindow);
}

TEST(cLifecycleTest, DirectColourDisplayHasNoPalette)
{
    ResetAll();
    cHeadlessWindowSystem System;
    ASSERT_TRUE(CreateShellWindow(System));
    EXPECT_EQ(Shell.GLPalette, HPalette::None);
    EXPECT_TRUE(System.mLastPalette.empty());
    System.ValidateRect(Shell.MainWindow);
    EXPECT_EQ(System.SendMessage(Shell.MainWindow, WM_QUERYNEWPALETTE, 0, 0), 0);
    EXPECT_EQ(System.SendMessage(Shell.MainWindow, WM_PALETTECHANGED, 77, 0), 0);
    EXPECT_FALSE(System.GetUpdateRect(Shell.MainWindow));
    EXPECT_EQ(System.mUpdateColorsCount, 0);
    System.DestroyWindow(Shell.MainWindow);
}

TEST(cLifecycleTest, EightBitDisplayGetsARealisedPalette)
{
    ResetAll();
    cHeadlessWindowSystem System;
    tPixelFormat& Format = System.mReportedFormat;
    Format.dwFlags |= PFD_NEED_PALETTE;
    Format.cColorBits = 8;
    Format.cRedBits = 3;
    Format.cRedShift = 0;
    Format.cGreenBits = 3;
    Format.cGreenShift = 3;
    Format.cBlueBits = 2;
    Format.cBlueShift = 6;
    ASSERT_TRUE(CreateShellWindow(System));
    ASSERT_NE(Shell.GLPalette, HPalette::None);
    ASSERT_EQ(System.mLastPalette.size(), 256u);
    const auto Rgb = [&](int I) {
        const tPaletteEntry& E = System.mLastPalette[static_cast<std::size_t>(I)];
        return std::vector<int>{E.peRed, E.peGreen, E.peBlue};
    };
    EXPECT_EQ(Rgb(255), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(Rgb(7), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(Rgb(0xC0), (std::vector<int>{0, 0, 255}));

    System.ValidateRect(Shell.MainWindow);
    EXPECT_EQ(System.SendMessage(Shell.MainWindow, WM_QUERYNEWPALETTE, 0, 0), 256);
    EXPECT_TRUE(System.GetUpdateRect(Shell.MainWindow));

    // Our own realisation is announced too and must not be answered.
    const auto Self = static_cast<std::uintptr_t>(Shell.MainWindow);
    EXPECT_EQ(System.SendMessage(Shell.MainWindow, WM_PALETTECHANGED, Self, 0), 0);
    EXPECT_EQ(System.mUpdateColorsCount, 0);
    EXPECT_EQ(System.SendMessage(Shell.MainWindow, WM_PALETTECHANGED, Self + 41, 0), 0);
    EXPECT_EQ(System.mUpdateColorsCount, 1);

    System.DestroyWindow(Shell.MainWindow);
    EXPECT_EQ(Shell.GLPalette, HPalette::None);
}
}  // namespace
