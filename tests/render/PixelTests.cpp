// Pictures drawn through the renderer and read back: texture orientation, polygon filters,
// culling, the untextured view, background, camera turn and projection.
#include <GL/gl.h>

#include <cmath>

#include "render/GLDraw.h"
#include "render/GLModel.h"
#include "render/GLScene.h"
#include "render/RenderHooks.h"
#include "render/View.h"
#include "render/ViewState.h"
#include "tests/render/RenderFixture.h"

namespace
{
const cTestTexture RED_OVER_BLUE = {0, {255, 0, 0}, {0, 0, 255}};
const cTestTexture ALL_GREEN = {0, {0, 255, 0}, {0, 255, 0}};

cTestModel OneFrame(const std::vector<cTestTri>& Tris, const cTestTexture& Texture)
{
    cTestModel Model;
    Model.Frames.push_back(Tris);
    AddDepthAnchors(Model.Frames[0], 50);
    Model.Textures.push_back(Texture);
    return Model;
}
}

TEST_F(cRenderTest, TextureTopRowsShowAboveBottomRows)
{
    std::vector<cTestTri> Tris;
    AddQuad(Tris, 0, 0, 0, 40, 0, 0);
    ASSERT_EQ(Load(WriteTestModel(OneFrame(Tris, RED_OVER_BLUE))), 0);
    Draw();
    EXPECT_TRUE(IsColour(AtModel(0, 25, 0), RED));
    EXPECT_TRUE(IsColour(AtModel(-30, 35, 0), RED));
    EXPECT_TRUE(IsColour(AtModel(0, -25, 0), BLUE));
    EXPECT_TRUE(IsColour(AtModel(30, -35, 0), BLUE));
    EXPECT_TRUE(IsColour(AtModel(0, 55, 0), BLACK));
}

TEST_F(cRenderTest, BackFacesCulledExceptTwoSidedGroupUnderFilterAll)
{
    std::vector<cTestTri> Tris;
    AddQuad(Tris, -25, 0, 0, 15, 0, 0, true);     // ordinary, facing away
    AddQuad(Tris, 25, 0, 0, 15, 0, 0x14, true);   // two-sided type (high bits ignored), facing away
    ASSERT_EQ(Load(WriteTestModel(OneFrame(Tris, ALL_GREEN))), 0);
    Draw();
    EXPECT_TRUE(IsColour(AtModel(-25, 0, 0), BLACK));
    EXPECT_TRUE(IsColour(AtModel(25, 0, 0), GREEN));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));

    // Under its own filter the group is drawn without culling too; culling is back on after.
    View.PolygonFilter = ePolygonFilter::TwoSided;
    Draw();
    EXPECT_TRUE(IsColour(AtModel(25, 0, 0), GREEN));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(cRenderTest, TypeFiltersFillTheirGroupOverAnOutline)
{
    std::vector<cTestTri> Tris;
    AddQuad(Tris, -35, 0, 0, 20, 0, 0);   // ordinary
    AddQuad(Tris, 0, 0, 0, 10, 0, 3);     // masked
    AddQuad(Tris, 35, 0, 0, 10, 0, 8);    // placeholder
    ASSERT_EQ(Load(WriteTestModel(OneFrame(Tris, ALL_GREEN))), 0);

    struct
    {
        int Filter;
        bool bMasked, bPlaceholder;
    } const Cases[] = {{3, true, false}, {8, false, true}, {2, false, false}, {4, true, false}};
    for (const auto& Case : Cases)
    {
        SCOPED_TRACE(Case.Filter);
        View.PolygonFilter = static_cast<ePolygonFilter>(Case.Filter);
        Draw();
        // The ordinary quad is only outlined: its edges are drawn, its inside is not.
        EXPECT_TRUE(IsColour(AtModel(-40, 12, 0), BLACK));
        EXPECT_GT(Count(0, 0, SIZE / 2 - 15, SIZE, GREEN), 10);
        EXPECT_LT(Count(0, 0, SIZE / 2 - 15, SIZE, GREEN), 400);
        EXPECT_TRUE(IsColour(AtModel(4, -5, 0), Case.bMasked ? GREEN : BLACK));
        EXPECT_TRUE(IsColour(AtModel(37, -5, 0), Case.bPlaceholder ? GREEN : BLACK));
        EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    }

    // A value that is no filter draws nothing but the background.
    View.PolygonFilter = static_cast<ePolygonFilter>(5);
    Draw();
    EXPECT_EQ(Count(0, 0, SIZE, SIZE, BLACK), SIZE * SIZE);
}

