// The generator's command line: how option values are read and how refusals end the program.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/zgen/TestSupport.h"

namespace
{
// Runs the generator with Args (output discarded) and returns its exit status.
int RunGenerator(const std::string& Args)
{
    const int Status = std::system((std::string(TESSALY_GEN_PROGRAM) + " " + Args + " >/dev/null 2>&1").c_str());
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}
} // namespace

TEST(GenMain, NumbersAreDecimalOrHexadecimal)
{
    // A leading zero is an ordinary decimal digit, not a switch to octal.
    const cTempFolder Dir;
    ASSERT_EQ(RunGenerator(Dir.Path() + " --name N --frames 010 --sequences 2 --tris 4 --types 0x12,08"), 0);
    const std::vector<std::uint8_t> Aniv = ReadAll(Dir.Path() + "/Pkg/Models/N_a.bin");
    const std::vector<std::uint8_t> Data = ReadAll(Dir.Path() + "/Pkg/Models/N_d.bin");
    ASSERT_GE(Aniv.size(), 4u);
    ASSERT_EQ(Data.size(), 48u + 4u * 16u);
    EXPECT_EQ(Aniv[0] | (Aniv[1] << 8), 10);
    EXPECT_EQ(Data[48 + 6], 0x12);
    EXPECT_EQ(Data[48 + 16 + 6], 8);

    EXPECT_EQ(RunGenerator(Dir.Path() + " --frames 1x"), 2);
    EXPECT_EQ(RunGenerator(Dir.Path() + " --frames 2000"), 2);
    EXPECT_EQ(RunGenerator(Dir.Path() + " --colour red"), 2);
}
