// Frame geometry decoded from crafted models, face normals, and the window's palette.
#include <gtest/gtest.h>

#include "model/ZentorMesh.h"
#include "render/FrameGeometry.h"
#include "render/GLPixelFormat.h"
#include "tests/render/TestModel.h"

namespace
{
// A frame object the test builds itself, as a renderer's constructor would.
class cProbeFrame : public cFrameGeometry
{
public:
    cProbeFrame(cZentorMesh* pModel, int Frame, eTexCoordRule Rule) : cFrameGeometry(pModel, Frame, 9)
    {
        if (pModel)
            mHeader = pModel->GetDataHeader();
        BuildTris(Rule);
    }
    void Bounds(float (&Box)[6]) const { GetBounds(Box[0], Box[1], Box[2], Box[3], Box[4], Box[5]); }
};

cTestTri Tri(int X0, int Y0, int Z0, int X1, int Y1, int Z1, int X2, int Y2, int Z2)
{
    cTestTri Result{};
    const int P[3][3] = {{X0, Y0, Z0}, {X1, Y1, Z1}, {X2, Y2, Z2}};
    for (int k = 0; k < 3; ++k)
        for (int Axis = 0; Axis < 3; ++Axis)
            Result.P[k][Axis] = P[k][Axis];
    return Result;
}

class cGeometryTest : public ::testing::Test
{
protected:
    void TearDown() override { RemoveTestModels(); }

    std::unique_ptr<cZentorMesh> Load(const cTestModel& Model)
    {
        return std::make_unique<cZentorMesh>(WriteTestModel(Model).c_str(), true);
    }
};
}

TEST_F(cGeometryTest, ScaleTexCoordRulesAndTextureNumbers)
{
    cTestModel Model;
    Model.Scale[0] = 2.0f;
    Model.Scale[2] = 0.5f;
    cTestTri A = Tri(100, -4, 10, 0, 0, 0, 1, 1, 1);
    const std::uint8_t UV[3][2] = {{0, 0}, {128, 1}, {255, 2}};
    for (int k = 0; k < 3; ++k)
    {
        A.UV[k][0] = UV[k][0];
        A.UV[k][1] = UV[k][1];
    }
    A.TextureNum = 200;
    A.Type = 0x12;
    cTestTri B = Tri(0, 0, 0, 1, 0, 0, 0, 1, 0);
    B.UV[0][1] = 255;
    B.TextureNum = 8;
    B.Type = 0x01;
    Model.Frames = {{A, B}};
    auto pModel = Load(Model);

    cProbeFrame GL(pModel.get(), 0, TCOORD_OPENGL);
    ASSERT_EQ(GL.GetNumRenderTris(), 2);
    const RenderTri& First = GL.GetRenderTris()[0];
    EXPECT_FLOAT_EQ(First.V[0][0], 200.0f);
    EXPECT_FLOAT_EQ(First.V[0][1], -4.0f);
    EXPECT_FLOAT_EQ(First.V[0][2], 5.0f);
    EXPECT_FLOAT_EQ(First.U[0], 0.0f);
    EXPECT_FLOAT_EQ(First.U[1], 0.5f);
    EXPECT_FLOAT_EQ(First.U[2], 0.99609375f);
    EXPECT_FLOAT_EQ(First.T[0], 0.00390625f);
    EXPECT_FLOAT_EQ(First.T[1], 0.0f);
    EXPECT_FLOAT_EQ(First.T[2], -0.00390625f);
    EXPECT_FLOAT_EQ(GL.GetRenderTris()[1].T[0], -0.9921875f);
    EXPECT_EQ(First.TextureNum, -56);
    EXPECT_EQ(First.Type, 0x12);
    EXPECT_EQ(GL.GetRenderTris()[1].TextureNum, 8);
    EXPECT_FLOAT_EQ(GL.GetRenderTris()[1].Normal[2], 1.0f);
    EXPECT_TRUE(GL.HasTranslucent());
    EXPECT_TRUE(GL.HasTwoSided());
    EXPECT_FALSE(GL.HasMasked());
    EXPECT_FALSE(GL.HasPlaceholder());

    cProbeFrame D3D(pModel.get(), 0, TCOORD_DIRECT3D);
    EXPECT_FLOAT_EQ(D3D.GetRenderTris()[0].T[0], 0.0f);
    EXPECT_FLOAT_EQ(D3D.GetRenderTris()[0].T[1], 0.00390625f);
    EXPECT_FLOAT_EQ(D3D.GetRenderTris()[0].T[2], 0.0078125f);
    EXPECT_FLOAT_EQ(D3D.GetRenderTris()[1].T[0], 0.99609375f);
    EXPECT_FLOAT_EQ(D3D.GetRenderTris()[0].U[1], 0.5f);
}

