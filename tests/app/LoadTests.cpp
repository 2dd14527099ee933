// The loading flow: the Animations menu across loads, failures, a cancelled chooser, the
// loading window, sequence selection, and the paths it accepts.
#include "tests/app/ShellFixture.h"

#include "model/LoadError.h"
#include "model/ZentorMesh.h"
#include "render/ViewState.h"

namespace
{
using cLoadTest = cShellTest;

std::vector<std::pair<int, std::string>> ExpectedItems(const cGenResult& Gen)
{
    std::vector<std::pair<int, std::string>> Items;
    for (std::size_t I = 0; I < Gen.Sequences.size(); ++I)
        Items.emplace_back(IDM_SEQUENCE_BASE + static_cast<int>(I), Gen.Sequences[I].Name);
    return Items;
}

// The text the import itself gives for a script.
std::string ImportError(const std::string& Path)
{
    try
    {
        cZentorMesh Mesh(Path.c_str(), true);
    }
    catch (const cLoadError& Error)
    {
        return Error.what();
    }
    return "(no error)";
}

TEST_F(cLoadTest, FirstLoadFillsAnimationsAndResetsTheView)
{
    const cGenResult Gen = Model("Three", 12, 3);
    ASSERT_EQ(Gen.Sequences.size(), 3u);
    View.CurrentFrame = 7;
    View.SequenceStart = 5;
    View.SequenceLength = 4;
    View.CameraAngleY = 45.0f;
    View.CameraOffsetZ = 30.0f;
    ASSERT_EQ(mSystem.PopupItems(ANIMATIONS_MENU_POSITION),
              (std::vector<std::pair<int, std::string>>{{IDM_ANIM_ALL, "All"}}));

    Open(Gen.ScriptPath);

    ASSERT_NE(TheModel, nullptr);
    EXPECT_EQ(View.LastScriptPath, Gen.ScriptPath);
    EXPECT_EQ(mSystem.PopupItems(ANIMATIONS_MENU_POSITION), ExpectedItems(Gen));
    EXPECT_GE(mSystem.mDrawMenuBarCount, 1);
    EXPECT_EQ(View.CurrentFrame, 0);
    EXPECT_EQ(View.SequenceStart, 0);
    EXPECT_EQ(View.SequenceLength, 1);
    // The posted Home key has been handled.
    EXPECT_EQ(View.CameraAngleY, 0.0f);
    EXPECT_EQ(View.CameraOffsetZ, 0.0f);
    EXPECT_FALSE(View.Animating);
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());

    ASSERT_EQ(mSystem.mFileChoosers.size(), 1u);
    EXPECT_EQ(mSystem.mFileChoosers[0].FilterText, "ZentorScript source (*.zc)");
    EXPECT_EQ(mSystem.mFileChoosers[0].FilterPattern, "*.zc");
    EXPECT_EQ(mSystem.mFileChoosers[0].Title, "Select the ZentorScript source file to open");

    ASSERT_EQ(mSystem.mDialogs.size(), 1u);
    const tShownDialog& Loading = mSystem.mDialogs[0];
    EXPECT_EQ(Loading.ResourceId, IDD_LOADING);
    EXPECT_EQ(Loading.Caption, "Tessaly - Loading");
    EXPECT_FALSE(Loading.bModal);
    EXPECT_FALSE(Loading.bOpen);
    EXPECT_EQ(Shell.LoadingDialog, HWindow::None);
}

TEST_F(cLoadTest, LoadingWindowIsCompleteOnceFrameZeroIsReady)
{
    if (!mSystem.HasGL())
        GTEST_SKIP() << "no offscreen OpenGL on this machine";
    Open(Model("Progress", 9, 1).ScriptPath);
    ASSERT_EQ(mSystem.mDialogs.size(), 1u);
    const tShownDialog& Loading = mSystem.mDialogs[0];
    ASSERT_EQ(Loading.Progress.count(IDC_LOADING_PROGRESS), 1u);
    EXPECT_EQ(Loading.Progress.at(IDC_LOADING_PROGRESS), std::make_pair(1, 1));
    EXPECT_GE(Loading.ProgressRepaints, 1);
}

TEST_F(cLoadTest, SecondLoadWithFewerSequencesLeavesNoStaleItem)
{
    Open(Model("Three", 12, 3).ScriptPath);
    const cGenResult Small = Model("One", 4, 1);
    Open(Small.ScriptPath);
    EXPECT_EQ(mSystem.PopupItems(ANIMATIONS_MENU_POSITION), ExpectedItems(Small));
    EXPECT_EQ(mSystem.mDialogs.size(), 2u);
}

TEST_F(cLoadTest, ScriptWithoutSequencesLeavesAnimationsEmpty)
{
    Open(Model("NoSeq", 3, 0).ScriptPath);
    ASSERT_NE(TheModel, nullptr);
    EXPECT_TRUE(mSystem.PopupItems(ANIMATIONS_MENU_POSITION).empty());
    Command(IDM_SEQUENCE_BASE);
    EXPECT_EQ(View.SequenceLength, 1);
}

