// Prepared frames within a budget, in the shell with either renderer and a budget of a few
// frames: frames drawn least recently are released and come back with the same pictures, a
// paint of a released frame prepares it at once, looping keeps the next frames ready, the
// budget holds, released frames leave nothing behind, a frame prepared in parts is never drawn
// half-made, and running out of memory while preparing again ends the model as a load would.
#include "tests/app/ShellFixture.h"

#include <new>
#include <vector>

#include "platform/rm/RMFaults.h"
#include "render/FramePreparation.h"
#include "render/GLModel.h"
#include "render/ViewState.h"
#include "render_d3d/D3DModel.h"

namespace
{
constexpr int NUM_FRAMES = 24;
constexpr int BUDGET_FRAMES = 5;

using tPicture = std::vector<std::uint32_t>;

class cBudgetTest : public cShellTest, public ::testing::WithParamInterface<int>
{
protected:
    void SetUp() override
    {
        cShellTest::SetUp();
        if (GetParam() == 1 && !mSystem.HasGL())
            GTEST_SKIP() << "no offscreen OpenGL on this machine";
        if (GetParam() == 2)
            UseDirect3D();
    }

    void TearDown() override
    {
        BeforeFramePreparationHook = nullptr;
        SetFrameBudgetBytes(DEFAULT_FRAME_BUDGET_MIB * 1024 * 1024);
        cShellTest::TearDown();
    }

    void UseDirect3D()
    {
        mSystem.mDialogScripts.push_back(
            {tDialogAction::SelectLine(IDC_DEVICE_LIST, 0), {WM_COMMAND, IDOK, 0}});
        Command(IDM_DIRECT3D);
        Pump();
        ASSERT_EQ(View.RenderMode, eRenderMode::Direct3D);
    }

    // Opens the one-sequence model with a budget of Frames frames and selects its sequence.
    void OpenWithBudget(int Frames)
    {
        mScript = Model("Budget", NUM_FRAMES, 1).ScriptPath;
        SetFrameBudgetBytes(DEFAULT_FRAME_BUDGET_MIB * 1024 * 1024);
        Open(mScript);
        ASSERT_NE(TheModel, nullptr);
        mFrameBytes = PreparedFrameBytes();
        ASSERT_GT(mFrameBytes, 0u);
        SetFrameBudgetBytes(static_cast<std::size_t>(Frames) * mFrameBytes);
        Open(mScript);
        Command(IDM_SEQUENCE_BASE);
        ASSERT_EQ(View.SequenceLength, NUM_FRAMES);
    }

    static std::vector<int> Prepared()
    {
        std::vector<int> Frames;
        for (int Frame = 0; Frame < MAX_FRAMES; ++Frame)
            if (FramePrepared(Frame))
                Frames.push_back(Frame);
        return Frames;
    }

    // Frames First, First + 1, ... wrapping within the sequence, Count of them, in frame order.
    static std::vector<int> Window(int First, int Count)
    {
        std::vector<bool> In(NUM_FRAMES, false);
        for (int Step = 0; Step < Count; ++Step)
            In[static_cast<std::size_t>((First + Step) % NUM_FRAMES)] = true;
        std::vector<int> Frames;
        for (int Frame = 0; Frame < NUM_FRAMES; ++Frame)
            if (In[static_cast<std::size_t>(Frame)])
                Frames.push_back(Frame);
        return Frames;
    }

    // Paints the window and returns what it shows, as the active renderer leaves it.
    tPicture Picture()
    {
        mSystem.InvalidateRect(Shell.MainWindow);
        Pump();
        if (View.RenderMode != eRenderMode::OpenGL)
            return mSystem.mPresented;
        const std::vector<std::uint8_t> Rgb = mSystem.ReadPicture();
        tPicture Pixels;
        for (std::size_t I = 0; I + 2 < Rgb.size(); I += 3)
            Pixels.push_back(static_cast<std::uint32_t>(Rgb[I] << 16 | Rgb[I + 1] << 8 | Rgb[I + 2]));
        return Pixels;
    }