TEST_F(cRenderTest, TexturesOffShowsFlatLitGrey)
{
    std::vector<cTestTri> Tris;
    AddQuad(Tris, 0, 0, 0, 40, 0, 0);
    ASSERT_EQ(Load(WriteTestModel(OneFrame(Tris, RED_OVER_BLUE))), 0);
    GLSetTexturesOn(false);
    Draw();
    const cRGB Lit = AtModel(10, 20, 0);
    EXPECT_NEAR(Lit[0], Lit[1], 1);
    EXPECT_NEAR(Lit[1], Lit[2], 1);
    // Ambient and diffuse light on the 0.5 grey: brighter than the unlit colour, not white.
    EXPECT_GT(Lit[0], 140);
    EXPECT_LT(Lit[0], 240);
    // Flat shading: one colour across the triangle.
    EXPECT_TRUE(IsColour(AtModel(30, 35, 0), Lit, 1));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));

    // Back on: textures show again, lighting stays set up.
    GLSetTexturesOn(true);
    Draw();
    EXPECT_TRUE(IsColour(AtModel(0, 25, 0), RED));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

// Each triangle is lit by its own face normal: a face turned 60 degrees from the eye shows
// darker than one facing it.
TEST_F(cRenderTest, TexturesOffLightsEachFaceByItsNormal)
{
    // Ordinary triangles, and masked ones drawn by the whole model and by their group.
    for (const int Type : {0, 3})
    {
        SCOPED_TRACE(Type);
        std::vector<cTestTri> Tris;
        AddQuad(Tris, -30, 0, 0, 20, 0, Type);
        const int Tilted[4][3] = {{10, -20, 34}, {50, -20, -34}, {50, 20, -34}, {10, 20, 34}};
        const int Corners[2][3] = {{0, 1, 2}, {0, 2, 3}};
        for (const auto& Corner : Corners)
        {
            cTestTri Tri{};
            for (int k = 0; k < 3; ++k)
                for (int Axis = 0; Axis < 3; ++Axis)
                    Tri.P[k][Axis] = Tilted[Corner[k]][Axis];
            Tri.Type = static_cast<std::uint8_t>(Type);
            Tris.push_back(Tri);
        }
        ASSERT_EQ(Load(WriteTestModel(OneFrame(Tris, RED_OVER_BLUE))), 0);
        GLSetTexturesOn(false);
        for (const int Filter : {0, Type})
        {
            View.PolygonFilter = static_cast<ePolygonFilter>(Filter);
            Draw();
            const cRGB Facing = AtModel(-30, 5, 0);
            const cRGB Turned = AtModel(30, 5, 0);
            // Diffuse light falls with the cosine of the turn (the light sits at the eye, so
            // the two triangles of a face differ a little by position).
            EXPECT_GT(Facing[0] - Turned[0], 25) << Filter;
            EXPECT_GT(Turned[0], 100) << Filter;
        }
    }
}

TEST_F(cRenderTest, UnmappedTextureNumberDrawsUntextured)
{
    std::vector<cTestTri> Tris;
    AddQuad(Tris, -25, 0, 0, 15, 0, 0);
    AddQuad(Tris, 25, 0, 0, 15, 1, 0);   // number 1 has no texture
    ASSERT_EQ(Load(WriteTestModel(OneFrame(Tris, RED_OVER_BLUE))), 0);
    Draw();
    EXPECT_TRUE(IsColour(AtModel(-25, 5, 0), RED));
    // The current colour, 0.5 grey, not the image number 0 left bound.
    EXPECT_TRUE(IsColour(AtModel(25, 5, 0), {128, 128, 128}, 2));
}

TEST_F(cRenderTest, BackgroundColourIsEachByteOver256)
{
    GLSetBackgroundColor(255, 128, 0);
    float Clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, Clear);
    EXPECT_FLOAT_EQ(Clear[0], 0.99609375f);
    EXPECT_FLOAT_EQ(Clear[1], 0.5f);
    Draw();
    EXPECT_TRUE(IsColour(At(5, 5), {254, 128, 0}, 1));
    EXPECT_TRUE(IsColour(At(SIZE / 2, SIZE / 2), {254, 128, 0}, 1));
}

