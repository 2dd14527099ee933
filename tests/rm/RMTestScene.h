// A complete retained-mode set-up for tests: display, root, clipper presenting into memory,
// device, viewport, scene and camera, with helpers to build meshes and textures.
#pragma once

#include "platform/rm/D3DRM.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// Keeps the last presented picture.
class cMemoryPresenter : public cRMPresenter
{
public:
    void Present(const std::uint32_t* XRGB, int Width, int Height) override
    {
        mPixels.assign(XRGB, XRGB + static_cast<std::size_t>(Width) * Height);
        mWidth = Width;
        mHeight = Height;
        ++mPresentCount;
    }
    std::uint32_t At(int X, int Y) const { return mPixels.at(static_cast<std::size_t>(Y) * mWidth + X); }

    std::vector<std::uint32_t> mPixels;
    int mWidth = 0;
    int mHeight = 0;
    int mPresentCount = 0;
};

template <class T>
void ReleaseAndNull(T*& pObject)
{
    if (pObject)
    {
        pObject->Release();
        pObject = nullptr;
    }
}

// Camera at the origin looking along +z, up +y; the scene background is BACKGROUND.
class cTestScene
{
public:
    static constexpr D3DCOLOR BACKGROUND = 0x00102030;

    cTestScene(int Width, int Height, const RMGUID* pDevice = nullptr);
    ~cTestScene();

    // A mesh of one group: triangles as index triples over Vertices, attached to the scene.
    IDirect3DRMMesh* AddMesh(const std::vector<D3DRMVERTEX>& Vertices, const std::vector<unsigned>& Faces,
                             D3DRMRENDERQUALITY Quality, IDirect3DRMTexture2* pTexture = nullptr);
    // A square in the plane z = Z facing the camera, X and Y from -Half to Half, texture
    // coordinates 0 at the top left to 1 at the bottom right, normals toward the camera.
    IDirect3DRMMesh* AddSquare(float Half, float Z, D3DRMRENDERQUALITY Quality, IDirect3DRMTexture2* pTexture = nullptr,
                               bool Clockwise = true);
    // A 256 x 256 texture in the display's format whose RGB pixels come from Fill(x, y).
    template <class Fill>
    IDirect3DRMTexture2* MakeTexture(Fill FillPixel);

    // A white directional light of Level on every channel in the scene's own frame, shining
    // along the scene's z axis.
    void AddSun(float Level);

    // Clears, renders the scene, presents; returns the presented picture.
    const cMemoryPresenter& Draw();

    cMemoryPresenter mPresenter;
    IDirectDraw* mDirectDraw = nullptr;
    IDirect3DRM* mRoot1 = nullptr;
    IDirect3DRM2* mRoot = nullptr;
    IDirectDrawClipper* mClipper = nullptr;
    IDirect3DRMDevice2* mDevice = nullptr;
    IDirect3DRMFrame2* mScene = nullptr;
    IDirect3DRMFrame2* mCamera = nullptr;
    IDirect3DRMViewport* mViewport = nullptr;
    std::vector<IRMUnknown*> mOwned;  // meshes, textures, surfaces, lights made by the helpers
};

void WriteSurfaceRGB(IDirectDrawSurface* pSurface, const std::vector<std::uint8_t>& RGB);

// Texels that name their own position: red = x, green = y.
inline std::uint32_t CoordinateTexel(int X, int Y)
{
    return (static_cast<std::uint32_t>(X) << 16) | (static_cast<std::uint32_t>(Y) << 8);
}

template <class Fill>
IDirect3DRMTexture2* cTestScene::MakeTexture(Fill FillPixel)
{
    DDSURFACEDESC Desc = {};
    Desc.dwSize = sizeof Desc;
    Desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    Desc.dwWidth = 256;
    Desc.dwHeight = 256;
    Desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface* pSurface = nullptr;
    EXPECT_EQ(mDirectDraw->CreateSurface(&Desc, &pSurface, nullptr), DD_OK);
    std::vector<std::uint8_t> RGB(256 * 256 * 3);
    for (int Y = 0; Y < 256; ++Y)
        for (int X = 0; X < 256; ++X)
        {
            const std::uint32_t Color = FillPixel(X, Y);
            std::uint8_t* p = &RGB[(Y * 256 + X) * 3];
            p[0] = static_cast<std::uint8_t>(Color >> 16);
            p[1] = static_cast<std::uint8_t>(Color >> 8);
            p[2] = static_cast<std::uint8_t>(Color);
        }
    WriteSurfaceRGB(pSurface, RGB);
    IDirect3DRMTexture2* pTexture = nullptr;
    EXPECT_EQ(mRoot->CreateTextureFromSurface(pSurface, &pTexture), D3DRM_OK);
    mOwned.push_back(pSurface);
    mOwned.push_back(pTexture);
    return pTexture;
}
