// A complete retained-mode set-up for tests.
#include "tests/rm/RMTestScene.h"

cTestScene::cTestScene(int Width, int Height, const RMGUID* pDevice)
{
    EXPECT_EQ(DirectDrawCreate(nullptr, &mDirectDraw, nullptr), DD_OK);
    EXPECT_EQ(Direct3DRMCreate(&mRoot1), D3DRM_OK);
    EXPECT_EQ(mRoot1->QueryInterface(IID_IDirect3DRM2, reinterpret_cast<void**>(&mRoot)), D3DRM_OK);
    EXPECT_EQ(DirectDrawCreateClipper(0, &mClipper, nullptr), DD_OK);
    EXPECT_EQ(mClipper->SetHWnd(0, &mPresenter), DD_OK);
    EXPECT_EQ(mRoot->CreateFrame(nullptr, &mScene), D3DRM_OK);
    EXPECT_EQ(mRoot->CreateFrame(mScene, &mCamera), D3DRM_OK);
    EXPECT_EQ(mRoot->CreateDeviceFromClipper(mClipper, pDevice, Width, Height, &mDevice), D3DRM_OK);
    EXPECT_EQ(mRoot->CreateViewport(mDevice, mCamera, 0, 0, Width, Height, &mViewport), D3DRM_OK);
    mScene->SetSceneBackground(BACKGROUND);
}

cTestScene::~cTestScene()
{
    for (IRMUnknown* pObject : mOwned)
        pObject->Release();
    ReleaseAndNull(mViewport);
    ReleaseAndNull(mDevice);
    ReleaseAndNull(mCamera);
    ReleaseAndNull(mScene);
    ReleaseAndNull(mClipper);
    ReleaseAndNull(mRoot);
    ReleaseAndNull(mRoot1);
    ReleaseAndNull(mDirectDraw);
}

IDirect3DRMMesh* cTestScene::AddMesh(const std::vector<D3DRMVERTEX>& Vertices, const std::vector<unsigned>& Faces,
                                     D3DRMRENDERQUALITY Quality, IDirect3DRMTexture2* pTexture)
{
    IDirect3DRMMesh* pMesh = nullptr;
    EXPECT_EQ(mRoot->CreateMesh(&pMesh), D3DRM_OK);
    D3DRMGROUPINDEX Group = -1;
    EXPECT_EQ(pMesh->AddGroup(static_cast<unsigned>(Vertices.size()), static_cast<unsigned>(Faces.size() / 3), 3,
                              Faces.data(), &Group),
              D3DRM_OK);
    EXPECT_EQ(pMesh->SetVertices(Group, 0, static_cast<unsigned>(Vertices.size()), Vertices.data()), D3DRM_OK);
    EXPECT_EQ(pMesh->SetGroupQuality(Group, Quality), D3DRM_OK);
    EXPECT_EQ(pMesh->SetGroupTexture(Group, pTexture), D3DRM_OK);
    EXPECT_EQ(mScene->AddVisual(pMesh), D3DRM_OK);
    mOwned.push_back(pMesh);
    return pMesh;
}

IDirect3DRMMesh* cTestScene::AddSquare(float Half, float Z, D3DRMRENDERQUALITY Quality, IDirect3DRMTexture2* pTexture,
                                       bool Clockwise)
{
    const D3DVECTOR Toward = {0, 0, -1};
    const std::vector<D3DRMVERTEX> Vertices = {
        {{-Half, Half, Z}, Toward, 0, 0, 0},   // top left
        {{Half, Half, Z}, Toward, 1, 0, 0},    // top right
        {{Half, -Half, Z}, Toward, 1, 1, 0},   // bottom right
        {{-Half, -Half, Z}, Toward, 0, 1, 0},  // bottom left
    };
    const std::vector<unsigned> Faces = Clockwise ? std::vector<unsigned>{0, 1, 2, 0, 2, 3}
                                                  : std::vector<unsigned>{0, 2, 1, 0, 3, 2};
    return AddMesh(Vertices, Faces, Quality, pTexture);
}

void cTestScene::AddSun(float Level)
{
    IDirect3DRMLight* pSun = nullptr;
    EXPECT_EQ(mRoot->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, Level, Level, Level, &pSun), D3DRM_OK);
    mScene->AddLight(pSun);
    pSun->Release();
}

const cMemoryPresenter& cTestScene::Draw()
{
    EXPECT_EQ(mViewport->Clear(), D3DRM_OK);
    EXPECT_EQ(mViewport->Render(mScene), D3DRM_OK);
    EXPECT_EQ(mDevice->Update(), D3DRM_OK);
    return mPresenter;
}

void WriteSurfaceRGB(IDirectDrawSurface* pSurface, const std::vector<std::uint8_t>& RGB)
{
    DDSURFACEDESC Desc = {};
    Desc.dwSize = sizeof Desc;
    ASSERT_EQ(pSurface->Lock(nullptr, &Desc, 0, nullptr), DD_OK);
    auto* p = static_cast<std::uint8_t*>(Desc.lpSurface);
    const std::size_t Count = static_cast<std::size_t>(Desc.dwWidth) * Desc.dwHeight;
    for (std::size_t i = 0; i < Count; ++i)
    {
        const std::uint8_t R = RGB[3 * i], G = RGB[3 * i + 1], B = RGB[3 * i + 2];
        if (Desc.ddpfPixelFormat.dwRGBBitCount == 16)
        {
            const std::uint16_t Word = static_cast<std::uint16_t>(((R & 0xF8) << 7) | ((G & 0xF8) << 2) | (B >> 3));
            p[2 * i] = static_cast<std::uint8_t>(Word);
            p[2 * i + 1] = static_cast<std::uint8_t>(Word >> 8);
        }
        else
        {
            const std::size_t Step = Desc.ddpfPixelFormat.dwRGBBitCount / 8;
            p[Step * i] = R;
            p[Step * i + 1] = G;
            p[Step * i + 2] = B;
        }
    }
    ASSERT_EQ(pSurface->Unlock(nullptr), DD_OK);
}
