// Menu commands: initial check marks, textures, the Polygons radio group, the background
// colour, Exit, and identifiers that do nothing.
#include "tests/app/ShellFixture.h"

#include <GL/gl.h>

#include "render/ViewState.h"

namespace
{
using cCommandTest = cShellTest;

TEST_F(cCommandTest, WindowStartsWithTitleMenuAndMarks)
{
    EXPECT_EQ(mSystem.mWindowTitle, "Tessaly v1.3");
    EXPECT_EQ(mSystem.mWindowIconId, IDI_MAINICON);
    EXPECT_TRUE(mSystem.mWindowShown);
    EXPECT_EQ(mSystem.PopupText(ANIMATIONS_MENU_POSITION), "Animations");
    EXPECT_TRUE(mSystem.IsChecked(IDM_TEXTURES));
    // The resource marks Loop Animation; creation clears the mark to match the flag.
    EXPECT_FALSE(mSystem.IsChecked(IDM_LOOP));
    EXPECT_FALSE(mSystem.IsChecked(IDM_AUTOROTATE));
    EXPECT_TRUE(mSystem.IsChecked(IDM_POLY_ALL));
    EXPECT_FALSE(mSystem.IsChecked(IDM_DIRECT3D));
    // Creation painted once: the picture exists from the start.
    EXPECT_EQ(mSystem.mPaintTimes.size(), 1u);
}

TEST_F(cCommandTest, TexturesToggleFlagMarkAndTexturing)
{
    Command(IDM_TEXTURES);
    EXPECT_FALSE(View.TexturesOn);
    EXPECT_FALSE(mSystem.IsChecked(IDM_TEXTURES));
    if (mSystem.HasGL())
    {
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    }
    Command(IDM_TEXTURES);
    EXPECT_TRUE(View.TexturesOn);
    EXPECT_TRUE(mSystem.IsChecked(IDM_TEXTURES));
    if (mSystem.HasGL())
    {
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    }
}

TEST_F(cCommandTest, PolygonItemsFormARadioGroup)
{
    const struct
    {
        int Id;
        int Filter;
    } ITEMS[] = {{IDM_POLY_TRANSLUCENT, 2}, {IDM_POLY_MASKED, 3}, {IDM_POLY_MASKED, 3},
                 {IDM_POLY_TWOSIDED, 4},    {IDM_POLY_PLACEHOLDER, 8}, {IDM_POLY_ALL, 0}};
    const int ALL_IDS[] = {IDM_POLY_ALL, IDM_POLY_TRANSLUCENT, IDM_POLY_MASKED, IDM_POLY_TWOSIDED,
                           IDM_POLY_PLACEHOLDER};
    for (const auto& Item : ITEMS)
    {
        const std::size_t Paints = mSystem.mPaintTimes.size();
        Command(Item.Id);
        EXPECT_EQ(static_cast<int>(View.PolygonFilter), Item.Filter);
        for (int Id : ALL_IDS)
            EXPECT_EQ(mSystem.IsChecked(Id), Id == Item.Id) << "item " << Id << " after " << Item.Id;
        EXPECT_EQ(mSystem.mPaintTimes.size(), Paints + 1);
    }
}

float ClearComponent(int Index)
{
    GLfloat Clear[4] = {-1, -1, -1, -1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, Clear);
    return Clear[Index];
}

TEST_F(cCommandTest, BackgroundColourDividesEachByteBy256)
{
    if (!mSystem.HasGL())
        GTEST_SKIP() << "no offscreen OpenGL on this machine";
    // White: 255 / 256, so full white is never reached.
    mSystem.mColorAnswers.push_back({true, 0x00FFFFFF, std::nullopt});
    Command(IDM_BACKGROUND);
    for (int I = 0; I < 3; ++I)
        EXPECT_FLOAT_EQ(ClearComponent(I), 0.99609375f);
    // Red 128, green 0, blue 64 in the chooser's layout (red in the low byte).
    mSystem.mColorAnswers.push_back({true, 0x00400080, std::nullopt});
    Command(IDM_BACKGROUND);
    EXPECT_FLOAT_EQ(ClearComponent(0), 0.5f);
    EXPECT_FLOAT_EQ(ClearComponent(1), 0.0f);
    EXPECT_FLOAT_EQ(ClearComponent(2), 0.25f);
    EXPECT_FLOAT_EQ(ClearComponent(3), 1.0f);
    // With no model the whole picture is background.
    const std::vector<std::uint8_t> Picture = mSystem.ReadPicture();
    ASSERT_GE(Picture.size(), 3u);
    EXPECT_NEAR(Picture[0], 128, 1);
    EXPECT_NEAR(Picture[1], 0, 1);
    EXPECT_NEAR(Picture[2], 64, 1);
}

TEST_F(cCommandTest, BackgroundChooserStartsBlackKeepsCustomColoursAndCancelChangesNothing)
{
    mSystem.mColorAnswers.push_back({true, 0x00FF0000, std::make_pair(3, 0x00123456u)});
    Command(IDM_BACKGROUND);
    mSystem.mColorAnswers.push_back({false, 0x0000FF00, std::nullopt});
    const std::size_t Paints = mSystem.mPaintTimes.size();
    Command(IDM_BACKGROUND);
    ASSERT_EQ(mSystem.mColorChoosers.size(), 2u);
    EXPECT_EQ(mSystem.mColorChoosers[0].Initial, 0u);
    EXPECT_EQ(mSystem.mColorChoosers[1].Initial, 0u);
    EXPECT_EQ(mSystem.mColorChoosers[0].CustomColors[3], 0u);
    EXPECT_EQ(mSystem.mColorChoosers[1].CustomColors[3], 0x00123456u);
    EXPECT_EQ(Shell.CustomColors[3], 0x00123456u);
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints);
    if (mSystem.HasGL())
    {
        EXPECT_FLOAT_EQ(ClearComponent(2), 0.99609375f);
        EXPECT_FLOAT_EQ(ClearComponent(1), 0.0f);
    }
}

TEST_F(cCommandTest, ExitReleasesEverythingAndEndsWithZero)
{
    Open(Model("ExitModel", 4, 1).ScriptPath);
    ASSERT_NE(TheModel, nullptr);
    Command(IDM_EXIT);
    EXPECT_EQ(TheModel, nullptr);
    EXPECT_EQ(Shell.GLContext, HGLContext::None);
    EXPECT_FALSE(mSystem.HasGL());
    EXPECT_TRUE(mQuit);
    EXPECT_EQ(mExitCode, 0u);
}

TEST_F(cCommandTest, AnimationIdentifiersDoNothingWithoutAModel)
{
    View.CurrentFrame = 3;
    View.SequenceStart = 2;
    View.SequenceLength = 4;
    const std::size_t Paints = mSystem.mPaintTimes.size();
    Command(IDM_SEQUENCE_BASE);
    Command(IDM_ANIM_ALL);
    Command(12345);
    EXPECT_EQ(View.CurrentFrame, 3);
    EXPECT_EQ(View.SequenceStart, 2);
    EXPECT_EQ(View.SequenceLength, 4);
    EXPECT_EQ(mSystem.mPaintTimes.size(), Paints);
    EXPECT_EQ(View.RenderMode, eRenderMode::OpenGL);
    EXPECT_TRUE(mSystem.mMessageBoxes.empty());
}
}  // namespace
