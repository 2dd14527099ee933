// Direct3D model building and drawing: textures at each display depth, the meshes and groups
// each triangle lands in, the pictures each polygon filter gives, and the camera and animation.
#include "tests/render_d3d/D3DFixture.h"

#include <array>
#include <cmath>

#include "platform/rm/RMFaults.h"
#include "render/FramePreparation.h"
#include "app/resources/Resources.h"
#include "load/ModelLoad.h"
#include "render/View.h"
#include "render/ViewState.h"
#include "render_d3d/D3DDraw.h"
#include "render_d3d/D3DModel.h"
#include "render_d3d/ErrorText.h"
#include "tests/render/TestModel.h"
#include "tools/zgen/ZentorGen.h"

namespace
{
constexpr std::uint32_t RED = 0xFF0000, BLUE = 0x0000FF;

// Texture 0: red top half, blue bottom half; texture 4: green all over. Texture 5 is unmapped.
cTestModel TwoTextureModel()
{
    cTestModel Model;
    Model.Textures = {{0, {255, 0, 0}, {0, 0, 255}}, {4, {0, 255, 0}, {0, 255, 0}}};
    Model.Sequences = {{"Still", 0, 1}};
    Model.Frames.resize(1);
    return Model;
}

// Each face's three records of a group, looked up through the group's face indices.
std::vector<std::array<D3DRMVERTEX, 3>> FaceRecords(IDirect3DRMMesh* pMesh, D3DRMGROUPINDEX Group)
{
    unsigned FaceCount = 0;
    EXPECT_TRUE(RMSucceeded(pMesh->GetGroup(Group, nullptr, &FaceCount, nullptr, nullptr)));
    std::vector<unsigned> Indices(3 * static_cast<std::size_t>(FaceCount));
    EXPECT_TRUE(RMSucceeded(pMesh->GetGroup(Group, nullptr, nullptr, nullptr, Indices.data())));
    std::vector<std::array<D3DRMVERTEX, 3>> Faces(FaceCount);
    for (std::size_t i = 0; i < Indices.size(); ++i)
        EXPECT_TRUE(RMSucceeded(pMesh->GetVertices(Group, Indices[i], 1, &Faces[i / 3][i % 3])));
    return Faces;
}

// The masked triangle P (0, 0, 0), Q (10, 0, 0), R (0, 10, 0) of TwoTextureModel's frames, as
// every mesh lists it, P, R, Q, or as the back mesh does, P, Q, R: each record keeps its vertex's
// texture coordinates, and the normal is negated.
void ExpectMaskedFace(const std::array<D3DRMVERTEX, 3>& Face, bool bBack)
{
    const float P[2] = {0, 0}, Q[2] = {10, 0}, R[2] = {0, 10};
    const float* Expected[3] = {P, bBack ? Q : R, bBack ? R : Q};
    for (int k = 0; k < 3; ++k)
    {
        SCOPED_TRACE(k);
        EXPECT_EQ(Face[k].position.x, Expected[k][0]);
        EXPECT_EQ(Face[k].position.y, Expected[k][1]);
        EXPECT_EQ(Face[k].position.z, 0.0f);
        EXPECT_EQ(Face[k].tu > 0, Expected[k][0] > 0);
        EXPECT_EQ(Face[k].tv > 0, Expected[k][1] > 0);
        EXPECT_EQ(Face[k].normal.z, -1.0f);
    }
}

// An ordinary triangle of texture number 4, then the masked one.
void AddMaskedAfterOrdinary(cTestModel& Model)
{
    Model.Frames[0].push_back({{{0, 0, 9}, {1, 0, 9}, {0, 1, 9}}, {{0, 0}, {0, 0}, {0, 0}}, 4, 0});
    Model.Frames[0].push_back({{{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {{0, 0}, {255, 0}, {0, 255}}, 4, 0x13});
}

class cD3DFrameTest : public cD3DTest
{
protected:
    // A fresh viewer for a display of this depth, attached to the default device.
    void Rebuild(int Depth)
    {
        ReleaseModel();
        delete TheD3DViewer;
        mSystem.mDisplayBitsPerPixel = Depth;
        TheD3DViewer = new cD3DViewer(mSystem, mWindow, &AppResources());
        ASSERT_TRUE(Attach());
    }

    // A generic generated model of NumFrames frames x NumTris triangles; its script's path.
    std::string GeneratedScript(const char* pszName, int NumFrames, int NumTris)
    {
        cGenParams Params;
        Params.Name = pszName;
        Params.NumFrames = NumFrames;
        Params.NumTris = NumTris;
        Params.NumVertices = NumTris + 2;
        return WriteModel(TempFolder(), Params).ScriptPath;
    }

    // The first pixel of texture TextureNum's surface, as bytes.
    std::vector<std::uint8_t> FirstTexel(int TextureNum, int Bytes)
    {
        IDirectDrawSurface* pSurface = nullptr;
        TheD3DViewer->GetTexture(TextureNum)->GetSurface(&pSurface);
        DDSURFACEDESC Desc = {};
        EXPECT_TRUE(RMSucceeded(pSurface->Lock(nullptr, &Desc, 0, nullptr)));
        const auto* pBytes = static_cast<const std::uint8_t*>(Desc.lpSurface);
        std::vector<std::uint8_t> Out(pBytes, pBytes + Bytes);
        pSurface->Unlock(nullptr);
        pSurface->Release();
        return Out;
    }
};

TEST_F(cD3DFrameTest, TexturesAreWrittenInTheDisplaysFormatTheRightWayUp)
{
    cTestModel Model = TwoTextureModel();
    AddQuad(Model.Frames[0], 0, 0, 0, 20, 0, 0);
    const std::string Script = WriteTestModel(Model, "Tex");
    const std::vector<std::uint8_t> RED16 = {0x00, 0x7C}, RED24 = {0xFF, 0x00, 0x00};
    for (int Depth : {16, 24, 32})
    {
        SCOPED_TRACE(Depth);
        mSystem.mMessageBoxes.clear();
        Rebuild(Depth);
        Load(Script);
        ASSERT_EQ(TheD3DViewer->GetNumTextures(), MAX_TEXTURES);
        // An unmapped number still gets its texture.
        EXPECT_NE(TheD3DViewer->GetTexture(5), nullptr);
        EXPECT_EQ(FirstTexel(0, Depth == 16 ? 2 : 3), Depth == 16 ? RED16 : RED24);
        // One warning per texture number with an image on a 32-bit display, none otherwise.
        EXPECT_EQ(mSystem.mMessageBoxes.size(), Depth == 32 ? 2u : 0u);
        if (Depth == 32)
        {
            EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Warning");
        }
        Draw();
        // Texture rows stay in file order: the top of the quad is red, the bottom blue.
        EXPECT_EQ(Pixel(160, 105), RED);
        EXPECT_EQ(Pixel(160, 135), BLUE);
    }
    EXPECT_EQ(PackRGB555(8, 8, 8), 0x0421);
    EXPECT_EQ(PackRGB555(0, 255, 0), 0x03E0);
}

TEST_F(cD3DFrameTest, DepthsThatCannotBeWrittenAreRefusedAndTheModelStillShows)
{
    cTestModel Model = TwoTextureModel();
    AddQuad(Model.Frames[0], 0, 0, 0, 20, 0, 0);
    const std::string Script = WriteTestModel(Model, "Depth");
    // An 8-bit display: the first texture with an image stops the textures.
    Rebuild(8);
    Load(Script);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text,
              "Tessaly supports D3D mode only on displays\nusing 16 or 24 bit color");
    EXPECT_EQ(mSystem.mMessageBoxes[0].Caption, "Error");
    EXPECT_EQ(TheD3DViewer->GetNumTextures(), 1);
    EXPECT_EQ(TheD3DViewer->GetTexture(0), nullptr);
    Draw();
    EXPECT_GT(CountForeground(0), 1000);
    // A viewer packing 16-bit pixels handed 24-bit surfaces writes nothing past them.
    Rebuild(16);
    RMSetDisplayBitsPerPixel(24);
    mSystem.mMessageBoxes.clear();
    Load(Script);
    EXPECT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(TheD3DViewer->GetTexture(0), nullptr);
}

TEST_F(cD3DFrameTest, FailedSurfacesAndMeshesLeaveAModelThatStillDraws)
{
    cTestModel Model = TwoTextureModel();
    AddQuad(Model.Frames[0], -40, 0, 0, 20, 0, 0);
    AddQuad(Model.Frames[0], 40, 0, 0, 20, 4, POLY_TWO_SIDED);
    const std::string Script = WriteTestModel(Model, "Faults");
    ASSERT_TRUE(Attach());
    RMInjectFault(RMFAULT_CREATE_SURFACE, DDERR_OUTOFMEMORY, 2, 1);
    // The main mesh is made; the two-sided pair fails.
    RMInjectFault(RMFAULT_CREATE_MESH, DDERR_GENERIC, 1);
    Load(Script);
    ASSERT_EQ(mSystem.mMessageBoxes.size(), 1u);
    EXPECT_EQ(mSystem.mMessageBoxes[0].Text, ErrorText(DDERR_OUTOFMEMORY));
    EXPECT_EQ(TheD3DViewer->GetNumTextures(), 2);
    cD3DFrame* pFrame = D3DFrames[0];
    ASSERT_NE(pFrame, nullptr);
    EXPECT_NE(pFrame->GetMainMesh(), nullptr);
    EXPECT_EQ(pFrame->GetTwoSidedMesh(), nullptr);
    EXPECT_EQ(pFrame->GetBackMesh(), nullptr);
    for (int Filter : {0, 2, 3, 4, 8})
    {
        View.PolygonFilter = static_cast<ePolygonFilter>(Filter);
        Draw();
        EXPECT_EQ(TheD3DViewer->GetModelFrame()->GetVisualCount(), 0u);
    }
    View.PolygonFilter = ePolygonFilter::All;
    Draw();
    EXPECT_EQ(Pixel(45, 120) != 0, true);
}

TEST_F(cD3DFrameTest, AFrameTheLayerHasNoMemoryForThrowsAndKeepsNothing)
{
    cTestModel Model = TwoTextureModel();
    AddQuad(Model.Frames[0], -40, 0, 0, 20, 0, 0);
    AddMaskedAfterOrdinary(Model);
    const std::string Script = WriteTestModel(Model, "NoMemory");
    ASSERT_TRUE(Attach());
    // The viewer's textures stay with it; only the frame's objects go.
    Load(Script);
    ReleaseModel();
    const int WithTextures = RMLiveObjectCount();
    // The material, the main mesh, then a later mesh of the frame.
    for (const auto& Fault : {std::pair{RMFAULT_CREATE_MATERIAL, 0}, std::pair{RMFAULT_CREATE_MESH, 0},
                              std::pair{RMFAULT_CREATE_MESH, 2}})
    {
        SCOPED_TRACE(Fault.second);
        RMInjectFault(Fault.first, D3DRMERR_BADALLOC, Fault.second, 1);
        EXPECT_THROW(Load(Script), std::bad_alloc);
        EXPECT_EQ(D3DFrames[0], nullptr);
        ReleaseModel();
        EXPECT_EQ(RMLiveObjectCount(), WithTextures);
    }
    // Out of memory in the display object is the same; other failures still leave the mesh out.
    RMInjectFault(RMFAULT_CREATE_MESH, DDERR_OUTOFMEMORY, 0, 1);
    EXPECT_THROW(Load(Script), std::bad_alloc);
    RMInjectFault(RMFAULT_CREATE_MESH, DDERR_GENERIC, 0, 1);
    Load(Script);
    ASSERT_NE(D3DFrames[0], nullptr);
    EXPECT_EQ(D3DFrames[0]->GetMainMesh(), nullptr);
}

TEST_F(cD3DFrameTest, EachTriangleLandsInTheMeshesOfItsTypeWithTheWindingTurned)
{
    cTestModel Model = TwoTextureModel();
    AddQuad(Model.Frames[0], -40, 0, 0, 20, 0, 0);
    AddMaskedAfterOrdinary(Model);
    // Texture numbers 9 and 200 belong to no group.
    Model.Frames[0].push_back({{{0, 0, 5}, {1, 0, 5}, {0, 1, 5}}, {{0, 0}, {0, 0}, {0, 0}}, 9, 0});
    Model.Frames[0].push_back({{{0, 0, 6}, {1, 0, 6}, {0, 1, 6}}, {{0, 0}, {0, 0}, {0, 0}}, 200, 0});
    ASSERT_TRUE(Attach());
    Load(WriteTestModel(Model, "Groups"));
    cD3DFrame* pFrame = D3DFrames[0];
    ASSERT_NE(pFrame, nullptr);
    IDirect3DRMMesh* pMain = pFrame->GetMainMesh();
    ASSERT_NE(pMain, nullptr);
    EXPECT_EQ(pMain->GetGroupCount(), 2u);
    for (int Slot = 0; Slot < MAX_TEXTURES; ++Slot)
        EXPECT_EQ(pFrame->GetMainGroup(Slot) != NO_GROUP, Slot == 0 || Slot == 4) << Slot;
    EXPECT_NE(pFrame->GetMaskedGroup(4), NO_GROUP);
    EXPECT_NE(pFrame->GetTwoSidedGroup(4), NO_GROUP);
    EXPECT_NE(pFrame->GetBackGroup(4), NO_GROUP);
    EXPECT_EQ(pFrame->GetMaskedGroup(0), NO_GROUP);
    EXPECT_EQ(pFrame->GetTranslucentMesh(), nullptr);
    EXPECT_EQ(pFrame->GetPlaceholderMesh(), nullptr);

    // The masked triangle is the second face of the main group and the only one of the others.
    const auto Main = FaceRecords(pMain, pFrame->GetMainGroup(4));
    const auto TwoSided = FaceRecords(pFrame->GetTwoSidedMesh(), pFrame->GetTwoSidedGroup(4));
    const auto Masked = FaceRecords(pFrame->GetMaskedMesh(), pFrame->GetMaskedGroup(4));
    const auto Back = FaceRecords(pFrame->GetBackMesh(), pFrame->GetBackGroup(4));
    ASSERT_EQ(Main.size(), 2u);
    ASSERT_EQ(TwoSided.size(), 1u);
    ASSERT_EQ(Masked.size(), 1u);
    ASSERT_EQ(Back.size(), 1u);
    ExpectMaskedFace(Main[1], false);
    ExpectMaskedFace(TwoSided[0], false);
    ExpectMaskedFace(Masked[0], false);
    ExpectMaskedFace(Back[0], true);
    // z is mirrored by each mesh's scale.
    for (IDirect3DRMMesh* pMesh : {pMain, pFrame->GetTwoSidedMesh(), pFrame->GetMaskedMesh(), pFrame->GetBackMesh()})
        EXPECT_EQ(pMesh->GetScale().z, -1.0f);
    EXPECT_EQ(pMain->GetGroupQuality(pFrame->GetMainGroup(0)), D3DRMRENDER_FLAT);

    // Textures off takes every group's texture away; on gives it back.
    View.TexturesOn = false;
    ApplyTextureSwitchToDirect3D();
    IDirect3DRMTexture2* pTexture = nullptr;
    pMain->GetGroupTexture(pFrame->GetMainGroup(0), &pTexture);
    EXPECT_EQ(pTexture, nullptr);
    View.TexturesOn = true;
    ApplyTextureSwitchToDirect3D();
    pMain->GetGroupTexture(pFrame->GetMainGroup(0), &pTexture);
    EXPECT_EQ(pTexture, TheD3DViewer->GetTexture(0));
    if (pTexture)
        pTexture->Release();
}

TEST_F(cD3DFrameTest, WithoutAMainMeshTheOtherMeshesHoldTheirOwnRecords)
{
    cTestModel Model = TwoTextureModel();
    AddMaskedAfterOrdinary(Model);
    ASSERT_TRUE(Attach());
    RMInjectFault(RMFAULT_CREATE_MESH, DDERR_GENERIC, 0, 1);
    Load(WriteTestModel(Model, "NoMain"));
    cD3DFrame* pFrame = D3DFrames[0];
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(pFrame->GetMainMesh(), nullptr);
    IDirect3DRMMesh* pMasked = pFrame->GetMaskedMesh();
    IDirect3DRMMesh* pBack = pFrame->GetBackMesh();
    ASSERT_TRUE(pMasked && pBack);
    const auto Masked = FaceRecords(pMasked, pFrame->GetMaskedGroup(4));
    const auto Back = FaceRecords(pBack, pFrame->GetBackGroup(4));
    ASSERT_EQ(Masked.size(), 1u);
    ASSERT_EQ(Back.size(), 1u);
    ExpectMaskedFace(Masked[0], false);
    ExpectMaskedFace(Back[0], true);
    unsigned VertexCount = 0;
    EXPECT_TRUE(RMSucceeded(pBack->GetGroup(pFrame->GetBackGroup(4), &VertexCount, nullptr, nullptr, nullptr)));
    EXPECT_EQ(VertexCount, 3u);
}

TEST_F(cD3DFrameTest, FiltersShowTheirTrianglesSolidAgainstAnOutline)
{
    cTestModel Model = TwoTextureModel();
    AddQuad(Model.Frames[0], -40, 0, 0, 20, 0, 0);
    // A two-sided quad facing away: only its reversed copy faces the camera.
    AddQuad(Model.Frames[0], 40, 0, 0, 20, 4, POLY_TWO_SIDED, true);
    // An ordinary quad facing away is culled.
    AddQuad(Model.Frames[0], 0, 40, 0, 10, 0, 0, true);
    ASSERT_TRUE(Attach());
    Load(WriteTestModel(Model, "Filters"));
    const int LEFT = 44, RIGHT = 276, MIDDLE = 120;
    struct tCase
    {
        int Filter;
        bool bLeftSolid, bRightSolid;
    } CASES[] = {{0, true, true}, {2, false, false}, {3, false, true}, {4, false, true},
                 {8, false, false}, {7, true, true}};
    for (const tCase& Case : CASES)
    {
        SCOPED_TRACE(Case.Filter);
        View.PolygonFilter = static_cast<ePolygonFilter>(Case.Filter);
        Draw();
        EXPECT_EQ(Pixel(LEFT, MIDDLE + 10) == BLUE, Case.bLeftSolid);
        // The reversed copy keeps the triangle's own normal, so only ambient light reaches it.
        EXPECT_EQ(Pixel(RIGHT, MIDDLE) == 0x00CC00, Case.bRightSolid) << std::hex << Pixel(RIGHT, MIDDLE);
        EXPECT_EQ(Pixel(160, 4), 0u);
        // Between pictures the model frame is empty and every group solid and flat again.
        EXPECT_EQ(TheD3DViewer->GetModelFrame()->GetVisualCount(), 0u);
        for (int Slot : {0, 4})
        {
            const D3DRMGROUPINDEX Group = D3DFrames[0]->GetMainGroup(Slot);
            EXPECT_EQ(D3DFrames[0]->GetMainMesh()->GetGroupQuality(Group), D3DRMRENDER_FLAT);
        }
        EXPECT_EQ(D3DFrames[0]->GetBackMesh()->GetGroupQuality(D3DFrames[0]->GetBackGroup(4)),
                  D3DRMRENDER_FLAT);
    }
    // The culled quad's area shows the background.
    View.PolygonFilter = ePolygonFilter::All;
    TheD3DViewer->SetBackgroundColor(0x0000FFu);
    Draw();
    EXPECT_EQ(Pixel(160, 4), RED);
    EXPECT_EQ(Pixel(160, 5 + 120 - 116), RED);
}

TEST_F(cD3DFrameTest, CameraTurnAndAnimationFollowTheViewState)
{
    ASSERT_TRUE(Attach());
    Load(GeneratedScript("Anim", 16, 8));
    Placement.ModelBounds.MaxZ = 37.6f;
    ResizeView(320, 240);
    Draw();
    D3DVECTOR Position = {};
    TheD3DViewer->GetCamera()->GetPosition(TheD3DViewer->GetScene(), &Position);
    EXPECT_EQ(Position.x, 0.0f);
    EXPECT_EQ(Position.z, -137.0f);

    // A quarter turn about the vertical axis replaces any earlier turn.
    View.CameraAngleY = 90.0f;
    Draw();
    Draw();
    D3DRMMATRIX4D Turn;
    TheD3DViewer->GetModelFrame()->GetTransform(Turn);
    EXPECT_NEAR(Turn[1][1], 1.0f, 1e-6f);
    EXPECT_NEAR(std::fabs(Turn[0][2]), 1.0f, 1e-6f);
    EXPECT_NEAR(Turn[0][0], 0.0f, 1e-6f);

    View.LoopAnimation = true;
    View.CurrentFrame = View.SequenceStart = 10;
    View.SequenceLength = 5;
    std::vector<int> Drawn;
    for (int i = 0; i < 7; ++i)
    {
        Drawn.push_back(View.CurrentFrame);
        Draw();
    }
    EXPECT_EQ(Drawn, (std::vector<int>{10, 11, 12, 13, 14, 10, 11}));
    // Beyond the prepared frames only the background shows, and the animation holds.
    View.CurrentFrame = 1000;
    Draw();
    EXPECT_EQ(View.CurrentFrame, 1000);
    EXPECT_EQ(CountForeground(0), 0);
}

TEST_F(cD3DFrameTest, OnlyTheFirstThousandFramesArePrepared)
{
    ASSERT_TRUE(Attach());
    Load(GeneratedScript("Long", 1200, 2));
    PrepareAllFrames();
    int Prepared = 0;
    for (cD3DFrame* pFrame : D3DFrames)
        Prepared += pFrame != nullptr;
    EXPECT_EQ(Prepared, MAX_FRAMES);

    // A model without frames is reported with its path.
    cTestModel Empty = TwoTextureModel();
    Empty.WithMesh = false;
    const std::string Script = WriteTestModel(Empty, "Empty");
    Load(Script);
    ASSERT_FALSE(mSystem.mMessageBoxes.empty());
    EXPECT_EQ(D3DFrames[0], nullptr);
}
}  // namespace