    // The pictures of every frame of the sequence, stepped to with n from its start.
    std::vector<tPicture> StepThroughSequence(std::size_t& MostBytes)
    {
        std::vector<tPicture> Pictures{Picture()};
        for (int Step = 1; Step < NUM_FRAMES; ++Step)
        {
            Key(0, 'n');
            Pictures.push_back(Picture());
            MostBytes = std::max(MostBytes, PreparedFrameBytes());
        }
        return Pictures;
    }

    std::size_t Budget() const { return BUDGET_FRAMES * mFrameBytes; }

    std::string mScript;
    std::size_t mFrameBytes = 0;
};

TEST_P(cBudgetTest, FramesDrawnLeastRecentlyAreReleasedAndComeBackWithTheSamePictures)
{
    OpenWithBudget(BUDGET_FRAMES);
    std::size_t MostBytes = 0;
    std::vector<tPicture> First{Picture()};
    for (int Step = 1; Step < NUM_FRAMES; ++Step)
    {
        Key(0, 'n');
        First.push_back(Picture());
        // The frames kept are the ones drawn last.
        const int Oldest = std::max(0, Step - BUDGET_FRAMES + 1);
        EXPECT_EQ(Prepared(), Window(Oldest, Step - Oldest + 1)) << "step " << Step;
        MostBytes = std::max(MostBytes, PreparedFrameBytes());
    }
    EXPECT_LE(MostBytes, Budget());
    EXPECT_NE(First[0], First[1]) << "the frames must differ for the check to mean anything";

    // Frame 0 was released; the paint that reaches it prepares it at once.
    ASSERT_FALSE(FramePrepared(0));
    Command(IDM_SEQUENCE_BASE);
    EXPECT_TRUE(FramePrepared(0));
    const std::vector<tPicture> Again = StepThroughSequence(MostBytes);
    for (int Frame = 0; Frame < NUM_FRAMES; ++Frame)
        EXPECT_EQ(Again[static_cast<std::size_t>(Frame)], First[static_cast<std::size_t>(Frame)])
            << "frame " << Frame;
    EXPECT_LE(MostBytes, Budget());

    // The same pictures as a model that fits the budget, every frame prepared once.
    SetFrameBudgetBytes(DEFAULT_FRAME_BUDGET_MIB * 1024 * 1024);
    Open(mScript);
    Command(IDM_SEQUENCE_BASE);
    PrepareAllFrames();
    EXPECT_EQ(Prepared(), Window(0, NUM_FRAMES));
    EXPECT_EQ(StepThroughSequence(MostBytes), First);
}

TEST_P(cBudgetTest, LoopingKeepsTheNextFramesReadyWithinTheBudget)
{
    OpenWithBudget(BUDGET_FRAMES);
    Command(IDM_LOOP);
    const int Start = View.CurrentFrame;
    constexpr int NUM_PICTURES = 2 * NUM_FRAMES + 3;
    std::size_t MostBytes = 0;
    for (int Picture = 0; Picture < NUM_PICTURES; ++Picture)
    {
        while (FramesWaiting())
            PrepareFramesInIdleTime();
        // The frame about to be drawn and the ones after it, as far as the budget goes.
        ASSERT_EQ(Prepared(), Window(View.CurrentFrame, BUDGET_FRAMES)) << "picture " << Picture;
        MostBytes = std::max(MostBytes, PreparedFrameBytes());
        mSystem.InvalidateRect(Shell.MainWindow);
        Pump();
    }
    EXPECT_LE(MostBytes, Budget());
    EXPECT_EQ(View.CurrentFrame, (Start + NUM_PICTURES) % NUM_FRAMES);
}

TEST_P(cBudgetTest, PaintsExceedTheBudgetByOneFrameAtMost)
{
    // The frames played next fill the budget; frames elsewhere are drawn all the same.
    OpenWithBudget(BUDGET_FRAMES);
    while (FramesWaiting())
        PrepareFramesInIdleTime();
    EXPECT_EQ(Prepared(), Window(0, BUDGET_FRAMES));
    EXPECT_EQ(PreparedFrameBytes(), Budget());
    for (int Frame : {17, 3, 17, 9})
    {
        View.CurrentFrame = Frame;
        Picture();
        EXPECT_TRUE(FramePrepared(Frame));
        EXPECT_LE(PreparedFrameBytes(), Budget()) << "frame " << Frame;
    }

    // A budget smaller than one frame keeps the frame on screen alone, and idle time has none
    // to prepare.
    OpenWithBudget(0);
    for (int Step = 0; Step < 4; ++Step)
    {
        Picture();
        EXPECT_EQ(Prepared(), Window(View.CurrentFrame, 1)) << "step " << Step;
        EXPECT_EQ(PreparedFrameBytes(), mFrameBytes);
        EXPECT_FALSE(FramesWaiting());
        Key(0, 'n');
    }
}

TEST_P(cBudgetTest, FramePreparedInPartsIsFinishedByItsPaint)
{
    OpenWithBudget(NUM_FRAMES);
    // A slice of no time does one part: frame 1 is started, not complete.
    PrepareWaitingFrames(0.0);
    ASSERT_FALSE(FramePrepared(1));
    ASSERT_TRUE(View.RenderMode == eRenderMode::OpenGL ? GLFrames[1] != nullptr : D3DFrames[1] != nullptr);
    EXPECT_FALSE(View.RenderMode == eRenderMode::OpenGL ? GLFrames[1]->IsComplete() : D3DFrames[1]->IsComplete());
    Key(0, 'n');
    const tPicture InParts = Picture();
    EXPECT_TRUE(FramePrepared(1));

    Open(mScript);
    Command(IDM_SEQUENCE_BASE);
    PrepareAllFrames();
    View.CurrentFrame = 1;
    EXPECT_EQ(Picture(), InParts);
}

TEST_P(cBudgetTest, ReleasedFramesLeaveNothingBehind)
{
    const int LiveBefore = RMLiveObjectCount();
    int LiveWhileFull = 0;
    OpenWithBudget(BUDGET_FRAMES);
    Command(IDM_LOOP);
    for (int Picture = 0; Picture < NUM_FRAMES; ++Picture)
    {
        while (FramesWaiting())
            PrepareFramesInIdleTime();
        mSystem.InvalidateRect(Shell.MainWindow);
        Pump();
        if (Picture == BUDGET_FRAMES)
            LiveWhileFull = RMLiveObjectCount();
    }
    // As many retained-mode objects with the budget full after many releases as before them.
    while (FramesWaiting())
        PrepareFramesInIdleTime();
    EXPECT_EQ(RMLiveObjectCount(), LiveWhileFull);

    // A new load, a switch and the window's end, each with frames released before.
    Open(mScript);
    EXPECT_EQ(Prepared(), Window(0, 1));
    if (GetParam() == 1)
        UseDirect3D();
    mSystem.SendMessage(Shell.MainWindow, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(TheModel, nullptr);
    for (int Frame = 0; Frame < MAX_FRAMES; ++Frame)
        EXPECT_TRUE(GLFrames[Frame] == nullptr && D3DFrames[Frame] == nullptr) << Frame;
    EXPECT_EQ(PreparedFrameBytes(), 0u);
    EXPECT_LE(RMLiveObjectCount(), LiveBefore);
}

TEST_P(cBudgetTest, OutOfMemoryWhilePreparingAgainEndsTheModelWithTheLoadMessage)
{
    OpenWithBudget(2);
    Key(0, 'n');
    Picture();
    Key(0, 'n');
    Picture();
    ASSERT_FALSE(FramePrepared(0));
    BeforeFramePreparationHook = [](int Frame) {
        if (Frame == 0)
            throw std::bad_alloc();
    };
    Key(0, 'n');
    for (int Step = 3; Step < NUM_FRAMES; ++Step)
        Key(0, 'n');
    ASSERT_EQ(View.CurrentFrame, 0);
    Picture();
    CheckFramePreparation();
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, "Not enough memory to load " + mScript + ".");
    EXPECT_EQ(TheModel, nullptr);
    EXPECT_TRUE(Prepared().empty());
    EXPECT_EQ(PreparedFrameBytes(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Renderers, cBudgetTest, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& Info) {
                             return Info.param == 1 ? "OpenGL" : "Direct3D";
                         });
}  // namespace
