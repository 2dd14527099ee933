// Model upload and frame drawing over whole models: frame advance, the frame limit, distinct
// display lists for every prepared frame, the no-mesh message, releasing a model, and large
// parts compiled as chunk lists.
#include <GL/gl.h>

#include "load/ModelLoad.h"
#include "model/ZentorMesh.h"
#include "render/FramePreparation.h"
#include "render/GLDraw.h"
#include "render/GLModel.h"
#include "render/GLRenderer.h"
#include "render/GLScene.h"
#include "render/View.h"
#include "render/RenderHooks.h"
#include "render/ViewState.h"
#include "tests/render/RenderFixture.h"

namespace
{
const cTestTexture ALL_GREEN = {0, {0, 255, 0}, {0, 255, 0}};

// A quad per group whose x position is a function of the frame, so a list holding another
// frame's triangles shows in the wrong place.
int FrameX(int Frame)
{
    return ((Frame * 7) % 11 - 5) * 6;
}

cTestModel GroupedFrames(int NumFrames)
{
    cTestModel Model;
    Model.Textures.push_back(ALL_GREEN);
    for (int Frame = 0; Frame < NumFrames; ++Frame)
    {
        std::vector<cTestTri> Tris;
        const int X = FrameX(Frame);
        AddQuad(Tris, X, 36, 0, 2, 0, 0);
        AddQuad(Tris, X, 18, 0, 2, 0, 2);
        AddQuad(Tris, X, 0, 0, 2, 0, 3);
        AddQuad(Tris, X, -18, 0, 2, 0, 4);
        AddQuad(Tris, X, -36, 0, 2, 0, 8);
        AddDepthAnchors(Tris, 50);
        Model.Frames.push_back(Tris);
    }
    return Model;
}
}

TEST_F(cRenderTest, LoopingRunsThroughTheSequenceAndWraps)
{
    ASSERT_EQ(Load(WriteTestModel(GroupedFrames(20))), 0);
    View.LoopAnimation = true;
    View.SequenceStart = View.CurrentFrame = 10;
    View.SequenceLength = 5;
    std::vector<int> Drawn;
    for (int i = 0; i < 7; ++i)
    {
        Drawn.push_back(View.CurrentFrame);
        Draw();
        // The picture is the frame that was current when drawing began.
        EXPECT_TRUE(IsColour(AtModel(static_cast<float>(FrameX(Drawn.back())), 36, 0), GREEN));
    }
    EXPECT_EQ(Drawn, (std::vector<int>{10, 11, 12, 13, 14, 10, 11}));

    for (int Length : {0, 1})
    {
        View.SequenceLength = Length;
        View.CurrentFrame = 12;
        Draw();
        EXPECT_EQ(View.CurrentFrame, 10);
    }

    View.LoopAnimation = false;
    View.CurrentFrame = 13;
    Draw();
    Draw();
    EXPECT_EQ(View.CurrentFrame, 13);
}

TEST_F(cRenderTest, FramesNotPreparedShowBackgroundAndHold)
{
    ASSERT_EQ(Load(WriteTestModel(GroupedFrames(4))), 0);
    View.LoopAnimation = true;
    View.SequenceStart = 2;
    View.SequenceLength = 10;
    View.CurrentFrame = 3;
    Draw();
    EXPECT_EQ(View.CurrentFrame, 4);
    for (int i = 0; i < 2; ++i)
    {
        Draw();
        EXPECT_EQ(View.CurrentFrame, 4);
        EXPECT_EQ(Count(0, 0, SIZE, SIZE, BLACK), SIZE * SIZE);
    }
    for (int Frame : {-1, MAX_FRAMES, 1 << 30})
    {
        View.CurrentFrame = Frame;
        Draw();
        EXPECT_EQ(View.CurrentFrame, Frame);
    }

    // A script may start a sequence anywhere: the wrap test must not overflow.
    View.SequenceStart = -2147483647 - 1;
    View.SequenceLength = 2147483647;
    View.CurrentFrame = 1;
    Draw();
    EXPECT_EQ(View.CurrentFrame, View.SequenceStart);
}

