// The settings file: values kept through the toolkit's format whatever characters they hold,
// nothing written until a value changes, and a file it cannot take as its own (not UTF-8, a
// folder in its place, lines the format refuses) neither read nor written over; a write that
// fails keeps the values for the run.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/settings/SettingsFile.h"

namespace fs = std::filesystem;

namespace
{
class cSettingsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string Template = (fs::temp_directory_path() / "tessaly-settings-XXXXXX").string();
        ASSERT_NE(mkdtemp(Template.data()), nullptr);
        mFolder = Template;
        mFile = mFolder + "/tessaly/tessaly.conf";
    }
    void TearDown() override { fs::remove_all(mFolder); }
    void Write(const std::string& Bytes)
    {
        fs::create_directories(fs::path(mFile).parent_path());
        std::ofstream(mFile, std::ios::binary) << Bytes;
    }
    std::string Read() const
    {
        std::ifstream In(mFile, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    }

    std::string mFolder, mFile;
};

TEST_F(cSettingsFileTest, ValuesComeBackAsWrittenInTheNextRun)
{
    const std::string Odd = "  /a b/\"q\"/back\\slash/#hash;semi/$HOME/caf\xC3\xA9.zc ";
    {
        cSettingsFile Settings(mFile);
        EXPECT_TRUE(Settings.Writes());
        std::string Value;
        EXPECT_FALSE(Settings.Get("Recent/1", Value));
        EXPECT_FALSE(fs::exists(mFolder + "/tessaly"));
        Settings.Set("Recent/1", Odd.c_str());
        Settings.Set("Window/Width", "640");
        EXPECT_FALSE(Settings.LastWriteFailed());
    }
    cSettingsFile Again(mFile);
    std::string Value;
    ASSERT_TRUE(Again.Get("Recent/1", Value));
    EXPECT_EQ(Value, Odd);
    ASSERT_TRUE(Again.Get("Window/Width", Value));
    EXPECT_EQ(Value, "640");
    // Removing writes too; an unchanged value does not.
    Again.Set("Window/Width", nullptr);
    const auto Written = fs::last_write_time(mFile);
    const std::string Bytes = Read();
    EXPECT_EQ(Bytes.find("Width"), std::string::npos);
    fs::last_write_time(mFile, Written - std::chrono::hours(1));
    Again.Set("Recent/1", Odd.c_str());
    Again.Set("Window/Height", nullptr);
    EXPECT_EQ(fs::last_write_time(mFile), Written - std::chrono::hours(1));
}

TEST_F(cSettingsFileTest, AFileThatIsNotOursIsNeitherReadNorWrittenOver)
{
    for (const std::string& Bytes : {std::string("[Window]\nWidth=1\n\xff\xfe bad\n"),
                                     std::string("[Window\nWidth=1\n"),
                                     std::string("Width\n")})
    {
        Write(Bytes);
        cSettingsFile Settings(mFile);
        std::string Value;
        EXPECT_FALSE(Settings.Get("Window/Width", Value)) << Bytes;
        EXPECT_FALSE(Settings.Writes()) << Bytes;
        Settings.Set("Window/Width", "5");
        EXPECT_TRUE(Settings.Get("Window/Width", Value));   // for this run
        EXPECT_EQ(Read(), Bytes);
    }
    fs::remove(mFile);
    fs::create_directories(mFile);
    cSettingsFile Folder(mFile);
    Folder.Set("Window/Width", "5");
    EXPECT_TRUE(fs::is_directory(mFile));
}

TEST_F(cSettingsFileTest, AFailedWriteKeepsTheValuesForTheRun)
{
    // A folder that cannot be made, whoever runs this.
    cSettingsFile Settings("/proc/self/tessaly/tessaly.conf");
    Settings.Set("Recent/1", "/a.zc");
    EXPECT_TRUE(Settings.LastWriteFailed());
    std::string Value;
    EXPECT_TRUE(Settings.Get("Recent/1", Value));
    EXPECT_EQ(Value, "/a.zc");

    // The settings folder's place taken by a file: that file is left alone.
    std::ofstream(mFolder + "/tessaly") << "x";
    cSettingsFile Blocked(mFile);
    Blocked.Set("Recent/1", "/a.zc");
    EXPECT_TRUE(fs::is_regular_file(mFolder + "/tessaly"));

    // In memory only: nothing is ever written.
    cSettingsFile Memory("");
    Memory.Set("Recent/1", "/b.zc");
    EXPECT_FALSE(Memory.Writes());
    EXPECT_TRUE(Memory.Get("Recent/1", Value));
}
}  // namespace
