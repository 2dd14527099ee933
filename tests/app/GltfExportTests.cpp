// File > Export glTF...: the file written from the model on screen, in either renderer, equals
// tessaly-export's for the same script and frame rate; refusals and failures leave no file.
#include "tests/app/ShellFixture.h"

#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "render/ViewState.h"

namespace
{
std::string ReadBytes(const std::filesystem::path& Path)
{
    std::ifstream In(Path, std::ios::binary);
    std::stringstream Bytes;
    Bytes << In.rdbuf();
    return Bytes.str();
}

// The content of an export with the generator text naming tessaly-export made to name the
// viewer instead: a .glb's JSON chunk (padding dropped) followed by its binary chunk, or any
// other file as it is.
std::string Normalised(const std::filesystem::path& Path)
{
    std::string Bytes = ReadBytes(Path);
    if (Path.extension() == ".glb")
    {
        std::uint32_t JsonLength = 0;
        if (Bytes.size() < 20)
            return Bytes;
        std::memcpy(&JsonLength, Bytes.data() + 12, 4);
        std::string Json = Bytes.substr(20, JsonLength);
        Json.erase(Json.find_last_not_of(' ') + 1);
        Bytes = Json + "\n--\n" + Bytes.substr(20 + JsonLength);
    }
    const std::string Tool = "(tessaly-export)";
    const std::size_t At = Bytes.find(Tool);
    if (At != std::string::npos)
        Bytes.replace(At, Tool.size(), "(tessaly)");
    return Bytes;
}

class cExportGltfTest : public cShellTest
{
protected:
    void SetUp() override
    {
        cShellTest::SetUp();
        mOut = std::filesystem::path(TempRoot()) /
               ("export-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(mOut / "viewer");
        std::filesystem::create_directories(mOut / "tool");
    }
    void TearDown() override
    {
        std::filesystem::remove_all(mOut);
        cShellTest::TearDown();
    }

    void ExportAs(const std::filesystem::path& Path)
    {
        mSystem.mSaveAnswers.push_back(tSaveAnswer{Path.string(), Path.extension() == ".gltf" ? 1 : 0});
        Command(IDM_EXPORT_GLTF);
    }

    int RunTool(const std::string& Args)
    {
        const int Status =
            std::system((std::string(TESSALY_EXPORT_PROGRAM) + " " + Args + " 2>&1").c_str());
        return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    }

    // Every file the viewer wrote equals the tool's, apart from the generator text; the two
    // folders hold the same names.
    void ExpectSameAsTool()
    {
        int Compared = 0;
        for (const auto& Entry : std::filesystem::directory_iterator(mOut / "viewer"))
        {
            const std::filesystem::path Name = Entry.path().filename();
            SCOPED_TRACE(Name.string());
            ASSERT_TRUE(std::filesystem::exists(mOut / "tool" / Name));
            EXPECT_EQ(ReadBytes(Entry.path()).find("(tessaly-export)"), std::string::npos);
            EXPECT_TRUE(Normalised(Entry.path()) == Normalised(mOut / "tool" / Name));
            ++Compared;
        }
        int ToolFiles = 0;
        for (const auto& Entry : std::filesystem::directory_iterator(mOut / "tool"))
            ToolFiles += Entry.is_regular_file();
        EXPECT_EQ(Compared, ToolFiles);
        EXPECT_GE(Compared, 4);   // .glb, .gltf, .bin and a texture at least
    }

    std::filesystem::path mOut;
};

TEST_F(cExportGltfTest, TheViewersExportIsTheToolsAtTheViewersFrameRate)
{
    const std::string Script = Model("Exported", 5, 2).ScriptPath;
    Open(Script);
    View.FrameRate = 30;
    ExportAs(mOut / "viewer" / "m.glb");
    ExportAs(mOut / "viewer" / "m.gltf");
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());
    ASSERT_EQ(mSystem.mSaveChoosers.size(), 2u);
    EXPECT_EQ(mSystem.mSaveChoosers[0].Name, "Exported.glb");
    ASSERT_EQ(mSystem.mSaveChoosers[0].Types.size(), 2u);
    EXPECT_EQ(mSystem.mSaveChoosers[0].Types[1].second, "*.gltf");
    for (const char* pszName : {"m.glb", "m.gltf"})
        ASSERT_EQ(RunTool(Script + " -o " + (mOut / "tool" / pszName).string() + " --fps 30"), 0);
    ExpectSameAsTool();
}

TEST_F(cExportGltfTest, TheDirect3DModelExportsTheSameFiles)
{
    const std::string Script = Model("Exported", 5, 2).ScriptPath;
    Open(Script);
    mSystem.mDialogScripts.push_back(
        {tDialogAction::SelectLine(IDC_DEVICE_LIST, 0), {WM_COMMAND, IDOK, 0}});
    Command(IDM_DIRECT3D);
    ASSERT_EQ(View.RenderMode, eRenderMode::Direct3D);
    ASSERT_NE(TheModel, nullptr);
    ExportAs(mOut / "viewer" / "m.glb");
    ExportAs(mOut / "viewer" / "m.gltf");
    for (const char* pszName : {"m.glb", "m.gltf"})
        ASSERT_EQ(RunTool(Script + " -o " + (mOut / "tool" / pszName).string()), 0);
    ExpectSameAsTool();
    Command(IDM_DIRECT3D);
}

TEST_F(cExportGltfTest, RefusalsAndFailuresLeaveNoFile)
{
    // Nothing on screen: the user is told and no chooser opens.
    Command(IDM_EXPORT_GLTF);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_TRUE(mSystem.mSaveChoosers.empty());

    Open(Model("Exported", 5, 2).ScriptPath);
    mSystem.mSaveAnswers.push_back(std::nullopt);
    Command(IDM_EXPORT_GLTF);
    EXPECT_EQ(mSystem.mMessageBoxes.size(), 1u);
    // A plain file where the folder should be: the write fails, the error is shown once.
    std::ofstream((mOut / "viewer" / "folder").string()) << "x";
    std::size_t Shown = 1;
    for (const char* pszName : {"folder/m.glb", "folder/m.gltf"})
    {
        ExportAs(mOut / "viewer" / pszName);
        ASSERT_EQ(mSystem.mMessageBoxes.size(), ++Shown);
        EXPECT_EQ(mSystem.mMessageBoxes.back().Caption, "Error");
        EXPECT_NE(mSystem.mMessageBoxes.back().Text.find((mOut / "viewer" / pszName).string()),
                  std::string::npos);
    }
    int Files = 0;
    for ([[maybe_unused]] const auto& Entry : std::filesystem::directory_iterator(mOut / "viewer"))
        ++Files;
    EXPECT_EQ(Files, 1);
    EXPECT_NE(TheModel, nullptr);
}
}  // namespace