// Every group of frames 0, 555, 998 and 999 shows that frame's own triangles: the id ranges of
// the groups and frames never overlap, up to the last frame prepared.
TEST_F(cRenderTest, ThousandFramesKeepDistinctListsAndLaterFramesAreDropped)
{
    ASSERT_EQ(Load(WriteTestModel(GroupedFrames(1200))), 0);
    // The load prepares frame 0 alone; the rest wait for their turn.
    EXPECT_NE(GLFrames[0], nullptr);
    EXPECT_EQ(GLFrames[1], nullptr);
    EXPECT_TRUE(FramesWaiting());
    PrepareAllFrames();
    EXPECT_FALSE(FramesWaiting());
    for (int Frame = 0; Frame < MAX_FRAMES; ++Frame)
        ASSERT_NE(GLFrames[Frame], nullptr) << Frame;

    const struct
    {
        int Filter;
        int Y;
    } Groups[] = {{0, 36}, {2, 18}, {3, 0}, {4, -18}, {8, -36}};
    for (int Frame : {0, 555, 998, 999})
    {
        for (const auto& Group : Groups)
        {
            SCOPED_TRACE(::testing::Message() << "frame " << Frame << " filter " << Group.Filter);
            View.CurrentFrame = Frame;
            View.PolygonFilter = static_cast<ePolygonFilter>(Group.Filter);
            Draw();
            EXPECT_TRUE(IsColour(AtModel(static_cast<float>(FrameX(Frame)), Group.Y + 0.5f, 0),
                                 GREEN));
            for (int Other : {0, 555, 998, 999})
            {
                if (FrameX(Other) != FrameX(Frame))
                {
                    EXPECT_TRUE(IsColour(
                        AtModel(static_cast<float>(FrameX(Other)), Group.Y + 0.5f, 0), BLACK));
                }
            }
        }
    }
    const int Last = GLFrames[MAX_FRAMES - 1]->GetPlaceholderBase() + MAX_TEXTURES - 1;
    EXPECT_LE(Last, LAST_LIST_ID);
    EXPECT_TRUE(glIsList(Last));

    // The frame counter may point past the prepared frames: only the background shows.
    View.CurrentFrame = MAX_FRAMES;
    View.PolygonFilter = ePolygonFilter::All;
    Draw();
    EXPECT_EQ(Count(0, 0, SIZE, SIZE, BLACK), SIZE * SIZE);
}

TEST_F(cRenderTest, ScriptWithoutMeshReportsItAndKeepsBounds)
{
    cTestModel Model;
    Model.WithMesh = false;
    const std::string Path = WriteTestModel(Model);
    Placement.ModelBounds.MaxZ = 7.0f;
    EXPECT_EQ(Load(Path), 1);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], "Error|The file " + Path + " does not contain any mesh information.");
    EXPECT_FLOAT_EQ(Placement.ModelBounds.MaxZ, 7.0f);
    EXPECT_EQ(GLFrames[0], nullptr);
    EXPECT_EQ(View.RenderMode, eRenderMode::OpenGL);
    Draw();
    EXPECT_EQ(Count(0, 0, SIZE, SIZE, BLACK), SIZE * SIZE);
}

TEST_F(cRenderTest, ReleaseModelLeavesNothingBehind)
{
    ASSERT_EQ(Load(WriteTestModel(GroupedFrames(3))), 0);
    PrepareAllFrames();
    cStandInDirect3D Direct3D;
    const int Base = GLFrames[2]->GetMaskedBase();
    // The lists holding frame 2's translucent and masked triangles.
    const int Parts[] = {PART_LIST_BASE + GROUP_LIST_SPAN + 2 * FRAME_LIST_STRIDE,
                         PART_LIST_BASE + 2 * GROUP_LIST_SPAN + 2 * FRAME_LIST_STRIDE};
    for (int Part : Parts)
        EXPECT_TRUE(glIsList(Part));
    ReleaseModel();
    // The other renderer's frames go too.
    EXPECT_EQ(Direct3D.mReleases, 1);
    EXPECT_EQ(TheModel, nullptr);
    for (cGLFrame* pFrame : GLFrames)
        EXPECT_EQ(pFrame, nullptr);
    EXPECT_FALSE(glIsList(Base));
    EXPECT_FALSE(glIsList(ALL_LIST_BASE));
    for (int Part : Parts)
        EXPECT_FALSE(glIsList(Part));
    Draw();
    EXPECT_EQ(Count(0, 0, SIZE, SIZE, BLACK), SIZE * SIZE);

    // A smaller model after a larger one leaves no frame of the first behind.
    ASSERT_EQ(Load(WriteTestModel(GroupedFrames(5))), 0);
    ASSERT_EQ(Load(WriteTestModel(GroupedFrames(2))), 0);
    EXPECT_EQ(GLFrames[2], nullptr);
    EXPECT_FALSE(glIsList(ALL_LIST_BASE + 2 * FRAME_LIST_STRIDE));
}

