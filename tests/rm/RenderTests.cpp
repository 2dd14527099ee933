// The software device against expected pixels: texel placement, perspective, culling, depth,
// wireframe, lighting and the field of view.
#include "platform/rm/RMDevices.h"
#include "tests/rm/RMTestScene.h"

#include <cmath>

namespace
{
const D3DRMRENDERQUALITY UNLIT_SOLID = D3DRMRENDER_UNLITFLAT;
const D3DRMRENDERQUALITY UNLIT_WIRE = D3DRMFILL_WIREFRAME | D3DRMLIGHT_OFF | D3DRMSHADE_FLAT;

int Red(std::uint32_t Pixel) { return (Pixel >> 16) & 0xFF; }
int Green(std::uint32_t Pixel) { return (Pixel >> 8) & 0xFF; }
int Blue(std::uint32_t Pixel) { return Pixel & 0xFF; }

int CountNot(const cMemoryPresenter& Picture, std::uint32_t Color)
{
    int Count = 0;
    for (std::uint32_t Pixel : Picture.mPixels)
        Count += Pixel != Color;
    return Count;
}
}

TEST(RMRender, TexelsLandWhereTheirCoordinatesSay)
{
    cTestScene Scene(64, 64);
    ASSERT_EQ(Scene.mViewport->SetField(1.0f), D3DRM_OK);  // 32 pixels per unit at distance 1
    // A square of half size 1 at z = 2 covers pixels 16 ... 47 in both directions.
    Scene.AddSquare(1.0f, 2.0f, UNLIT_SOLID, Scene.MakeTexture(CoordinateTexel));
    const cMemoryPresenter& Picture = Scene.Draw();
    ASSERT_EQ(Picture.mWidth, 64);
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 64; ++X)
        {
            const std::uint32_t Pixel = Picture.At(X, Y);
            if (X < 16 || X >= 48 || Y < 16 || Y >= 48)
            {
                EXPECT_EQ(Pixel, cTestScene::BACKGROUND) << X << "," << Y;
                continue;
            }
            // Texture u runs left to right and v top to bottom, 8 texels per pixel.
            EXPECT_EQ(Red(Pixel), static_cast<int>((X + 0.5f - 16) * 8)) << X << "," << Y;
            EXPECT_EQ(Green(Pixel), static_cast<int>((Y + 0.5f - 16) * 8)) << X << "," << Y;
        }
}

TEST(RMRender, TexturingIsPerspectiveCorrect)
{
    cTestScene Scene(64, 64);
    Scene.mViewport->SetField(1.0f);
    // Left edge at z = 2, right edge at z = 6: the middle of the texture lies at x = 0, z = 4,
    // which projects to the screen centre, not halfway between the projected edges.
    const D3DVECTOR N = {0, 0, -1};
    Scene.AddMesh({{{-1, 1, 2}, N, 0, 0, 0}, {{1, 1, 6}, N, 1, 0, 0}, {{1, -1, 6}, N, 1, 1, 0}, {{-1, -1, 2}, N, 0, 1, 0}},
                  {0, 1, 2, 0, 2, 3}, UNLIT_SOLID, Scene.MakeTexture(CoordinateTexel));
    const cMemoryPresenter& Picture = Scene.Draw();
    // At pixel centre x = 32.5: (-1 + 2u) / (2 + 4u) = 0.5 / 32 gives u = 66 / 124 (texel 136,
    // where interpolating on the screen would give 198). At y = 32.5, v comes out the same.
    EXPECT_NEAR(Red(Picture.At(32, 32)), 256 * 66 / 124, 1);
    EXPECT_NEAR(Green(Picture.At(32, 32)), 256 * 66 / 124, 1);
}

TEST(RMRender, BackFacesAreCulledAndFrontFacesDrawn)
{
    cTestScene Scene(32, 32);
    Scene.AddSquare(1.0f, 5.0f, UNLIT_SOLID, nullptr, false);
    EXPECT_EQ(CountNot(Scene.Draw(), cTestScene::BACKGROUND), 0);

    Scene.AddSquare(1.0f, 5.0f, UNLIT_SOLID, nullptr, true);
    EXPECT_EQ(Scene.Draw().At(16, 16), 0x00FFFFFFu);
}