TEST_F(cRenderTest, CameraAngleYTurnsPlusXTowardTheViewer)
{
    std::vector<cTestTri> Tris;
    AddSideQuad(Tris, 20, 0, 0, 15, 0, 0);          // faces +X, red
    AddSideQuad(Tris, -20, 0, 0, 15, 1, 0, true);   // faces -X, green
    cTestModel Model = OneFrame(Tris, RED_OVER_BLUE);
    Model.Textures[0] = {0, {255, 0, 0}, {255, 0, 0}};
    Model.Textures.push_back({1, {0, 255, 0}, {0, 255, 0}});
    ASSERT_EQ(Load(WriteTestModel(Model)), 0);
    Draw();
    EXPECT_TRUE(IsColour(At(SIZE / 2, SIZE / 2), BLACK));
    View.CameraAngleY = 90.0f;
    Draw();
    EXPECT_TRUE(IsColour(At(SIZE / 2, SIZE / 2), RED));
    View.CameraAngleY = 270.0f;
    Draw();
    EXPECT_TRUE(IsColour(At(SIZE / 2, SIZE / 2), GREEN));
}

// Models less than a unit or two deep: the far plane still lies beyond them, so they show
// and nearer faces hide farther ones.
TEST_F(cRenderTest, ShallowModelsStayInsideTheFarPlane)
{
    for (int Depth : {0, 1})
    {
        SCOPED_TRACE(Depth);
        cTestModel Model;
        Model.Frames.emplace_back();
        AddQuad(Model.Frames[0], 0, 0, Depth, 30, 0, 0);
        AddQuad(Model.Frames[0], 30, 0, 0, 10, 1, 0);   // untextured grey, partly behind at depth 1
        Model.Textures.push_back(ALL_GREEN);
        ASSERT_EQ(Load(WriteTestModel(Model)), 0);
        EXPECT_FLOAT_EQ(Placement.ViewDistance, 100.0f + Depth);
        Draw();
        EXPECT_TRUE(IsColour(AtModel(-15, 10, 0), GREEN));
        EXPECT_TRUE(IsColour(AtModel(35, 0, 0), {128, 128, 128}, 2));
        if (Depth == 1)
        {
            EXPECT_TRUE(IsColour(AtModel(25, 0, 1), GREEN));
        }
    }
}

TEST_F(cRenderTest, ResizeSetsPerspectiveFromTruncatedDepthBounds)
{
    Placement.ModelBounds.MinZ = -37.8f;
    Placement.ModelBounds.MaxZ = 52.3f;
    mGL->Resize(640, 480);
    ResizeView(640, 480);
    EXPECT_EQ(View.ClientWidth, 640);
    EXPECT_EQ(View.ClientHeight, 480);
    EXPECT_FLOAT_EQ(Placement.ViewDistance, 152.0f);
    double P[16];
    glGetDoublev(GL_PROJECTION_MATRIX, P);
    const double F = 1.0 / std::tan(22.5 * 3.14159265358979323846 / 180.0);
    const double Far = 8900.0, NearZ = 1.0;
    EXPECT_NEAR(P[5], F, 1e-5);
    EXPECT_NEAR(P[0], F / (640.0 / 480.0), 1e-5);
    EXPECT_NEAR(P[10], (Far + NearZ) / (NearZ - Far), 1e-6);
    EXPECT_NEAR(P[14], 2.0 * Far * NearZ / (NearZ - Far), 1e-6);
    GLint Mode = 0, Viewport[4] = {};
    glGetIntegerv(GL_MATRIX_MODE, &Mode);
    glGetIntegerv(GL_VIEWPORT, Viewport);
    EXPECT_EQ(Mode, GL_MODELVIEW);
    EXPECT_EQ(Viewport[2], 640);
    EXPECT_EQ(Viewport[3], 480);

    // A minimised window keeps the last projection instead of an infinite aspect.
    ResizeView(640, 0);
    EXPECT_EQ(View.ClientHeight, 0);
    double After[16];
    glGetDoublev(GL_PROJECTION_MATRIX, After);
    for (int i = 0; i < 16; ++i)
        EXPECT_DOUBLE_EQ(After[i], P[i]);

    // Direct3D mode: the size handed on to that renderer (its negative distance is tested with
    // it).
    cStandInDirect3D Direct3D;
    SelectRenderer(eRenderMode::Direct3D);
    ResizeView(300, 200);
    EXPECT_EQ(Direct3D.mResizedWidth, 300);
    EXPECT_EQ(View.ClientWidth, 300);
}

