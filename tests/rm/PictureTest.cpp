// Renders the generator's sample character through the retained-mode layer the way the
// Direct3D renderer builds it, checks that it stands upright facing the camera, and writes the
// picture to a PNG beside the test program for a person to look at.
#include "tests/common/TempFolder.h"
#include "tests/rm/RMTestScene.h"
#include "tools/zgen/ZentorGen.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace
{
int SignExtend(std::uint32_t Value, int Bits)
{
    const std::uint32_t Sign = 1u << (Bits - 1);
    return static_cast<int>((Value ^ Sign)) - static_cast<int>(Sign);
}

D3DVECTOR Unpack(std::uint32_t Word, const float Scale[3])
{
    return {Scale[0] * SignExtend(Word & 0x7FF, 11), Scale[1] * SignExtend((Word >> 11) & 0x7FF, 11),
            Scale[2] * SignExtend(Word >> 22, 10)};
}

bool WritePNG(const std::string& Path, const cMemoryPresenter& Picture)
{
    std::vector<std::uint8_t> RGB;
    for (std::uint32_t Pixel : Picture.mPixels)
        RGB.insert(RGB.end(), {static_cast<std::uint8_t>(Pixel >> 16), static_cast<std::uint8_t>(Pixel >> 8),
                               static_cast<std::uint8_t>(Pixel)});
    png_image Image = {};
    Image.version = PNG_IMAGE_VERSION;
    Image.width = static_cast<png_uint_32>(Picture.mWidth);
    Image.height = static_cast<png_uint_32>(Picture.mHeight);
    Image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&Image, Path.c_str(), 0, RGB.data(), 0, nullptr) != 0;
}
}

