// What the viewer keeps between runs, over several runs of the shell on one settings file:
// the recent scripts (at most eight, most recent first, a vanished one taken off), the Open
// dialog's folder and the window's size; nothing written before there is something to keep;
// a corrupt or read-only settings file gives a normal start with the defaults and stays as it was.
#include "tests/app/ShellFixture.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "load/ModelLoad.h"
#include "render/ViewState.h"

namespace fs = std::filesystem;

namespace
{
std::string ReadAll(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}

class cSettingsRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string Name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        mFolder = cShellTestAccess::TempRoot() + "/config-" + Name;
        fs::remove_all(mFolder);
        mFile = mFolder + "/tessaly/tessaly.conf";
    }

    // One run of the program: a window system on the settings file, the shell's window, what
    // the user does, then the window closed.
    void Run(const std::function<void(cHeadlessWindowSystem&)>& User)
    {
        ResetViewState();
        ResetShellState();
        cHeadlessWindowSystem System;
        System.UseSettingsFile(mFile);
        ASSERT_TRUE(CreateShellWindow(System));
        mShown = &System;
        Pump();
        User(System);
        System.DestroyWindow(Shell.MainWindow);
        Pump();
        ReleaseModel();
        mShown = nullptr;
    }
    void Pump()
    {
        tMessage Msg;
        while (mShown->PeekMessage() && mShown->GetMessage(Msg))
        {
            mShown->TranslateMessage(Msg);
            mShown->DispatchMessage(Msg);
        }
    }
    void Command(int CommandId)
    {
        mShown->PostInput(WM_COMMAND, static_cast<std::uintptr_t>(CommandId));
        Pump();
    }
    void Open(const std::string& Path)
    {
        mShown->mFileAnswers.push_back(Path);
        Command(IDM_OPEN);
    }
    std::vector<std::string> RecentMenu() const
    {
        std::vector<std::string> Texts;
        for (const auto& Item : mShown->PopupItems(FILE_MENU_POSITION, RECENT_MENU_POSITION))
            Texts.push_back(Item.second);
        return Texts;
    }
    static std::string Script(const std::string& Name)
    {
        return fs::absolute(cShellTestAccess::ModelPath(Name, 2, 1)).lexically_normal().string();
    }

    std::string mFolder, mFile;
    cHeadlessWindowSystem* mShown = nullptr;
};

TEST_F(cSettingsRunTest, RecentScriptsFolderAndSizeComeBackInTheNextRun)
{
    const std::string A = Script("RecentA"), B = Script("RecentB");
    Run([&](cHeadlessWindowSystem& System) {
        EXPECT_TRUE(RecentMenu().empty());
        Open(A);
        Open(B);
        Open(A);
        EXPECT_EQ(RecentMenu(), (std::vector<std::string>{A, B}));
        System.ResizeWindow(700, 520);
        Pump();
    });
    ASSERT_TRUE(fs::exists(mFile));
    Run([&](cHeadlessWindowSystem& System) {
        EXPECT_EQ(RecentMenu(), (std::vector<std::string>{A, B}));
        int Width = 0, Height = 0;
        System.GetWindowSize(Shell.MainWindow, Width, Height);
        EXPECT_EQ(Width, 700);
        EXPECT_EQ(Height, 520);
        // The Open dialog starts where the last script was.
        Open(A);
        ASSERT_EQ(System.mFileChoosers.size(), 1u);
        EXPECT_EQ(System.mFileChoosers[0].Folder, fs::path(A).parent_path().string());
        // Choosing the second item opens it and puts it first.
        Command(IDM_RECENT_BASE + 1);
        EXPECT_EQ(View.LastScriptPath, B);
        EXPECT_NE(TheModel, nullptr);
        EXPECT_EQ(RecentMenu(), (std::vector<std::string>{B, A}));
    });
}

TEST_F(cSettingsRunTest, TheListKeepsTheEightMostRecent)
{
    std::vector<std::string> Opened;
    Run([&](cHeadlessWindowSystem&) {
        for (int I = 0; I < 10; ++I)
        {
            Opened.push_back(Script("Many" + std::to_string(I)));
            Open(Opened.back());
        }
    });
    Run([&](cHeadlessWindowSystem&) {
        const std::vector<std::string> Shown = RecentMenu();
        ASSERT_EQ(Shown.size(), 8u);
        EXPECT_EQ(Shown.front(), Opened[9]);
        EXPECT_EQ(Shown.back(), Opened[2]);
    });
}

