// Set-up and helpers of the shell tests.
#include "tests/app/ShellFixture.h"

#include <map>

#include "load/ModelLoad.h"
#include "render/ViewState.h"
#include "tests/common/TempFolder.h"

void cShellTest::SetUp()
{
    ResetViewState();
    ResetShellState();
    ASSERT_TRUE(CreateShellWindow(mSystem));
    Pump();
}

void cShellTest::TearDown()
{
    if (!mSystem.mWindowDestroyed && Shell.MainWindow != HWindow::None)
        mSystem.DestroyWindow(Shell.MainWindow);
    // Nothing may survive a test: the next one starts from a clean model and view state.
    EXPECT_EQ(TheModel, nullptr);
    ReleaseModel();
}

void cShellTest::Pump()
{
    while (!mQuit && mSystem.PeekMessage())
    {
        tMessage Msg;
        if (!mSystem.GetMessage(Msg))
        {
            mQuit = true;
            mExitCode = Msg.wParam;
            return;
        }
        mSystem.TranslateMessage(Msg);
        mSystem.DispatchMessage(Msg);
    }
}

void cShellTest::Key(std::uintptr_t VirtualKey, char Character)
{
    mSystem.PressKey(VirtualKey, Character);
    Pump();
}

void cShellTest::Command(int CommandId)
{
    mSystem.PostInput(WM_COMMAND, static_cast<std::uintptr_t>(CommandId));
    Pump();
}

void cShellTest::Open(const std::string& Path)
{
    mSystem.mFileAnswers.push_back(Path);
    Command(IDM_OPEN);
}

std::string cShellTest::TempRoot()
{
    // The test program's content folder, removed when the program ends.
    static const cTempFolder Dir("tessaly-app");
    return Dir.Path();
}

cGenResult cShellTest::Model(const std::string& Name, int NumFrames, int NumSequences)
{
    static std::map<std::string, cGenResult> Written;
    auto It = Written.find(Name);
    if (It == Written.end())
    {
        cGenParams Params;
        Params.Name = Name;
        Params.NumFrames = NumFrames;
        Params.NumSequences = NumSequences;
        Params.NumTris = 16;
        Params.NumVertices = 18;
        It = Written.emplace(Name, WriteModel(TempRoot() + "/" + Name, Params)).first;
    }
    return It->second;
}