TEST_F(cGeometryTest, BoundsStartAtOriginAndFlagsFollowLowBits)
{
    cTestModel Model;
    cTestTri Far = Tri(3, 4, 10, 5, 6, 20, 7, 8, 15);
    Far.Type = 0x83;   // masked, high bits ignored
    cTestTri Marker = Tri(-2, -3, 12, -2, -3, 12, -2, -3, 12);
    Marker.Type = 8;
    Model.Frames = {{Far, Marker}, {Tri(0, 0, 0, 0, 0, 0, 0, 0, 0), Marker}};
    auto pModel = Load(Model);

    cProbeFrame Frame(pModel.get(), 0, TCOORD_OPENGL);
    float Box[6];
    Frame.Bounds(Box);
    const float Want[6] = {-2, 7, -3, 8, 0, 20};
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(Box[i], Want[i]) << i;
    EXPECT_TRUE(Frame.HasMasked());
    EXPECT_TRUE(Frame.HasTwoSided());
    EXPECT_TRUE(Frame.HasPlaceholder());
    EXPECT_FALSE(Frame.HasTranslucent());
    // Degenerate triangle: zero normal.
    EXPECT_EQ(Frame.GetRenderTris()[1].Normal[0], 0.0f);
    EXPECT_EQ(Frame.GetRenderTris()[1].Normal[2], 0.0f);

    // Releasing the triangles keeps bounds and flags.
    Frame.ReleaseTris();
    EXPECT_EQ(Frame.GetRenderTris(), nullptr);
    EXPECT_EQ(Frame.ComputeBounds(), 1);
    Frame.Bounds(Box);
    EXPECT_FLOAT_EQ(Box[5], 20.0f);
    EXPECT_TRUE(Frame.HasMasked());
}

TEST_F(cGeometryTest, EmptyOrMissingMeshGivesEmptyFrame)
{
    cTestModel Empty;
    Empty.Frames = {{}};
    auto pEmpty = Load(Empty);
    cProbeFrame NoTris(pEmpty.get(), 0, TCOORD_OPENGL);
    EXPECT_EQ(NoTris.GetNumRenderTris(), 0);

    cTestModel NoMesh;
    NoMesh.WithMesh = false;
    auto pNoMesh = Load(NoMesh);
    cProbeFrame Missing(pNoMesh.get(), 0, TCOORD_OPENGL);
    EXPECT_EQ(Missing.GetNumRenderTris(), 0);

    cProbeFrame NoModel(nullptr, 0, TCOORD_OPENGL);
    EXPECT_EQ(NoModel.GetRenderTris(), nullptr);
    EXPECT_EQ(NoModel.ComputeBounds(), 1);

    for (const cProbeFrame* pFrame : {&NoTris, &Missing, &NoModel})
    {
        float Box[6];
        pFrame->Bounds(Box);
        for (float Value : Box)
            EXPECT_EQ(Value, 0.0f);
        EXPECT_FALSE(pFrame->HasTwoSided() || pFrame->HasTranslucent() || pFrame->HasMasked() ||
                     pFrame->HasPlaceholder());
    }
}

TEST(PixelFormatTest, RequestAndPaletteRamps)
{
    EXPECT_EQ(GLPixelFormat.nSize, 40);
    EXPECT_EQ(GLPixelFormat.dwFlags, 0x25u);
    EXPECT_EQ(GLPixelFormat.cColorBits, 16);
    EXPECT_EQ(GLPixelFormat.cDepthBits, 16);
    EXPECT_TRUE(GLCreatePalette(GLPixelFormat).empty());

    tPixelFormat Format = GLPixelFormat;
    Format.dwFlags |= PFD_NEED_PALETTE;
    Format.cColorBits = 8;
    Format.cRedBits = 3;
    Format.cGreenBits = 3;
    Format.cGreenShift = 3;
    Format.cBlueBits = 2;
    Format.cBlueShift = 6;
    const std::vector<tPaletteEntry> Palette = GLCreatePalette(Format);
    ASSERT_EQ(Palette.size(), 256u);
    auto Rgb = [&](int i) {
        return std::vector<int>{Palette[i].peRed, Palette[i].peGreen, Palette[i].peBlue,
                                Palette[i].peFlags};
    };
    EXPECT_EQ(Rgb(255), (std::vector<int>{255, 255, 255, 0}));
    EXPECT_EQ(Rgb(7), (std::vector<int>{255, 0, 0, 0}));
    EXPECT_EQ(Rgb(0xC0), (std::vector<int>{0, 0, 255, 0}));
    const int Ramp3[8] = {0, 36, 72, 109, 145, 182, 218, 255};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Palette[i].peRed, Ramp3[i]);
    const int Ramp2[4] = {0, 85, 170, 255};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Palette[i << 6].peBlue, Ramp2[i]);

    // A component without bits is 0 everywhere; absurd shifts read nothing.
    Format.cBlueBits = 0;
    Format.cGreenShift = 200;
    for (const tPaletteEntry& Entry : GLCreatePalette(Format))
    {
        EXPECT_EQ(Entry.peBlue, 0);
        EXPECT_EQ(Entry.peGreen, 0);
    }
}
