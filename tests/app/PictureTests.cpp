// File > Save Picture... and File > Copy Picture: the picture the window shows at the client
// size, with either renderer, into a PNG file (nothing half-written when that fails) or onto
// the clipboard, and Ctrl+C as its accelerator.
#include "tests/app/ShellFixture.h"

#include <filesystem>

#include "render/ViewState.h"
#include "render_d3d/D3DViewer.h"
#include "tests/render/ToolRun.h"

namespace fs = std::filesystem;

namespace
{
class cPictureTest : public cShellTest
{
protected:
    // The picture on screen and its size, as the window system reports it.
    std::vector<std::uint8_t> Shown(int& Width, int& Height)
    {
        std::vector<std::uint8_t> RGB;
        EXPECT_TRUE(mSystem.GetWindowPicture(Shell.MainWindow, RGB, Width, Height));
        return RGB;
    }
    void SaveAs(const std::string& Path)
    {
        mSystem.mSaveAnswers.push_back(tSaveAnswer{Path, 0});
        Command(IDM_SAVE_PICTURE);
    }
};

TEST_F(cPictureTest, SavedPictureIsTheDrawnOneWithEitherRenderer)
{
    if (!mSystem.HasGL())
        GTEST_SKIP() << "no offscreen OpenGL context";
    const std::string Script = Model("Saved", 3, 1).ScriptPath;
    Open(Script);
    Key(VK_LEFT);
    int Width = 0, Height = 0;
    const std::vector<std::uint8_t> Drawn = Shown(Width, Height);
    EXPECT_EQ(Drawn, mSystem.ReadPicture());
    const std::string GLPath = TempRoot() + "/saved_gl.png";
    SaveAs(GLPath);
    ASSERT_EQ(mSystem.mSaveChoosers.size(), 1u);
    EXPECT_EQ(mSystem.mSaveChoosers[0].Name, "Saved.png");
    EXPECT_EQ(mSystem.mSaveChoosers[0].Types[0].second, "*.png");
    cPicture Saved;
    ASSERT_TRUE(ReadPng(GLPath, Saved));
    EXPECT_EQ(Saved.Width, mSystem.mClientWidth);
    EXPECT_EQ(Saved.Height, mSystem.mClientHeight);
    EXPECT_EQ(Saved.Rgb, Drawn);

    // Direct3D: the picture the device presented, at the same size.
    mSystem.mDialogScripts.push_back(
        {tDialogAction::SelectLine(DEVICE_LIST_ID, 0), {WM_COMMAND, IDOK, 0}});
    Command(IDM_DIRECT3D);
    ASSERT_EQ(View.RenderMode, eRenderMode::Direct3D);
    Key(VK_LEFT);
    const std::vector<std::uint8_t> Presented = Shown(Width, Height);
    const std::string D3DPath = TempRoot() + "/saved_d3d.png";
    SaveAs(D3DPath);
    ASSERT_TRUE(ReadPng(D3DPath, Saved));
    EXPECT_EQ(Saved.Width, mSystem.mPresentedWidth);
    EXPECT_EQ(Saved.Height, mSystem.mPresentedHeight);
    EXPECT_EQ(Saved.Rgb, Presented);
    std::size_t Lit = 0;
    for (const std::uint32_t Pixel : mSystem.mPresented)
        Lit += Pixel != 0;
    EXPECT_GT(Lit, 100u);
    EXPECT_EQ(mSystem.mSaveChoosers[1].Folder, TempRoot());   // where the last one went
}

TEST_F(cPictureTest, CancelOrAFailedWriteLeavesNoFile)
{
    Open(Model("SaveFail", 2, 1).ScriptPath);
    Command(IDM_SAVE_PICTURE);   // cancelled
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());
    const std::string Missing = TempRoot() + "/no such folder/x.png";
    SaveAs(Missing);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Error");
    EXPECT_NE(mSystem.mMessageBoxes[0].Text.find("could not be saved"), std::string::npos);
    EXPECT_FALSE(fs::exists(Missing));
}

TEST_F(cPictureTest, CopyPuttingThePictureOnTheClipboardAlsoByControlC)
{
    if (!mSystem.HasGL())
        GTEST_SKIP() << "no offscreen OpenGL context";
    Open(Model("Copied", 2, 1).ScriptPath);
    Pump();
    const std::int32_t Frame = View.CurrentFrame;
    mSystem.PressKeyWith('C', ACCEL_CONTROL);
    Pump();
    ASSERT_EQ(mSystem.mClipboard.size(), 1u);
    EXPECT_EQ(mSystem.mClipboard[0].Width, mSystem.mClientWidth);
    EXPECT_EQ(mSystem.mClipboard[0].Height, mSystem.mClientHeight);
    EXPECT_EQ(mSystem.mClipboard[0].RGB, mSystem.ReadPicture());
    EXPECT_EQ(View.CurrentFrame, Frame);

    mSystem.mClipboardFails = true;
    Command(IDM_COPY_PICTURE);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, "The clipboard could not take the picture.");
}
}  // namespace
