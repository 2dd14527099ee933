// Result-code texts: exact lookups, shared texts, gaps in the code ranges and line breaks.
#include "render_d3d/ErrorText.h"

#include "platform/rm/RMTypes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace
{
const char* UNKNOWN = "Unrecognized error value.";

std::int32_t Code(std::uint32_t Value) { return static_cast<std::int32_t>(Value); }
}

TEST(ErrorText, SuccessAndUnknownCodes)
{
    EXPECT_STREQ(ErrorText(0), "No error.");
    for (std::uint32_t Value : {1u, 0x7FFFFFFFu, 0x80000000u, 0x88760000u, 0x887602D6u, 0x887602E1u, 0x887602EDu,
                                0x887602E7u, 0x8876031Au, 0x88760321u, 0xFFFFFFFFu})
        EXPECT_STREQ(ErrorText(Code(Value)), UNKNOWN) << std::hex << Value;
}

TEST(ErrorText, ExactTextsOfTellingRows)
{
    EXPECT_STREQ(ErrorText(Code(0x8876017C)), ErrorText(Code(0x8007000E)));
    EXPECT_STREQ(ErrorText(Code(0x8007000E)), "DirectDraw does not have enough memory to perform the operation.");
    EXPECT_STREQ(ErrorText(Code(0x887602D7)), "D3DERR_TEXTURELOCKED");
    EXPECT_STREQ(ErrorText(Code(0x88760312)), "D3DRMERR_NOTDONEYET (not implemented yet)");
    EXPECT_STREQ(ErrorText(Code(0x887600D7)), "Surface doesn't currently have a color key");
    EXPECT_STREQ(ErrorText(Code(0x88760180)), "Can only have ony color key active at one time for overlays.");
    EXPECT_STREQ(ErrorText(Code(0x80004001)), "Action not supported.");
    EXPECT_STREQ(ErrorText(Code(0x80070057)), "One or more of the parameters passed to the function are incorrect.");
    EXPECT_STREQ(ErrorText(Code(0x887602EE)), "D3DERR_LIGHT_SET_FAILED");
    EXPECT_STREQ(ErrorText(Code(0x8876030D)), "Object expected in argument.");
}

TEST(ErrorText, FourTextsBreakTheirLine)
{
    int WithBreak = 0;
    for (std::uint32_t n = 0; n < 1000; ++n)
        WithBreak += std::strchr(ErrorText(Code(0x88760000u + n)), '\n') != nullptr;
    EXPECT_EQ(WithBreak, 4);
    EXPECT_STREQ(ErrorText(Code(0x8876031E)),
                 "An attempt was made to set a level of detail in a\nprogressive mesh greater than the maximum available.");
    EXPECT_NE(std::string(ErrorText(Code(0x88760324))).find("(for example,\nwith IDirect3DRMFrame2::GetBox)"),
              std::string::npos);
}

// Every code the retained-mode layer returns on failure has a text of its own.
TEST(ErrorText, RowsCoverTheLayersFailureCodes)
{
    int Known = 0;
    std::set<std::string> Texts = {ErrorText(0), ErrorText(Code(0x80004001)), ErrorText(Code(0x80004005)),
                                   ErrorText(Code(0x8007000E)), ErrorText(Code(0x80070057))};
    for (std::uint32_t n = 0; n < 1000; ++n)
        if (std::strcmp(ErrorText(Code(0x88760000u + n)), UNKNOWN) != 0)
        {
            ++Known;
            Texts.insert(ErrorText(Code(0x88760000u + n)));
        }
    EXPECT_EQ(Known, 132);          // 86 DirectDraw, 26 Direct3D and 20 retained-mode rows
    EXPECT_EQ(Texts.size(), 136u);  // out of video memory shares its text with out of memory
    for (RMRESULT Failure : {DDERR_UNSUPPORTED, DDERR_GENERIC, DDERR_OUTOFMEMORY, DDERR_INVALIDPARAMS, DDERR_INVALIDCAPS,
                             DDERR_INVALIDPIXELFORMAT, DDERR_INVALIDRECT, DDERR_NOCOOPERATIVELEVELSET, DDERR_SURFACEBUSY,
                             DDERR_TOOBIGHEIGHT, DDERR_TOOBIGSIZE, DDERR_TOOBIGWIDTH, DDERR_NOHWND, DDERR_NOTLOCKED,
                             D3DRMERR_BADOBJECT, D3DRMERR_BADALLOC, D3DRMERR_NOTFOUND, D3DRMERR_BADDEVICE,
                             D3DRMERR_BADVALUE})
        EXPECT_STRNE(ErrorText(Failure), UNKNOWN) << std::hex << Failure;
}