TEST_F(cSettingsRunTest, AVanishedScriptShowsTheLoadErrorAndLeavesTheList)
{
    const std::string Kept = Script("Kept"), Doomed = Script("Doomed");
    Run([&](cHeadlessWindowSystem&) {
        Open(Kept);
        Open(Doomed);
    });
    fs::remove(Doomed);
    Run([&](cHeadlessWindowSystem& System) {
        ASSERT_EQ(RecentMenu(), (std::vector<std::string>{Doomed, Kept}));
        Command(IDM_RECENT_BASE);
        ASSERT_EQ(System.mMessageBoxes.size(), 1u);
        EXPECT_EQ(System.mMessageBoxes[0].Caption, "Error");
        EXPECT_NE(System.mMessageBoxes[0].Text.find("Doomed.zc"), std::string::npos);
        EXPECT_EQ(RecentMenu(), (std::vector<std::string>{Kept}));
    });
    Run([&](cHeadlessWindowSystem&) { EXPECT_EQ(RecentMenu(), (std::vector<std::string>{Kept})); });
}

TEST_F(cSettingsRunTest, NothingIsWrittenBeforeThereIsSomethingToKeep)
{
    Run([&](cHeadlessWindowSystem&) {
        Command(IDM_NEXT_SCRIPT);
        Command(IDM_COPY_PICTURE);
    });
    EXPECT_FALSE(fs::exists(mFolder));
    // A cancelled Open dialog keeps nothing either.
    Run([&](cHeadlessWindowSystem&) { Command(IDM_OPEN); });
    EXPECT_FALSE(fs::exists(mFolder));
}

TEST_F(cSettingsRunTest, ACorruptSettingsFileGivesTheDefaultsAndIsNotWrittenOver)
{
    fs::create_directories(fs::path(mFile).parent_path());
    const std::string Corrupt = "[Window\nWidth=900\n=\n[RecentScripts]\n1=/x/y.zc\n\xff\xfe\x01";
    std::ofstream(mFile, std::ios::binary) << Corrupt;
    const std::string A = Script("CorruptA");
    Run([&](cHeadlessWindowSystem& System) {
        EXPECT_TRUE(RecentMenu().empty());
        int Width = 0, Height = 0;
        System.GetWindowSize(Shell.MainWindow, Width, Height);
        EXPECT_EQ(Width, 480);
        Open(A);
        EXPECT_NE(TheModel, nullptr);
        EXPECT_EQ(RecentMenu(), (std::vector<std::string>{A}));
        System.ResizeWindow(600, 600);
        Pump();
    });
    EXPECT_EQ(ReadAll(mFile), Corrupt);
}

TEST_F(cSettingsRunTest, AReadOnlySettingsFileIsReadButNeverWritten)
{
    const std::string A = Script("ReadOnlyA"), B = Script("ReadOnlyB");
    Run([&](cHeadlessWindowSystem&) { Open(A); });
    ASSERT_EQ(chmod(mFile.c_str(), 0444), 0);
    const std::string Before = ReadAll(mFile);
    Run([&](cHeadlessWindowSystem&) {
        EXPECT_EQ(RecentMenu(), (std::vector<std::string>{A}));
        Open(B);
        // Kept for this run all the same.
        EXPECT_EQ(RecentMenu(), (std::vector<std::string>{B, A}));
    });
    EXPECT_EQ(ReadAll(mFile), Before);
    chmod(mFile.c_str(), 0644);
}

TEST_F(cSettingsRunTest, DamagedValuesAreLeftAtTheirDefaults)
{
    fs::create_directories(fs::path(mFile).parent_path());
    std::ofstream(mFile) << "[Window]\nWidth=12\nHeight=99999999\n[RecentScripts]\n1=\n2=/a/b.zc\n"
                            "3=/a/b.zc\n[OpenDialog]\nFolder=$HOME/x\n";
    Run([&](cHeadlessWindowSystem& System) {
        int Width = 0, Height = 0;
        System.GetWindowSize(Shell.MainWindow, Width, Height);
        EXPECT_EQ(Width, 480);
        EXPECT_EQ(Height, 480);
        EXPECT_EQ(RecentMenu(), (std::vector<std::string>{"/a/b.zc"}));
        // Kept as written: no variable is expanded.
        Command(IDM_OPEN);
        ASSERT_EQ(System.mFileChoosers.size(), 1u);
        EXPECT_EQ(System.mFileChoosers[0].Folder, "$HOME/x");
    });
}
}  // namespace
