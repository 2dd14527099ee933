// Camera keys with their wrap rules, Home, Escape, keys without a code of their own, and frame
// stepping with n/N and p/P (not with Alt held).
#include "tests/app/ShellFixture.h"

#include "render/ViewState.h"

namespace
{
using cKeyTest = cShellTest;

TEST_F(cKeyTest, LeftTurnsUpToThreeSixtyThenWrapsToZeroOnThe73rdPress)
{
    for (int Press = 1; Press <= 72; ++Press)
    {
        Key(VK_LEFT);
        ASSERT_FLOAT_EQ(View.CameraAngleY, 5.0f * Press) << "press " << Press;
    }
    Key(VK_LEFT);
    EXPECT_FLOAT_EQ(View.CameraAngleY, 0.0f);
}

TEST_F(cKeyTest, RightAndPageKeysWrapStrictly)
{
    Key(VK_RIGHT);
    EXPECT_FLOAT_EQ(View.CameraAngleY, 360.0f);
    Key(VK_RIGHT);
    EXPECT_FLOAT_EQ(View.CameraAngleY, 355.0f);

    View.CameraAngleY = 5.0f;
    Key(VK_RIGHT);
    EXPECT_FLOAT_EQ(View.CameraAngleY, 0.0f);

    Key(VK_PRIOR);
    EXPECT_FLOAT_EQ(View.CameraAngleX, 360.0f);
    Key(VK_NEXT);
    EXPECT_FLOAT_EQ(View.CameraAngleX, 0.0f);
    Key(VK_NEXT);
    EXPECT_FLOAT_EQ(View.CameraAngleX, 5.0f);
    Key(VK_PRIOR);
    Key(VK_PRIOR);
    EXPECT_FLOAT_EQ(View.CameraAngleX, 360.0f);
}

TEST_F(cKeyTest, OffsetKeysMoveByTenWithoutBounds)
{
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_FLOAT_EQ(View.CameraOffsetZ, 20.0f);
    Key(VK_DOWN);
    EXPECT_FLOAT_EQ(View.CameraOffsetZ, 10.0f);
    Key(VK_INSERT);
    EXPECT_FLOAT_EQ(View.CameraOffsetY, -10.0f);
    Key(VK_DELETE);
    Key(VK_DELETE);
    EXPECT_FLOAT_EQ(View.CameraOffsetY, 10.0f);
    for (int I = 0; I < 100; ++I)
        Key(VK_DOWN);
    EXPECT_FLOAT_EQ(View.CameraOffsetZ, -990.0f);
}

TEST_F(cKeyTest, HomeResetsAllFourCameraValuesAndRedraws)
{
    View.CameraOffsetY = 30.0f;
    View.CameraOffsetZ = -40.0f;
    View.CameraAngleY = 125.0f;
    View.CameraAngleX = 355.0f;
    const std::size_t Paints = mSystem.mPaintTimes.size();
    Key(VK_HOME);
    EXPECT_EQ(View.CameraOffsetY, 0.0f);
    EXPECT_EQ(View.CameraOffsetZ, 0.0f);
    EXPECT_EQ(View.CameraAngleY, 0.0f);
    EXPECT_EQ(View.CameraAngleX, 0.0f);
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints + 1);
}

TEST_F(cKeyTest, AnyKeyRedrawsOnceAndKeyDownGoesOnToDefaultHandling)
{
    const std::size_t Paints = mSystem.mPaintTimes.size();
    Key('A', 'a');
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints + 1);
    EXPECT_EQ(View.CameraAngleY, 0.0f);
    // Several keys before the paint give one paint.
    mSystem.PressKey(VK_LEFT);
    mSystem.PressKey(VK_LEFT);
    mSystem.PressKey(VK_UP);
    Pump();
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints + 2);
    EXPECT_FLOAT_EQ(View.CameraAngleY, 10.0f);
}

TEST_F(cKeyTest, KeysWithoutACodeRedrawAndAltLettersStepNoFrame)
{
    View.SequenceLength = 5;
    const std::size_t Paints = mSystem.mPaintTimes.size();
    Key(VK_OTHER);
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints + 1);
    EXPECT_EQ(View.CameraAngleY, 0.0f);
    EXPECT_EQ(View.CameraOffsetZ, 0.0f);
    // Alt+n is a menu mnemonic: the key-down still redraws, but no frame is stepped.
    mSystem.PressKey('N', 'n', true);
    Pump();
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints + 2);
    EXPECT_EQ(View.CurrentFrame, 0);
    Key('N', 'n');
    EXPECT_EQ(View.CurrentFrame, 1);
}

TEST_F(cKeyTest, EscapeClosesTheWindowAndTheLoopEndsWithZero)
{
    Key(VK_ESCAPE);
    EXPECT_TRUE(mSystem.mWindowDestroyed);
    EXPECT_TRUE(mQuit);
    EXPECT_EQ(mExitCode, 0u);
}

TEST_F(cKeyTest, NextWrapsToSequenceStartAndPreviousStopsThere)
{
    View.SequenceStart = 10;
    View.SequenceLength = 5;
    View.CurrentFrame = 14;
    Key('N', 'n');
    EXPECT_EQ(View.CurrentFrame, 10);
    Key('N', 'N');
    EXPECT_EQ(View.CurrentFrame, 11);
    Key('P', 'p');
    EXPECT_EQ(View.CurrentFrame, 10);
    Key('P', 'P');
    EXPECT_EQ(View.CurrentFrame, 10);
    View.CurrentFrame = 12;
    Key('P', 'p');
    EXPECT_EQ(View.CurrentFrame, 11);
}

TEST_F(cKeyTest, StepsStayOnFrameZeroWithTheOneFrameRangeOfALoad)
{
    View.SequenceStart = 0;
    View.SequenceLength = 1;
    Key('N', 'n');
    EXPECT_EQ(View.CurrentFrame, 0);
    Key('P', 'p');
    EXPECT_EQ(View.CurrentFrame, 0);
}

TEST_F(cKeyTest, StepsAtTheEndsOfThe32BitRangeStayInRange)
{
    // A script may place a sequence at the largest or smallest frame number.
    View.SequenceStart = INT32_MAX - 1;
    View.SequenceLength = 5;
    View.CurrentFrame = INT32_MAX;
    Key('N', 'n');
    EXPECT_EQ(View.CurrentFrame, INT32_MAX - 1);
    View.SequenceStart = INT32_MIN;
    View.CurrentFrame = INT32_MIN;
    Key('P', 'p');
    EXPECT_EQ(View.CurrentFrame, INT32_MIN);
    View.SequenceLength = INT32_MAX;
    View.CurrentFrame = INT32_MAX;
    Key('N', 'n');
    EXPECT_EQ(View.CurrentFrame, INT32_MIN);
}

TEST_F(cKeyTest, CharactersReturnZeroAndOthersChangeNothing)
{
    View.SequenceLength = 5;
    EXPECT_EQ(mSystem.SendMessage(Shell.MainWindow, WM_CHAR, 'x', 0), 0);
    EXPECT_EQ(mSystem.SendMessage(Shell.MainWindow, WM_CHAR, 'n', 0), 0);
    EXPECT_EQ(View.CurrentFrame, 1);
}
}  // namespace