TEST(RMPicture, SampleCharacterStandsUprightFacingTheCamera)
{
    const cTempFolder Root("tessaly-rm");
    const cGenResult Sample = WriteSample(Root.Path());
    ASSERT_FALSE(Sample.Frames.empty());

    cTestScene Scene(480, 480);
    Scene.mDevice->SetQuality(D3DRMRENDER_GOURAUD);
    Scene.mViewport->SetBack(5000.0f);

    // Textures per texture number, rows in file order, from the palette images.
    IDirect3DRMTexture2* Textures[MAX_TEXTURES] = {};
    for (int Number = 0; Number < MAX_TEXTURES; ++Number)
    {
        const int Slot = Sample.TexMap[Number];
        if (Slot < 0)
            continue;
        const std::vector<std::uint8_t>& Indices = Sample.TextureIndices[static_cast<std::size_t>(Slot)];
        const std::vector<std::uint8_t>& Palette = Sample.TexturePalettes[static_cast<std::size_t>(Slot)];
        Textures[Number] = Scene.MakeTexture([&](int X, int Y) {
            const std::uint8_t* p = &Palette[3u * Indices[static_cast<std::size_t>(Y) * 256 + X]];
            return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
        });
    }

    // One group per texture number; each triangle listed as vertex 0, 2, 1 with its face
    // normal negated, and the mesh mirrored in z, as the Direct3D renderer builds frames.
    IDirect3DRMMesh* pMesh = nullptr;
    ASSERT_EQ(Scene.mRoot->CreateMesh(&pMesh), D3DRM_OK);
    float MaxZ = 0;
    for (int Number = 0; Number < MAX_TEXTURES; ++Number)
    {
        std::vector<D3DRMVERTEX> Vertices;
        for (const MeshTri& Tri : Sample.Tris)
        {
            if (Tri.TextureNum != Number)
                continue;
            D3DVECTOR P[3];
            for (int k = 0; k < 3; ++k)
            {
                P[k] = Unpack(Sample.Frames[0][Tri.iVertex[k]], Sample.Scale);
                MaxZ = std::max(MaxZ, P[k].z);
            }
            const D3DVECTOR A = {P[0].x - P[1].x, P[0].y - P[1].y, P[0].z - P[1].z};
            const D3DVECTOR B = {P[1].x - P[2].x, P[1].y - P[2].y, P[1].z - P[2].z};
            D3DVECTOR N = {A.y * B.z - A.z * B.y, A.z * B.x - A.x * B.z, A.x * B.y - A.y * B.x};
            const float Length = std::sqrt(N.x * N.x + N.y * N.y + N.z * N.z);
            N = Length > 0 ? D3DVECTOR{-N.x / Length, -N.y / Length, -N.z / Length} : N;
            for (int k : {0, 2, 1})
                Vertices.push_back({P[k], N, Tri.UV[k][0] / 256.0f, Tri.UV[k][1] / 256.0f, 0});
        }
        if (Vertices.empty())
            continue;
        std::vector<unsigned> Faces(Vertices.size());
        for (unsigned i = 0; i < Faces.size(); ++i)
            Faces[i] = i;
        D3DRMGROUPINDEX Group = -1;
        ASSERT_EQ(pMesh->AddGroup(static_cast<unsigned>(Vertices.size()), static_cast<unsigned>(Faces.size() / 3), 3,
                                  Faces.data(), &Group),
                  D3DRM_OK);
        pMesh->SetVertices(Group, 0, static_cast<unsigned>(Vertices.size()), Vertices.data());
        pMesh->SetGroupColorRGB(Group, 255.0f, 255.0f, 255.0f);
        pMesh->SetGroupTexture(Group, Textures[Number]);
        pMesh->SetGroupQuality(Group, D3DRMRENDER_FLAT);
    }
    pMesh->Scale(1, 1, -1);

    // The renderer's scene: ambient 0.8, a 0.4 directional light at z = -22 pointing at the
    // camera, the model frame at the origin, the camera behind the model looking along +z.
    IDirect3DRMFrame2 *pModelFrame = nullptr, *pLightFrame = nullptr;
    Scene.mRoot->CreateFrame(Scene.mScene, &pModelFrame);
    Scene.mRoot->CreateFrame(Scene.mScene, &pLightFrame);
    IDirect3DRMLight *pAmbient = nullptr, *pSun = nullptr;
    Scene.mRoot->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.8f, 0.8f, 0.8f, &pAmbient);
    Scene.mRoot->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 0.4f, 0.4f, 0.4f, &pSun);
    Scene.mScene->AddLight(pAmbient);
    pLightFrame->AddLight(pSun);
    pLightFrame->SetPosition(Scene.mScene, 0, 0, -22);
    pLightFrame->SetOrientation(Scene.mScene, 0, 0, -1, 0, 1, 0);
    pModelFrame->AddVisual(pMesh);
    const float ViewDistance = -(std::trunc(std::fabs(MaxZ)) + 100.0f);
    Scene.mCamera->SetPosition(Scene.mScene, 0, 0, ViewDistance - 60.0f);

    const cMemoryPresenter& Picture = Scene.Draw();
    const std::string Path = std::string(RM_TEST_OUTPUT_DIR) + "/sample_character.png";
    EXPECT_TRUE(WritePNG(Path, Picture)) << Path;

    // Rows the figure covers, and how wide it is in each.
    int Top = -1, Bottom = -1, WidestRow = -1, Widest = 0;
    for (int Y = 0; Y < 480; ++Y)
    {
        int Left = -1, Right = -1;
        for (int X = 0; X < 480; ++X)
            if (Picture.At(X, Y) != cTestScene::BACKGROUND)
            {
                Right = X;
                if (Left < 0)
                    Left = X;
            }
        if (Left < 0)
            continue;
        if (Top < 0)
            Top = Y;
        Bottom = Y;
        if (Right - Left > Widest)
        {
            Widest = Right - Left;
            WidestRow = Y;
        }
    }
    // A figure 100 units tall seen from about 180 units: some 270 rows, taller than wide,
    // widest at the arms and shoulders, which are in its upper half.
    ASSERT_GE(Top, 0);
    EXPECT_GT(Bottom - Top, 200);
    EXPECT_LT(Bottom - Top, 400);
    EXPECT_LT(Widest, Bottom - Top);
    EXPECT_LT(WidestRow, (Top + Bottom) / 2);

    pLightFrame->Release();
    pModelFrame->Release();
    pAmbient->Release();
    pSun->Release();
    pMesh->Release();
}
