// The animation clock: the toggle table, the idle redraw rule (strict, across a clock wrap),
// and the message loop run on the test clock: redraw spacing, waiting instead of spinning,
// auto-rotate per paint, and the end of the loop.
#include "tests/app/ShellFixture.h"

#include "render/ViewState.h"

namespace
{
using cClockTest = cShellTest;

TEST_F(cClockTest, ToggleTableStartsKeepsAndStopsTheClock)
{
    struct
    {
        int L, R;
        int CommandId;
        int ToL, ToR, ToA;
        bool bRestarts;
    } const ROWS[] = {
        {0, 0, IDM_LOOP, 1, 0, 1, true},       {0, 0, IDM_AUTOROTATE, 0, 1, 1, true},
        {1, 0, IDM_AUTOROTATE, 1, 1, 1, false}, {0, 1, IDM_LOOP, 1, 1, 1, false},
        {1, 1, IDM_LOOP, 0, 1, 1, false},      {1, 1, IDM_AUTOROTATE, 1, 0, 1, false},
        {1, 0, IDM_LOOP, 0, 0, 0, false},      {0, 1, IDM_AUTOROTATE, 0, 0, 0, false},
    };
    for (const auto& Row : ROWS)
    {
        View.LoopAnimation = static_cast<std::uint8_t>(Row.L);
        View.AutoRotate = static_cast<std::uint8_t>(Row.R);
        View.Animating = static_cast<std::uint8_t>(Row.L || Row.R);
        Shell.LastRedrawTime = 100;
        mSystem.SetTime(9000);
        const std::size_t Paints = mSystem.mPaintTimes.size();
        Command(Row.CommandId);
        const std::string Where = "row " + std::to_string(Row.L) + std::to_string(Row.R) +
                                  " command " + std::to_string(Row.CommandId);
        EXPECT_EQ(View.LoopAnimation, Row.ToL) << Where;
        EXPECT_EQ(View.AutoRotate, Row.ToR) << Where;
        EXPECT_EQ(View.Animating, Row.ToA) << Where;
        EXPECT_EQ(Shell.LastRedrawTime, Row.bRestarts ? 9000u : 100u) << Where;
        const bool bNowOn = Row.CommandId == IDM_LOOP ? Row.ToL == 1 : Row.ToR == 1;
        EXPECT_EQ(mSystem.IsChecked(Row.CommandId), bNowOn) << Where;
        EXPECT_EQ(mSystem.mPaintTimes.size(), Paints + 1) << Where;
    }
}

TEST_F(cClockTest, IdleRedrawIsStrictlyAfterTheInterval)
{
    for (const int Interval : {50, 16})
    {
        View.FrameIntervalMs = Interval;
        Shell.LastRedrawTime = 1000;
        mSystem.ValidateRect(Shell.MainWindow);
        const auto AtInterval = static_cast<std::uint32_t>(1000 + Interval);
        EXPECT_EQ(IdleRedraw(1000), static_cast<std::uint32_t>(Interval + 1));
        EXPECT_EQ(IdleRedraw(AtInterval), 1u) << Interval;
        EXPECT_FALSE(mSystem.GetUpdateRect(Shell.MainWindow));
        EXPECT_EQ(Shell.LastRedrawTime, 1000u);
        EXPECT_EQ(IdleRedraw(AtInterval + 1), 0u) << Interval;
        EXPECT_TRUE(mSystem.GetUpdateRect(Shell.MainWindow));
        EXPECT_EQ(Shell.LastRedrawTime, AtInterval + 1);
    }
}

TEST_F(cClockTest, IdleRedrawMeasuresAcrossTheClockWrap)
{
    View.FrameIntervalMs = 50;
    Shell.LastRedrawTime = 0xFFFFFFF0u;
    EXPECT_EQ(IdleRedraw(0x00000022u), 1u);   // 50 ms later: not yet
    EXPECT_EQ(IdleRedraw(0x00000023u), 0u);   // 51 ms later
    EXPECT_EQ(Shell.LastRedrawTime, 0x00000023u);
    // A last request "ahead" of the clock waits a bounded time, not most of 2^31 ms.
    Shell.LastRedrawTime = 5000;
    EXPECT_EQ(IdleRedraw(4000), 51u);
}

TEST_F(cClockTest, LoopRedrawsEveryIntervalAndWaitsInBetween)
{
    mSystem.SetTime(1000);
    mSystem.ScheduleInput(1000, WM_COMMAND, IDM_AUTOROTATE);
    mSystem.ScheduleInput(1400, WM_CLOSE, 0);
    const std::size_t FirstPaint = mSystem.mPaintTimes.size();
    EXPECT_EQ(RunMessageLoop(), 0);

    // The command's own paint at 1000, then one idle redraw every 51 ms.
    std::vector<std::uint32_t> Paints(mSystem.mPaintTimes.begin() +
                                          static_cast<std::ptrdiff_t>(FirstPaint),
                                      mSystem.mPaintTimes.end());
    const std::vector<std::uint32_t> Expected = {1000, 1051, 1102, 1153, 1204,
                                                 1255, 1306, 1357};
    EXPECT_EQ(Paints, Expected);
    // Auto Rotate turned 5 degrees per paint.
    EXPECT_FLOAT_EQ(View.CameraAngleY, 5.0f * static_cast<float>(Expected.size()));
    // About one wait and two clock reads per redraw: no spinning.
    EXPECT_LE(mSystem.mWaits, 2 * static_cast<int>(Expected.size()) + 2);
    EXPECT_LE(mSystem.mClockReads, 3 * static_cast<int>(Expected.size()) + 3);
    EXPECT_EQ(mSystem.mIdleCloses, 0);
}

TEST_F(cClockTest, LoopRedrawsEvenlyAcrossTheClockWrapAtSixtyFramesPerSecond)
{
    View.FrameRate = 60;
    View.FrameIntervalMs = 16;
    const std::uint32_t Start = 0xFFFFFFC0u;
    mSystem.SetTime(Start);
    mSystem.ScheduleInput(Start, WM_COMMAND, IDM_LOOP);
    mSystem.ScheduleInput(Start + 120, WM_CLOSE, 0);
    const std::size_t FirstPaint = mSystem.mPaintTimes.size();
    RunMessageLoop();
    ASSERT_GE(mSystem.mPaintTimes.size(), FirstPaint + 7);
    for (std::size_t I = FirstPaint + 1; I < mSystem.mPaintTimes.size(); ++I)
        EXPECT_EQ(mSystem.mPaintTimes[I] - mSystem.mPaintTimes[I - 1], 17u) << I;
}

TEST_F(cClockTest, InputRepaintsAtOnceBetweenIdleRedraws)
{
    mSystem.SetTime(0);
    mSystem.ScheduleInput(0, WM_COMMAND, IDM_LOOP);
    mSystem.ScheduleInput(20, WM_KEYDOWN, VK_LEFT);
    mSystem.ScheduleInput(120, WM_CLOSE, 0);
    const std::size_t FirstPaint = mSystem.mPaintTimes.size();
    RunMessageLoop();
    const std::vector<std::uint32_t> Paints(
        mSystem.mPaintTimes.begin() + static_cast<std::ptrdiff_t>(FirstPaint),
        mSystem.mPaintTimes.end());
    // The key's paint does not move the clock: idle redraws stay at 51 and 102.
    const std::vector<std::uint32_t> Expected = {0, 20, 51, 102};
    EXPECT_EQ(Paints, Expected);
}

TEST_F(cClockTest, AutoRotateTakes73PaintsForAFullTurn)
{
    Command(IDM_AUTOROTATE);
    ASSERT_FLOAT_EQ(View.CameraAngleY, 5.0f);   // the command's own paint turned once
    for (int Paint = 2; Paint <= 72; ++Paint)
    {
        mSystem.InvalidateRect(Shell.MainWindow);
        Pump();
    }
    EXPECT_FLOAT_EQ(View.CameraAngleY, 360.0f);
    mSystem.InvalidateRect(Shell.MainWindow);
    Pump();
    EXPECT_FLOAT_EQ(View.CameraAngleY, 0.0f);
}

TEST_F(cClockTest, WithNothingAnimatingTheLoopBlocksUntilInput)
{
    mSystem.SetTime(500);
    mSystem.ScheduleInput(700, WM_COMMAND, IDM_LOOP);
    mSystem.ScheduleInput(710, WM_COMMAND, IDM_LOOP);
    mSystem.ScheduleInput(5000, WM_KEYDOWN, VK_UP);
    const std::size_t FirstPaint = mSystem.mPaintTimes.size();
    EXPECT_EQ(RunMessageLoop(), 0);
    const std::vector<std::uint32_t> Paints(
        mSystem.mPaintTimes.begin() + static_cast<std::ptrdiff_t>(FirstPaint),
        mSystem.mPaintTimes.end());
    // No idle redraws while stopped; only the commands' and the key's own paints.
    EXPECT_EQ(Paints, (std::vector<std::uint32_t>{700, 710, 5000}));
    // After the last input the loop waited for good (the test system then closed it).
    EXPECT_EQ(mSystem.mIdleCloses, 1);
    EXPECT_EQ(mSystem.GetTimeMs(), 5000u);
    EXPECT_TRUE(mSystem.mWindowDestroyed);
}
}  // namespace