TEST_F(cLoadTest, FailedLoadShowsTheImportTextAndLeavesNoModel)
{
    Open(Model("Three", 12, 3).ScriptPath);
    View.SequenceStart = 4;
    View.SequenceLength = 3;
    View.CurrentFrame = 5;
    const std::string Missing = TempRoot() + "/Nowhere/Classes/Missing.zc";

    Open(Missing);

    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, ImportError(Missing));
    EXPECT_NE(mSystem.mMessageBoxes[0].Text, "(no error)");
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Error");
    EXPECT_EQ(mSystem.mMessageBoxes[0].Style, static_cast<unsigned>(MB_ICONEXCLAMATION));
    EXPECT_EQ(TheModel, nullptr);
    EXPECT_TRUE(mSystem.PopupItems(ANIMATIONS_MENU_POSITION).empty());
    EXPECT_EQ(View.CurrentFrame, 5);
    EXPECT_EQ(View.SequenceStart, 4);
    EXPECT_EQ(View.SequenceLength, 3);
    EXPECT_EQ(mSystem.mDialogs.back().ResourceId, IDD_LOADING);
    EXPECT_FALSE(mSystem.mDialogs.back().bOpen);
    EXPECT_EQ(Shell.LoadingDialog, HWindow::None);

    // The next good load shows the loading window again and fills the menu.
    const cGenResult Good = Model("One", 4, 1);
    Open(Good.ScriptPath);
    EXPECT_EQ(mSystem.mDialogs.size(), 3u);
    EXPECT_EQ(mSystem.PopupItems(ANIMATIONS_MENU_POSITION), ExpectedItems(Good));
}

TEST_F(cLoadTest, FailedFirstLoadRemovesThePlaceholder)
{
    Open(TempRoot() + "/Nowhere/Classes/Missing.zc");
    EXPECT_TRUE(mSystem.PopupItems(ANIMATIONS_MENU_POSITION).empty());
    EXPECT_EQ(mSystem.mMessageBoxes.size(), 1u);
}

// The path of the model on screen is what a renderer switch loads again; cancelling the
// chooser must not lose it.
TEST_F(cLoadTest, CancelledChooserKeepsTheModelAndItsPath)
{
    const cGenResult Gen = Model("Three", 12, 3);
    Open(Gen.ScriptPath);
    cZentorMesh* pModel = TheModel;
    const std::size_t Dialogs = mSystem.mDialogs.size();

    mSystem.mFileAnswers.push_back(std::nullopt);
    Command(IDM_OPEN);

    EXPECT_EQ(TheModel, pModel);
    EXPECT_EQ(View.LastScriptPath, Gen.ScriptPath);
    EXPECT_EQ(mSystem.PopupItems(ANIMATIONS_MENU_POSITION), ExpectedItems(Gen));
    EXPECT_EQ(mSystem.mDialogs.size(), Dialogs);
    EXPECT_EQ(OpenScript(nullptr), 1);
}

TEST_F(cLoadTest, PathArgumentUpTo255CharactersIsTakenLongerIsIgnored)
{
    const cGenResult Gen = Model("One", 4, 1);
    EXPECT_EQ(OpenScript(Gen.ScriptPath.c_str()), 0);
    const std::string TooLong(256, 'x');
    // The previous script is loaded again.
    EXPECT_EQ(OpenScript(TooLong.c_str()), 0);
    EXPECT_EQ(View.LastScriptPath, Gen.ScriptPath);
    EXPECT_NE(TheModel, nullptr);
    // Passing the remembered path itself reloads it.
    EXPECT_EQ(OpenScript(View.LastScriptPath.c_str()), 0);
    EXPECT_EQ(View.LastScriptPath, Gen.ScriptPath);
}

TEST_F(cLoadTest, LoadKeepsTheClockRunningWithLoopAnimationOn)
{
    mSystem.SetTime(5000);
    Command(IDM_LOOP);
    ASSERT_TRUE(View.Animating);
    mSystem.SetTime(9000);
    OpenScript(Model("One", 4, 1).ScriptPath.c_str());
    EXPECT_TRUE(View.Animating);
    // The load does not restart the interval.
    EXPECT_EQ(Shell.LastRedrawTime, 5000u);
}

TEST_F(cLoadTest, SelectingASequenceSetsItsRangeAndLoopingPlaysIt)
{
    const cGenResult Gen = Model("Three", 12, 3);
    Open(Gen.ScriptPath);
    const cGenSequence& Second = Gen.Sequences[1];
    View.CameraAngleY = 90.0f;
    Command(IDM_SEQUENCE_BASE + 1);
    EXPECT_EQ(View.CurrentFrame, Second.StartFrame);
    EXPECT_EQ(View.SequenceStart, Second.StartFrame);
    EXPECT_EQ(View.SequenceLength, Second.NumFrames);
    EXPECT_EQ(View.CameraAngleY, 90.0f);
    EXPECT_FALSE(View.Animating);
    EXPECT_FALSE(mSystem.IsChecked(IDM_SEQUENCE_BASE + 1));

    if (!mSystem.HasGL())
        GTEST_SKIP() << "frames advance only when drawn";
    // Loop on: each paint draws the current frame, then steps within the sequence; the
    // command's own paint has already stepped once.
    Command(IDM_LOOP);
    std::vector<int> Shown;
    for (int I = 0; I < 2 * Second.NumFrames; ++I)
    {
        Shown.push_back(View.CurrentFrame);
        mSystem.InvalidateRect(Shell.MainWindow);
        Pump();
    }
    std::vector<int> Expected;
    for (int I = 0; I < 2 * Second.NumFrames; ++I)
        Expected.push_back(Second.StartFrame + (I + 1) % Second.NumFrames);
    EXPECT_EQ(Shown, Expected);
}
}  // namespace