TEST_F(cRenderTest, ActiveRendererFollowsRenderModeAndTheOpenGLUploadTakesItBack)
{
    cStandInDirect3D Direct3D;
    SelectRenderer(eRenderMode::Direct3D);
    EXPECT_EQ(&ActiveRenderer(), &Direct3D);
    // The OpenGL upload makes OpenGL the active renderer again, whoever was before.
    ASSERT_EQ(Load(WriteTestModel(GroupedFrames(3))), 0);
    EXPECT_EQ(ActiveRenderer().Mode(), eRenderMode::OpenGL);
    EXPECT_TRUE(ActiveRenderer().IsFramePrepared(0));
    EXPECT_FALSE(ActiveRenderer().IsFramePrepared(MAX_FRAMES));
    // The texture switch reaches the renderer that is not active too.
    View.TexturesOn = false;
    ApplyTextureSwitchToEveryRenderer();
    EXPECT_EQ(Direct3D.mTextureSwitches, 1);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    View.TexturesOn = true;
    ApplyTextureSwitchToEveryRenderer();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    // A mode without a registered renderer builds and draws nothing.
    RegisterRenderer(eRenderMode::Direct3D, nullptr);
    SelectRenderer(eRenderMode::Direct3D);
    EXPECT_EQ(ActiveRenderer().Mode(), eRenderMode::Direct3D);
    EXPECT_FALSE(ActiveRenderer().IsFramePrepared(0));
    EXPECT_EQ(ActiveRenderer().BuildModel("none"), 1);
    SelectRenderer(eRenderMode::OpenGL);
}

TEST_F(cRenderTest, LargePartsAreCompiledAChunkAStepAndDrawTheSame)
{
    const std::string Path = WriteTestModel(GroupedFrames(3));
    const ePolygonFilter Filters[] = {ePolygonFilter::All, ePolygonFilter::Translucent,
                                      ePolygonFilter::Masked, ePolygonFilter::TwoSided,
                                      ePolygonFilter::Placeholder};
    auto Pictures = [&] {
        std::vector<std::vector<std::uint8_t>> Result;
        for (ePolygonFilter Filter : Filters)
        {
            View.CurrentFrame = 2;
            View.PolygonFilter = Filter;
            Draw();
            Result.push_back(mPixels);
        }
        return Result;
    };
    // Steps until frame 2 is complete, none of them drawing it half-made.
    auto StepsToComplete = [&] {
        int Steps = 1;
        for (; !GLRenderer().PrepareFramePart(2); ++Steps)
            EXPECT_FALSE(GLRenderer().IsFramePrepared(2));
        return Steps;
    };
    ASSERT_EQ(Load(Path), 0);
    const int WholeSteps = StepsToComplete();
    const auto Whole = Pictures();
    ASSERT_NE(Whole[0], Whole[1]) << "the filters must differ for the check to mean anything";

    // Two triangles a group: one chunk list per triangle, each a step of its own.
    GLChunkTriangles = 1;
    ASSERT_EQ(Load(Path), 0);
    EXPECT_EQ(StepsToComplete(), WholeSteps + 2 * NUM_PARTS);
    const int FirstChunk = CHUNK_LIST_BASE + (2 * FRAME_LIST_STRIDE) * MAX_CHUNKS;
    EXPECT_TRUE(glIsList(FirstChunk) && glIsList(FirstChunk + 1));
    EXPECT_FALSE(glIsList(FirstChunk + 2));
    EXPECT_EQ(Pictures(), Whole);
    ReleaseModel();
    EXPECT_FALSE(glIsList(FirstChunk));
    GLChunkTriangles = CHUNK_TRIS;
}