TEST(RMRender, NearerSurfacesHideFartherOnesWhateverTheOrder)
{
    for (bool NearFirst : {true, false})
    {
        cTestScene Scene(64, 64);
        Scene.mViewport->SetField(1.0f);
        IDirect3DRMMesh* pFirst = Scene.AddSquare(NearFirst ? 0.5f : 2.0f, NearFirst ? 2.0f : 4.0f, UNLIT_SOLID);
        IDirect3DRMMesh* pSecond = Scene.AddSquare(NearFirst ? 2.0f : 0.5f, NearFirst ? 4.0f : 2.0f, UNLIT_SOLID);
        IDirect3DRMMesh* pNear = NearFirst ? pFirst : pSecond;
        IDirect3DRMMesh* pFar = NearFirst ? pSecond : pFirst;
        pNear->SetGroupColorRGB(0, 0, 1, 0);
        pFar->SetGroupColorRGB(0, 1, 0, 0);
        const cMemoryPresenter& Picture = Scene.Draw();
        EXPECT_EQ(Picture.At(32, 32), 0x0000FF00u) << NearFirst;
        EXPECT_EQ(Picture.At(18, 18), 0x00FF0000u) << NearFirst;
    }
}

TEST(RMRender, WithoutDepthBufferTheLaterMeshWins)
{
    cTestScene Scene(64, 64);
    Scene.mViewport->SetField(1.0f);
    ASSERT_EQ(Scene.mScene->SetZbufferMode(D3DRMZBUFFER_DISABLE), D3DRM_OK);
    Scene.AddSquare(0.5f, 2.0f, UNLIT_SOLID)->SetGroupColorRGB(0, 0, 1, 0);
    Scene.AddSquare(2.0f, 4.0f, UNLIT_SOLID)->SetGroupColorRGB(0, 1, 0, 0);
    EXPECT_EQ(Scene.Draw().At(32, 32), 0x00FF0000u);
}

TEST(RMRender, WireframeDrawsEdgesOnlyAndTheDeviceQualityCapsGroups)
{
    cTestScene Solid(64, 64), Wire(64, 64), Capped(64, 64);
    for (cTestScene* pScene : {&Solid, &Wire, &Capped})
        pScene->mViewport->SetField(1.0f);
    Solid.AddSquare(1.0f, 2.0f, UNLIT_SOLID);
    Wire.AddSquare(1.0f, 2.0f, UNLIT_WIRE);
    Capped.AddSquare(1.0f, 2.0f, UNLIT_SOLID);
    ASSERT_EQ(Capped.mDevice->SetQuality(UNLIT_WIRE), D3DRM_OK);

    const int Filled = CountNot(Solid.Draw(), cTestScene::BACKGROUND);
    EXPECT_EQ(Filled, 32 * 32);
    const cMemoryPresenter& Lines = Wire.Draw();
    const int Edges = CountNot(Lines, cTestScene::BACKGROUND);
    EXPECT_GT(Edges, 4 * 30);
    EXPECT_LT(Edges, Filled / 3);
    EXPECT_EQ(Lines.At(32, 40), cTestScene::BACKGROUND);  // inside, off the diagonal
    EXPECT_EQ(Lines.At(32, 16), 0x00FFFFFFu);             // on the top edge
    EXPECT_EQ(CountNot(Capped.Draw(), cTestScene::BACKGROUND), Edges);
}

TEST(RMRender, FieldOfViewMatchesA45DegreeVerticalPerspective)
{
    cTestScene Scene(128, 64);
    EXPECT_NEAR(Scene.mViewport->GetField(), std::tan(22.5 * 3.14159265358979 / 180), 1e-6);
    // Half the height of the view at z = 10 is 10 tan(22.5); half of that fills the middle half
    // of the rows, and the same number of columns whatever the width.
    Scene.AddSquare(5.0f * std::tan(22.5f * 3.14159265f / 180), 10.0f, UNLIT_SOLID);
    const cMemoryPresenter& Picture = Scene.Draw();
    for (int X = 0; X < 128; ++X)
        EXPECT_EQ(Picture.At(X, 32) != cTestScene::BACKGROUND, X >= 48 && X < 80) << X;
    for (int Y = 0; Y < 64; ++Y)
        EXPECT_EQ(Picture.At(64, Y) != cTestScene::BACKGROUND, Y >= 16 && Y < 48) << Y;
}