// The texture environment reads nothing of the fragment's colour: with decal mode Mesa passes
// the unlit colour to the fragment shader as a constant of the current vertex attributes, which
// each display-list call changes, and llvmpipe then takes a new fragment state for every list.
TEST_F(cRenderTest, TexturingReadsOnlyTheTexture)
{
    auto ExpectTextureOnly = [] {
        GLint Value = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &Value);
        EXPECT_EQ(Value, GL_COMBINE);
        const GLenum REPLACES[] = {GL_COMBINE_RGB, GL_COMBINE_ALPHA};
        for (GLenum Name : REPLACES)
        {
            glGetTexEnviv(GL_TEXTURE_ENV, Name, &Value);
            EXPECT_EQ(Value, GL_REPLACE);
        }
        const GLenum SOURCES[] = {GL_SOURCE0_RGB, GL_SOURCE0_ALPHA};
        for (GLenum Name : SOURCES)
        {
            glGetTexEnviv(GL_TEXTURE_ENV, Name, &Value);
            EXPECT_EQ(Value, GL_TEXTURE);
        }
        glGetTexEnviv(GL_TEXTURE_ENV, GL_OPERAND0_RGB, &Value);
        EXPECT_EQ(Value, GL_SRC_COLOR);
        glGetTexEnviv(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, &Value);
        EXPECT_EQ(Value, GL_SRC_ALPHA);
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    };
    ExpectTextureOnly();
    GLSetTexturesOn(false);
    GLSetTexturesOn(true);
    ExpectTextureOnly();
}

// The pictures are decal mode's to the byte, at start-up (unlit) and after Textures On has been
// switched off and on (lit), under every filter and from both sides: textured triangles of
// every type, one whose texture number has no texture (drawn in the current or the lit colour),
// and triangles that cut through each other.
TEST_F(cRenderTest, TexturedPicturesAreThoseOfDecalMode)
{
    std::vector<cTestTri> Tris;
    AddQuad(Tris, -30, 20, 0, 18, 0, 0);
    AddQuad(Tris, 30, 20, 5, 18, 1, 3);
    AddQuad(Tris, -30, -20, -5, 18, 2, 4, true);   // number 2 has no texture
    AddQuad(Tris, 30, -20, 0, 18, 0, 2);
    AddQuad(Tris, 0, 0, 10, 12, 1, 8);
    AddSideQuad(Tris, 0, 0, 0, 30, 0, 0);            // cuts through the others
    AddSideQuad(Tris, 10, 0, 0, 30, 1, 4, true);
    cTestModel Model = OneFrame(Tris, RED_OVER_BLUE);
    Model.Textures.push_back({1, {0, 200, 40}, {250, 250, 10}});
    ASSERT_EQ(Load(WriteTestModel(Model)), 0);

    for (const bool bLit : {false, true})
    {
        if (bLit)
        {
            GLSetTexturesOn(false);
            GLSetTexturesOn(true);
        }
        for (const int Filter : {0, 2, 3, 4, 8})
            for (const float Angle : {0.0f, 35.0f, 180.0f, 300.0f})
            {
                SCOPED_TRACE(::testing::Message() << "lit " << bLit << ", filter " << Filter
                                                  << ", angle " << Angle);
                View.PolygonFilter = static_cast<ePolygonFilter>(Filter);
                View.CameraAngleY = Angle;
                View.CameraAngleX = Angle / 3.0f;
                Draw();
                const std::vector<std::uint8_t> Ours = mPixels;
                glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
                Draw();
                GLSetTexturesOn(true);
                EXPECT_TRUE(Ours == mPixels);
                // Not the background alone: the comparison saw the model.
                EXPECT_LT(Count(0, 0, SIZE, SIZE, BLACK), SIZE * SIZE - 500);
            }
    }
}
