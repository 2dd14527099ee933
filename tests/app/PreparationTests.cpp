// Frames prepared after the load: the first picture comes before the other frames, stepping
// and looping reach frames not prepared yet with their own pictures, a new load, a renderer
// switch or the window's end stop the preparation, and a frame that runs out of memory ends
// the model with the load's message.
#include "tests/app/ShellFixture.h"

#include <algorithm>
#include <new>
#include <vector>

#include "render/FramePreparation.h"
#include "render/GLModel.h"
#include "render/Renderer.h"
#include "render/ViewState.h"
#include "render_d3d/D3DModel.h"

namespace
{
constexpr int NUM_FRAMES = 40;

class cPreparationTest : public cShellTest
{
protected:
    void TearDown() override
    {
        BeforeFramePreparationHook = nullptr;
        cShellTest::TearDown();
    }

    // The frames of the active renderer that are prepared, in frame order.
    static std::vector<int> Prepared()
    {
        std::vector<int> Frames;
        for (int Frame = 0; Frame < MAX_FRAMES; ++Frame)
            if (ActiveRenderer().IsFramePrepared(Frame))
                Frames.push_back(Frame);
        return Frames;
    }

    static std::vector<int> Range(int First, int Count)
    {
        std::vector<int> Frames;
        for (int Frame = First; Frame < First + Count; ++Frame)
            Frames.push_back(Frame);
        return Frames;
    }

    // What the window shows after a paint, as the active renderer leaves it.
    std::vector<std::uint32_t> Picture()
    {
        mSystem.InvalidateRect(Shell.MainWindow);
        Pump();
        if (View.RenderMode == eRenderMode::Direct3D)
            return mSystem.mPresented;
        const std::vector<std::uint8_t> Rgb = mSystem.ReadPicture();
        std::vector<std::uint32_t> Pixels;
        for (std::size_t I = 0; I + 2 < Rgb.size(); I += 3)
            Pixels.push_back(static_cast<std::uint32_t>(Rgb[I] << 16 | Rgb[I + 1] << 8 | Rgb[I + 2]));
        return Pixels;
    }

    // Options > Use Direct3D with the first device.
    void UseDirect3D()
    {
        mSystem.mDialogScripts.push_back(
            {tDialogAction::SelectLine(IDC_DEVICE_LIST, 0), {WM_COMMAND, IDOK, 0}});
        Command(IDM_DIRECT3D);
        Pump();
    }