TEST(RMRender, GeometryCrossingTheFrontAndBackPlanesIsClipped)
{
    cTestScene Scene(64, 64);
    Scene.mViewport->SetBack(20.0f);
    // A floor below the camera from just in front of it to beyond the back plane.
    const D3DVECTOR Up = {0, 1, 0};
    Scene.AddMesh({{{-5, -1, -1}, Up, 0, 0, 0}, {{-5, -1, 50}, Up, 0, 0, 0}, {{5, -1, 50}, Up, 0, 0, 0},
                   {{5, -1, -1}, Up, 0, 0, 0}},
                  {0, 1, 2, 0, 2, 3}, UNLIT_SOLID);
    const cMemoryPresenter& Picture = Scene.Draw();
    EXPECT_EQ(Picture.At(32, 63), 0x00FFFFFFu);                // near part, bottom of the view
    EXPECT_EQ(Picture.At(32, 32), cTestScene::BACKGROUND);     // horizon: beyond the back plane
    EXPECT_EQ(Picture.At(32, 0), cTestScene::BACKGROUND);
}

class RMLighting : public ::testing::Test
{
protected:
    // Ambient 0.2 and a directional light of 0.6 travelling along Direction.
    void Light(cTestScene& Scene, D3DVECTOR Direction, float Red = 0.6f, float Green = 0.6f, float Blue = 0.6f)
    {
        IDirect3DRMLight *pAmbient = nullptr, *pSun = nullptr;
        ASSERT_EQ(Scene.mRoot->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.2f, 0.2f, 0.2f, &pAmbient), D3DRM_OK);
        ASSERT_EQ(Scene.mRoot->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, Red, Green, Blue, &pSun), D3DRM_OK);
        IDirect3DRMFrame2* pLightFrame = nullptr;
        ASSERT_EQ(Scene.mRoot->CreateFrame(Scene.mScene, &pLightFrame), D3DRM_OK);
        ASSERT_EQ(pLightFrame->SetOrientation(Scene.mScene, Direction.x, Direction.y, Direction.z, 0, 1, 0), D3DRM_OK);
        Scene.mScene->AddLight(pAmbient);
        pLightFrame->AddLight(pSun);
        pAmbient->Release();
        pSun->Release();
        pLightFrame->Release();
    }
};

TEST_F(RMLighting, DiffuseFollowsTheAngleToTheLight)
{
    struct
    {
        D3DVECTOR Direction;
        std::uint32_t Expected;
    } Cases[] = {
        {{0, 0, 1}, 0x00CCCCCC},               // straight onto the square: 0.2 + 0.6
        {{0, 0.8660254f, 0.5f}, 0x00808080},  // 60 degrees off: 0.2 + 0.3
        {{0, 0, -1}, 0x00333333},              // from behind: ambient only
    };
    for (const auto& Case : Cases)
    {
        cTestScene Scene(32, 32);
        Light(Scene, Case.Direction);
        Scene.AddSquare(1.0f, 5.0f, D3DRMRENDER_FLAT);
        EXPECT_EQ(Scene.Draw().At(16, 16), Case.Expected);
    }
}

TEST_F(RMLighting, GouraudRampsAcrossTheFaceAndFlatDoesNot)
{
    const D3DVECTOR Toward = {0, 0, -1}, Side = {1, 0, 0};
    const std::vector<D3DRMVERTEX> Vertices = {{{-1, 1, 2}, Toward, 0, 0, 0}, {{1, 1, 2}, Side, 0, 0, 0},
                                               {{1, -1, 2}, Side, 0, 0, 0}, {{-1, -1, 2}, Toward, 0, 0, 0}};
    for (D3DRMRENDERQUALITY Quality : {D3DRMRENDER_GOURAUD, D3DRMRENDER_FLAT})
    {
        cTestScene Scene(64, 64);
        Scene.mViewport->SetField(1.0f);
        Scene.mDevice->SetQuality(D3DRMRENDER_GOURAUD);
        Light(Scene, {0, 0, 1});
        Scene.AddMesh(Vertices, {0, 1, 2, 0, 2, 3}, Quality);
        const cMemoryPresenter& Picture = Scene.Draw();
        if (Quality == D3DRMRENDER_GOURAUD)
        {
            EXPECT_NEAR(Red(Picture.At(16, 40)), 0xCC, 8);
            EXPECT_NEAR(Red(Picture.At(47, 40)), 0x33, 8);
            for (int X = 17; X < 48; ++X)
                EXPECT_LE(Red(Picture.At(X, 40)), Red(Picture.At(X - 1, 40))) << X;
        }
        else
        {
            for (int X = 16; X < 48; ++X)
                EXPECT_EQ(Picture.At(X, 40), 0x00CCCCCCu) << X;
        }
    }
}

