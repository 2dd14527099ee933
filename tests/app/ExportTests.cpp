// File > Export Animation... on the headless window system: the file holds exactly the
// pictures tessaly-render writes for the same sequence, view, size and rate, with either
// renderer; Cancel in the progress window leaves no file and the view as it was; without a
// model nothing is asked.
#include "tests/app/ShellFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/ZentorMesh.h"
#include "render/ViewState.h"
#include "render_d3d/D3DViewer.h"
#include "tests/picture/AnimationRead.h"

namespace fs = std::filesystem;

namespace
{
class cAnimationExportTest : public cShellTest
{
protected:
    void SetUp() override
    {
        cShellTest::SetUp();
        mDir = TempRoot() + "/export-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        fs::create_directories(mDir);
    }

    // File > Export Animation... answered with Path and type Type (0 GIF, 1 WebP).
    void Export(const std::string& Path, int Type)
    {
        mSystem.mSaveAnswers.push_back(tSaveAnswer{Path, Type});
        Command(IDM_EXPORT_ANIMATION);
    }

    // tessaly-render's animation of the same sequence at the window's size; status 0 or why not.
    std::string RenderTool(const std::string& Script, const std::string& Sequence, const std::string& Args,
                           const std::string& Out) const
    {
        std::ostringstream Command;
        Command << TESSALY_RENDER_PATH << " " << Script << " --sequence " << Sequence << " --size "
                << mSystem.mClientWidth << "x" << mSystem.mClientHeight << " -o " << Out << " " << Args
                << " 2>" << mDir << "err.txt";
        if (std::system(Command.str().c_str()) == 0)
            return "";
        std::ifstream In(mDir + "err.txt");
        std::stringstream Text;
        Text << In.rdbuf();
        return "tessaly-render failed: " + Text.str();
    }

    std::vector<std::string> Files() const
    {
        std::vector<std::string> Names;
        for (const fs::directory_entry& Entry : fs::directory_iterator(mDir))
            if (Entry.path().filename() != "err.txt")
                Names.push_back(Entry.path().filename().string());
        std::sort(Names.begin(), Names.end());
        return Names;
    }

    std::string mDir;
};
}  // namespace

TEST_F(cAnimationExportTest, TheFileHoldsWhatTessalyRenderWritesWithEitherRenderer)
{
    const cGenResult Model = cShellTest::Model("Exported", 9, 2);
    Open(Model.ScriptPath);
    Pump();
    const std::string Sequence = TheModel->GetSequence(1)->pszName;
    const int NumFrames = TheModel->GetSequence(1)->NumFrames;
    Command(IDM_SEQUENCE_BASE + 1);
    Pump();
    View.FrameRate = 12;

    Export(mDir + "gl.webp", 1);
    ASSERT_EQ(mSystem.mSaveChoosers.size(), 1u);
    EXPECT_EQ(mSystem.mSaveChoosers[0].Types[0].second, "*.gif");
    EXPECT_EQ(mSystem.mSaveChoosers[0].Types[1].second, "*.webp");
    ASSERT_EQ(RenderTool(Model.ScriptPath, Sequence, "--fps 12", mDir + "tool-gl.webp"), "");

    // The Direct3D renderer, at the same size.
    mSystem.mDialogScripts.push_back(
        {tDialogAction::SelectLine(DEVICE_LIST_ID, 0), {WM_COMMAND, IDOK, 0}});
    Command(IDM_DIRECT3D);
    Pump();
    ASSERT_TRUE(TheD3DViewer && TheD3DViewer->HasDevice());
    Command(IDM_SEQUENCE_BASE + 1);
    Export(mDir + "d3d.gif", 0);
    ASSERT_EQ(RenderTool(Model.ScriptPath, Sequence, "--fps 12 --renderer d3d", mDir + "tool-d3d.gif"), "");

    for (const char* pszName : {"gl.webp", "d3d.gif"})
    {
        SCOPED_TRACE(pszName);
        const bool bGif = std::string(pszName).back() == 'f';
        cReadAnimation Viewer, Tool;
        ASSERT_TRUE(bGif ? ReadGif(mDir + pszName, Viewer) : ReadWebP(mDir + pszName, Viewer));
        ASSERT_TRUE(bGif ? ReadGif(mDir + "tool-" + pszName, Tool) : ReadWebP(mDir + "tool-" + pszName, Tool));
        ASSERT_EQ(Viewer.Pictures.size(), static_cast<std::size_t>(NumFrames));
        ASSERT_EQ(Tool.Pictures.size(), Viewer.Pictures.size());
        for (std::size_t k = 0; k < Viewer.Pictures.size(); ++k)
        {
            EXPECT_EQ(Viewer.Pictures[k].Width, mSystem.mClientWidth);
            EXPECT_EQ(Viewer.Pictures[k].Rgba, Tool.Pictures[k].Rgba) << "picture " << k;
        }
        EXPECT_EQ(Viewer.Delays, Tool.Delays);
        EXPECT_EQ(Viewer.LoopCount, 0);
    }
    // The progress window came and went; no message box.
    EXPECT_EQ(mSystem.mDialogs.back().ResourceId, IDD_EXPORTING);
    EXPECT_FALSE(mSystem.mDialogs.back().bOpen);
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());
}

TEST_F(cAnimationExportTest, CancelLeavesNoFileAndTheViewAsItWas)
{
    Open(cShellTest::Model("Cancelled", 9, 2).ScriptPath);
    Pump();
    View.CurrentFrame = 4;
    // Cancel while the third picture is drawn.
    mSystem.mPumpActions[mSystem.mPumpCount + 3] = {{WM_COMMAND, IDCANCEL, 0}};
    Export(mDir + "all.gif", 0);
    EXPECT_EQ(Files(), std::vector<std::string>{});
    EXPECT_EQ(View.CurrentFrame, 4);
    EXPECT_FALSE(View.LoopAnimation);
    ASSERT_EQ(mSystem.mDialogs.back().ResourceId, IDD_EXPORTING);
    EXPECT_FALSE(mSystem.mDialogs.back().bOpen);
    EXPECT_EQ(mSystem.mDialogs.back().Progress.at(IDC_EXPORT_PROGRESS), std::make_pair(2, 18));

    // Without a sequence chosen every frame is exported; a chooser cancelled writes nothing.
    Export(mDir + "all.gif", 0);
    cReadAnimation All;
    ASSERT_TRUE(ReadGif(mDir + "all.gif", All));
    EXPECT_EQ(All.Pictures.size(), 9u);
    Command(IDM_EXPORT_ANIMATION);
    EXPECT_EQ(Files(), std::vector<std::string>{"all.gif"});

    // A folder that is not there: the reason in a box, no file.
    Export(mDir + "none/x.webp", 1);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_NE(mSystem.mMessageBoxes[0].Text.find("cannot write " + mDir + "none/x.webp"), std::string::npos);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Error");
}

TEST_F(cAnimationExportTest, WithoutAModelNothingIsAsked)
{
    Command(IDM_EXPORT_ANIMATION);
    EXPECT_TRUE(mSystem.mSaveChoosers.empty());
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Export Animation");
}