    // Pictures of frames 1 to 5 stepped to with n before idle time prepared them, then the
    // same frames after a fresh load that prepared every frame at once.
    void ExpectSteppedPicturesMatchFramesPreparedAtOnce()
    {
        const std::string Script = Model("Steps", NUM_FRAMES, 1).ScriptPath;
        Open(Script);
        Command(IDM_SEQUENCE_BASE);
        std::vector<std::vector<std::uint32_t>> Stepped;
        for (int Step = 1; Step <= 5; ++Step)
        {
            Key(0, 'n');
            ASSERT_EQ(View.CurrentFrame, Step);
            Stepped.push_back(Picture());
        }
        // Only the frames drawn were prepared; the rest still wait.
        EXPECT_EQ(Prepared(), Range(0, 6));
        EXPECT_TRUE(FramesWaiting());
        EXPECT_NE(Stepped[0], Stepped[1]) << "the frames must differ for the check to mean anything";

        Open(Script);
        PrepareAllFrames();
        for (int Step = 1; Step <= 5; ++Step)
        {
            View.CurrentFrame = Step;
            EXPECT_EQ(Picture(), Stepped[static_cast<std::size_t>(Step - 1)]) << "frame " << Step;
        }
    }
};

TEST_F(cPreparationTest, FirstPictureComesBeforeTheOtherFramesAndIdleTimePreparesThemInOrder)
{
    if (!mSystem.HasGL())
        GTEST_SKIP() << "no offscreen OpenGL on this machine";
    Open(Model("Many", NUM_FRAMES, 2).ScriptPath);
    // The load's paint has shown frame 0, and it is the only frame prepared.
    EXPECT_GT(mSystem.mSwapCount, 0);
    EXPECT_EQ(Prepared(), Range(0, 1));
    EXPECT_TRUE(FramesWaiting());
    EXPECT_FALSE(mSystem.mDialogs[0].bOpen);

    // Each idle slice prepares the next frames in order.
    std::size_t Before = 1;
    while (PrepareFramesInIdleTime())
    {
        const std::vector<int> Now = Prepared();
        EXPECT_GT(Now.size(), Before);
        EXPECT_EQ(Now, Range(0, static_cast<int>(Now.size())));
        Before = Now.size();
    }
    EXPECT_EQ(Prepared(), Range(0, NUM_FRAMES));
    EXPECT_FALSE(FramesWaiting());
}

TEST_F(cPreparationTest, SelectedSequenceIsPreparedFirstAndLoopingVisitsEveryFrameInOrder)
{
    if (!mSystem.HasGL())
        GTEST_SKIP() << "no offscreen OpenGL on this machine";
    const cGenResult Gen = Model("Loop", NUM_FRAMES, 2);
    Open(Gen.ScriptPath);
    const cGenSequence& Second = Gen.Sequences[1];
    ASSERT_GT(Second.StartFrame, 1);
    // Every frame prepared from the sequence's choice on, in the order it was prepared.
    static std::vector<int> Order;
    Order.clear();
    BeforeFramePreparationHook = [](int Frame) { Order.push_back(Frame); };
    Command(IDM_SEQUENCE_BASE + 1);
    Command(IDM_LOOP);
    // Idle time goes on from the sequence's first frame while the animation plays it.
    std::vector<int> Shown;
    for (int I = 0; I < 2 * Second.NumFrames; ++I)
    {
        Shown.push_back(View.CurrentFrame);
        PrepareFramesInIdleTime();
        Picture();
    }
    // The sequence's frames all came before any frame outside it, in frame order.
    const auto InSequence = [&Second](int Frame) {
        return Frame >= Second.StartFrame && Frame < Second.StartFrame + Second.NumFrames;
    };
    const auto FirstOutside = std::find_if_not(Order.begin(), Order.end(), InSequence);
    EXPECT_EQ(std::vector<int>(Order.begin(), FirstOutside),
              Range(Second.StartFrame, Second.NumFrames));
    std::vector<int> Expected;
    for (int I = 0; I < 2 * Second.NumFrames; ++I)
        Expected.push_back(Second.StartFrame + (I + 1) % Second.NumFrames);
    EXPECT_EQ(Shown, Expected);
    for (int Frame = Second.StartFrame; Frame < Second.StartFrame + Second.NumFrames; ++Frame)
        EXPECT_NE(GLFrames[Frame], nullptr) << Frame;
}

TEST_F(cPreparationTest, SteppedFramesShowThePicturesOfFramesPreparedAtOnceInOpenGL)
{
    if (!mSystem.HasGL())
        GTEST_SKIP() << "no offscreen OpenGL on this machine";
    ExpectSteppedPicturesMatchFramesPreparedAtOnce();
}

TEST_F(cPreparationTest, SteppedFramesShowThePicturesOfFramesPreparedAtOnceInDirect3D)
{
    UseDirect3D();
    ASSERT_EQ(View.RenderMode, eRenderMode::Direct3D);
    ExpectSteppedPicturesMatchFramesPreparedAtOnce();
}

TEST_F(cPreparationTest, NewLoadSwitchAndWindowEndLeaveNoFrameOfTheOldModel)
{
    Open(Model("Old", NUM_FRAMES, 1).ScriptPath);
    PrepareFramesInIdleTime();
    Open(Model("Small", 5, 1).ScriptPath);
    EXPECT_EQ(Prepared(), Range(0, 1));
    PrepareAllFrames();
    EXPECT_EQ(Prepared(), Range(0, 5));

    Open(Model("Old", NUM_FRAMES, 1).ScriptPath);
    PrepareFramesInIdleTime();
    UseDirect3D();
    ASSERT_EQ(View.RenderMode, eRenderMode::Direct3D);
    // The reload for Direct3D starts over: no OpenGL frame is left and frame 0 alone is built.
    for (cGLFrame* pFrame : GLFrames)
        EXPECT_EQ(pFrame, nullptr);
    EXPECT_EQ(Prepared(), Range(0, 1));
    while (PrepareFramesInIdleTime())
    {
    }
    EXPECT_EQ(Prepared(), Range(0, NUM_FRAMES));

    Open(Model("Old", NUM_FRAMES, 1).ScriptPath);
    PrepareFramesInIdleTime();
    mSystem.SendMessage(Shell.MainWindow, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(TheModel, nullptr);
    EXPECT_FALSE(FramesWaiting());
    for (cD3DFrame* pFrame : D3DFrames)
        EXPECT_EQ(pFrame, nullptr);
}

TEST_F(cPreparationTest, FrameOutOfMemoryEndsTheModelWithTheLoadMessage)
{
    const std::string Script = Model("Full", NUM_FRAMES, 2).ScriptPath;
    const std::string Text = "Not enough memory to load " + Script + ".";
    BeforeFramePreparationHook = [](int Frame) {
        if (Frame == 7)
            throw std::bad_alloc();
    };
    Open(Script);
    ASSERT_NE(TheModel, nullptr);
    ASSERT_TRUE(mSystem.mMessageBoxes.empty());
    while (PrepareFramesInIdleTime())
    {
    }
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, Text);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Error");
    EXPECT_EQ(TheModel, nullptr);
    EXPECT_TRUE(Prepared().empty());
    EXPECT_FALSE(FramesWaiting());
    EXPECT_TRUE(mSystem.PopupItems(ANIMATIONS_MENU_POSITION).empty());

    // Stepping onto the failing frame ends the model the same way, once the loop looks.
    Open(Script);
    Command(IDM_SEQUENCE_BASE);
    View.CurrentFrame = 6;
    Key(0, 'n');
    CheckFramePreparation();
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 2u);
    EXPECT_EQ(mSystem.mMessageBoxes[1].Text, Text);
    EXPECT_EQ(TheModel, nullptr);

    // Frame 0 running out of memory fails the load itself.
    BeforeFramePreparationHook = [](int) { throw std::bad_alloc(); };
    Open(Script);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 3u);
    EXPECT_EQ(mSystem.mMessageBoxes[2].Text, Text);
    EXPECT_EQ(TheModel, nullptr);
    EXPECT_FALSE(mSystem.mDialogs.back().bOpen);
}
}  // namespace