TEST_F(RMLighting, TexturesAreModulatedAndTheMonoDeviceLightsByBrightness)
{
    cTestScene Scene(32, 32);
    Light(Scene, {0, 0, 1}, 0.6f, 0.0f, 0.0f);
    Scene.AddSquare(1.0f, 5.0f, D3DRMRENDER_FLAT, Scene.MakeTexture([](int, int) { return 0x0080FF40u; }));
    // Light (0.8, 0.2, 0.2) times texel (128, 255, 64).
    const std::uint32_t Pixel = Scene.Draw().At(16, 16);
    EXPECT_NEAR(Red(Pixel), 102, 1);
    EXPECT_NEAR(Green(Pixel), 51, 1);
    EXPECT_NEAR(Blue(Pixel), 13, 1);

    std::size_t Count = 0;
    cTestScene Mono(32, 32, &RMGetDevices(Count)[1].Guid);
    ASSERT_TRUE(RMGetDevices(Count)[1].Mono);
    Light(Mono, {0, 0, 1}, 0.6f, 0.0f, 0.0f);
    Mono.AddSquare(1.0f, 5.0f, D3DRMRENDER_FLAT);
    EXPECT_EQ(Mono.Draw().At(16, 16), 0x00666666u);  // 0.2 + 0.6 / 3 in every channel
}

TEST_F(RMLighting, MaterialsAddEmissiveAndHighlights)
{
    cTestScene Scene(32, 32);
    Light(Scene, {0, 0, 1});
    // A narrow view of a small square keeps every vertex on the eye's axis.
    Scene.mViewport->SetField(0.01f);
    IDirect3DRMMesh* pMesh = Scene.AddSquare(0.05f, 5.0f, D3DRMRENDER_FLAT);
    pMesh->SetGroupColorRGB(0, 0.5f, 0.5f, 0.5f);
    IDirect3DRMMaterial* pMaterial = nullptr;
    ASSERT_EQ(Scene.mRoot->CreateMaterial(100.0f, &pMaterial), D3DRM_OK);
    pMaterial->SetEmissive(0.25f, 0, 0);
    pMaterial->SetSpecular(0, 0, 0.5f);
    pMesh->SetGroupMaterial(0, pMaterial);
    pMaterial->Release();
    // 0.5 x 0.8 = 0.4, plus emissive red, plus a highlight in blue: the eye looks straight down
    // the light's path, so the highlight is full strength.
    const std::uint32_t Pixel = Scene.Draw().At(16, 16);
    EXPECT_NEAR(Red(Pixel), 166, 1);
    EXPECT_NEAR(Green(Pixel), 102, 1);
    EXPECT_NEAR(Blue(Pixel), 255 * 0.7, 2);
}

TEST(RMRender, ValuesThatAreNotNumbersOrHugeDrawSafely)
{
    cTestScene Scene(64, 64);
    const float Nan = std::nanf(""), Huge = 1e30f, Inf = INFINITY;
    const D3DVECTOR N = {0, 0, -1};
    // One sane triangle with wild texture coordinates and normals, then triangles with
    // positions far beyond the view, behind the eye or not numbers at all.
    IDirect3DRMMesh* pMesh = Scene.AddMesh({{{-1, 1, 3}, {Nan, 0, 0}, Huge, Nan, 0},
                   {{1, 1, 3}, N, -Huge, 1e9f, 0},
                   {{1, -1, 3}, N, Inf, -Inf, 0},
                   {{Huge, 0, 3}, N, 0, 0, 0},
                   {{0, Huge, 1e-30f}, N, 0, 0, 0},
                   {{Nan, 0, 3}, N, 0, 0, 0},
                   {{0, 0, -Huge}, N, 0, 0, 0}},
                  {0, 1, 2, 0, 3, 2, 4, 1, 0, 5, 1, 2, 6, 0, 1, 3, 4, 6}, D3DRMRENDER_FLAT,
                  Scene.MakeTexture(CoordinateTexel));
    Scene.mDevice->SetQuality(D3DRMRENDER_GOURAUD);
    EXPECT_GT(CountNot(Scene.Draw(), cTestScene::BACKGROUND), 0);

    // Wireframe and points go through the same guards.
    Scene.mDevice->SetQuality(UNLIT_WIRE);
    Scene.Draw();
    Scene.mDevice->SetQuality(D3DRMFILL_POINTS);
    Scene.Draw();

    // Colours are limited to 0 ... 1, and a colour that is not a number counts as 0.
    pMesh->SetGroupColorRGB(0, Nan, 255.0f, -1.0f);
    EXPECT_EQ(pMesh->GetGroupColor(0), 0x0000FF00u);
}
