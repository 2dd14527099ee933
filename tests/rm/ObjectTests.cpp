// Object lifetimes and interface queries, surfaces and their pixel formats, the devices offered
// and their size limits.
#include "platform/rm/RMDevices.h"
#include "tests/rm/RMTestScene.h"

#include <cstring>
#include <set>
#include <string>

namespace
{
// Restores the display depth whatever a test sets.
class cDisplayDepth
{
public:
    explicit cDisplayDepth(int Bits) : mSaved(RMGetDisplayBitsPerPixel()) { EXPECT_TRUE(RMSetDisplayBitsPerPixel(Bits)); }
    ~cDisplayDepth() { RMSetDisplayBitsPerPixel(mSaved); }

private:
    int mSaved;
};

IDirectDrawSurface* MakeSurface(IDirectDraw* pDirectDraw, int Width, int Height)
{
    DDSURFACEDESC Desc = {};
    Desc.dwSize = sizeof Desc;
    Desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    Desc.dwWidth = static_cast<std::uint32_t>(Width);
    Desc.dwHeight = static_cast<std::uint32_t>(Height);
    Desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface* pSurface = nullptr;
    EXPECT_EQ(pDirectDraw->CreateSurface(&Desc, &pSurface, nullptr), DD_OK);
    return pSurface;
}

RMRESULT CountDevice(RMGUID*, char*, char* pszName, void* pContext)
{
    static_cast<std::vector<std::string>*>(pContext)->push_back(pszName);
    return D3DENUMRET_OK;
}

RMRESULT StopAtFirst(RMGUID*, char*, char*, void* pContext)
{
    ++*static_cast<int*>(pContext);
    return D3DENUMRET_CANCEL;
}
}

TEST(RMObjects, CountsQueriesAndOwnership)
{
    IDirect3DRM* pRoot1 = nullptr;
    ASSERT_EQ(Direct3DRMCreate(&pRoot1), D3DRM_OK);
    IDirect3DRM2* pRoot = nullptr;
    ASSERT_EQ(pRoot1->QueryInterface(IID_IDirect3DRM2, reinterpret_cast<void**>(&pRoot)), D3DRM_OK);
    EXPECT_EQ(pRoot->AddRef(), 3u);
    EXPECT_EQ(pRoot->Release(), 2u);
    void* pNothing = &pRoot;
    EXPECT_EQ(pRoot1->QueryInterface(IID_IDirectDraw, &pNothing), DDERR_UNSUPPORTED);
    EXPECT_EQ(pNothing, nullptr);

    // A child, a light and a mesh stay alive while the scene holds them, and go with it.
    IDirect3DRMFrame2 *pScene = nullptr, *pChild = nullptr;
    pRoot->CreateFrame(nullptr, &pScene);
    pRoot->CreateFrame(pScene, &pChild);
    IDirect3DRMLight* pLight = nullptr;
    pRoot->CreateLightRGB(D3DRMLIGHT_AMBIENT, 1, 1, 1, &pLight);
    IDirect3DRMMesh* pMesh = nullptr;
    pRoot->CreateMesh(&pMesh);
    pChild->AddLight(pLight);
    pChild->AddVisual(pMesh);
    EXPECT_EQ(pChild->GetLightCount(), 1u);
    EXPECT_EQ(pChild->AddVisual(pChild), D3DRMERR_BADOBJECT);  // a frame cannot draw itself
    EXPECT_EQ(pLight->Release(), 1u);
    EXPECT_EQ(pMesh->Release(), 1u);
    EXPECT_EQ(pChild->Release(), 1u);
    EXPECT_EQ(pScene->Release(), 0u);  // takes the child, its light and mesh along

    // A child outliving its parent becomes a root.
    pRoot->CreateFrame(nullptr, &pScene);
    pRoot->CreateFrame(pScene, &pChild);
    pChild->AddRef();
    pScene->Release();
    EXPECT_EQ(pChild->GetParentFrame(), nullptr);
    EXPECT_EQ(pChild->Release(), 1u);
    EXPECT_EQ(pChild->Release(), 0u);

    EXPECT_EQ(pRoot->Release(), 1u);
    EXPECT_EQ(pRoot1->Release(), 0u);
}

// The whole set of objects a renderer holds, released in an owner's order (scene first, the
// display last), twice: the second pass finds only nulls.
TEST(RMObjects, ReleasingThroughOwnersInAnyOrderIsClean)
{
    cTestScene Scene(32, 32);
    IDirect3DRMFrame2* pModelFrame = nullptr;
    Scene.mRoot->CreateFrame(Scene.mScene, &pModelFrame);
    IDirect3DDevice2* pDevice3D = nullptr;
    ASSERT_EQ(Scene.mDevice->GetDirect3DDevice2(&pDevice3D), D3DRM_OK);
    IDirect3DRMLight* pAmbient = nullptr;
    Scene.mRoot->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.8f, 0.8f, 0.8f, &pAmbient);
    Scene.mScene->AddLight(pAmbient);
    IDirectDrawSurface* pSurface = MakeSurface(Scene.mDirectDraw, 256, 256);
    IDirect3DRMTexture2* pTexture = nullptr;
    Scene.mRoot->CreateTextureFromSurface(pSurface, &pTexture);
    IDirect3DRMMesh* pMesh = Scene.AddSquare(1.0f, 5.0f, D3DRMRENDER_FLAT, pTexture);
    pMesh->AddRef();
    pModelFrame->AddVisual(pMesh);

    for (int Pass = 0; Pass < 2; ++Pass)
    {
        ReleaseAndNull(Scene.mScene);
        ReleaseAndNull(Scene.mCamera);
        ReleaseAndNull(Scene.mViewport);
        ReleaseAndNull(Scene.mDevice);
        ReleaseAndNull(pDevice3D);
        ReleaseAndNull(pAmbient);
        ReleaseAndNull(pModelFrame);
        ReleaseAndNull(pTexture);
        ReleaseAndNull(pSurface);
        ReleaseAndNull(Scene.mDirectDraw);
        ReleaseAndNull(Scene.mClipper);
    }
    // The mesh was held by both frames and the helper; only the helper's reference is left.
    EXPECT_EQ(pMesh->Release(), 1u);
}

TEST(RMObjects, DeviceBracketsScenesAndRepaintsThroughTheWinDevice)
{
    cTestScene Scene(16, 16);
    IDirect3DDevice2 *pFirst = nullptr, *pSecond = nullptr;
    Scene.mDevice->GetDirect3DDevice2(&pFirst);
    Scene.mDevice->GetDirect3DDevice2(&pSecond);
    EXPECT_EQ(pFirst, pSecond);
    EXPECT_EQ(pFirst->EndScene(), DDERR_GENERIC);
    EXPECT_EQ(pFirst->BeginScene(), D3D_OK);
    EXPECT_EQ(pFirst->BeginScene(), DDERR_GENERIC);
    EXPECT_EQ(pFirst->EndScene(), D3D_OK);
    pFirst->Release();
    pSecond->Release();

    Scene.Draw();
    EXPECT_EQ(Scene.mPresenter.mPresentCount, 1);
    IDirect3DRMWinDevice* pWin = nullptr;
    ASSERT_EQ(Scene.mDevice->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&pWin)), D3DRM_OK);
    EXPECT_EQ(pWin->HandleActivate(1), D3DRM_OK);
    EXPECT_EQ(pWin->HandlePaint(nullptr), D3DRM_OK);
    EXPECT_EQ(Scene.mPresenter.mPresentCount, 2);
    EXPECT_EQ(Scene.mPresenter.At(3, 3), cTestScene::BACKGROUND);
    pWin->Release();
}

TEST(RMSurfaces, EachDisplayDepthStoresAndReadsItsLayout)
{
    // Source colours and what each depth gives back: 5-5-5 keeps the top five bits of each
    // channel and repeats them into the low bits.
    const std::uint32_t Colors[4] = {0x00FF0000, 0x00080808, 0x006496C8, 0x000000FF};
    const std::uint32_t As555[4] = {0x00FF0000, 0x00080808, 0x006394CE, 0x000000FF};
    for (int Bits : {16, 24, 32})
    {
        cDisplayDepth Depth(Bits);
        cTestScene Scene(32, 32);
        Scene.mViewport->SetField(1.0f);
        Scene.AddSquare(1.0f, 2.0f, D3DRMRENDER_UNLITFLAT,
                        Scene.MakeTexture([&](int X, int Y) { return Colors[(Y / 128) * 2 + X / 128]; }));
        const cMemoryPresenter& Picture = Scene.Draw();
        const std::uint32_t* pExpected = Bits == 16 ? As555 : Colors;
        EXPECT_EQ(Picture.At(10, 10), pExpected[0]) << Bits;
        EXPECT_EQ(Picture.At(20, 10), pExpected[1]) << Bits;
        EXPECT_EQ(Picture.At(10, 20), pExpected[2]) << Bits;
        EXPECT_EQ(Picture.At(20, 20), pExpected[3]) << Bits;
    }
}

TEST(RMSurfaces, LockDescribesTheMemoryAndWritesShowInTheTexture)
{
    cDisplayDepth Depth(16);
    cTestScene Scene(32, 32);
    IDirectDrawSurface* pSurface = MakeSurface(Scene.mDirectDraw, 256, 256);
    DDSURFACEDESC Desc = {};
    ASSERT_EQ(pSurface->Lock(nullptr, &Desc, 0, nullptr), DD_OK);
    EXPECT_EQ(Desc.lPitch, 512);
    EXPECT_EQ(Desc.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(Desc.ddpfPixelFormat.dwRBitMask, 0x7C00u);
    EXPECT_EQ(pSurface->Lock(nullptr, &Desc, 0, nullptr), DDERR_SURFACEBUSY);
    // Little-endian 5-5-5 words: 0x7C00 is pure red.
    auto* p = static_cast<std::uint8_t*>(Desc.lpSurface);
    for (int i = 0; i < 256 * 256; ++i)
    {
        p[2 * i] = 0x00;
        p[2 * i + 1] = 0x7C;
    }
    ASSERT_EQ(pSurface->Unlock(nullptr), DD_OK);
    EXPECT_EQ(pSurface->Unlock(nullptr), DDERR_NOTLOCKED);

    IDirect3DRMTexture2* pTexture = nullptr;
    ASSERT_EQ(Scene.mRoot->CreateTextureFromSurface(pSurface, &pTexture), D3DRM_OK);
    pSurface->Release();  // the texture keeps its surface
    Scene.AddSquare(1.0f, 5.0f, D3DRMRENDER_UNLITFLAT, pTexture);
    EXPECT_EQ(Scene.Draw().At(16, 16), 0x00FF0000u);

    // Written again: the next picture shows the new pixels.
    IDirectDrawSurface* pSame = nullptr;
    ASSERT_EQ(pTexture->GetSurface(&pSame), D3DRM_OK);
    ASSERT_EQ(pSame->Lock(nullptr, &Desc, 0, nullptr), DD_OK);
    std::memset(Desc.lpSurface, 0, 256 * 256 * 2);
    static_cast<std::uint8_t*>(Desc.lpSurface)[0] = 0x1F;
    pSame->Unlock(nullptr);
    pSame->Release();
    EXPECT_EQ(Scene.Draw().At(16, 16), 0u);
    pTexture->Release();
}

TEST(RMDevices, EnumerationListsNamedDistinctDevices)
{
    IDirectDraw* pDirectDraw = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &pDirectDraw, nullptr), DD_OK);
    IDirect3D2* pDirect3D = nullptr;
    ASSERT_EQ(pDirectDraw->QueryInterface(IID_IDirect3D2, reinterpret_cast<void**>(&pDirect3D)), DD_OK);
    std::vector<std::string> Names;
    ASSERT_EQ(pDirect3D->EnumDevices(CountDevice, &Names), D3D_OK);
    std::size_t Count = 0;
    const cRMDeviceInfo* pDevices = RMGetDevices(Count);
    ASSERT_EQ(Names.size(), Count);
    std::set<std::string> Guids;
    for (std::size_t i = 0; i < Count; ++i)
    {
        EXPECT_EQ(Names[i], pDevices[i].pszName);
        EXPECT_LT(Names[i].size(), 50u);
        Guids.insert(std::string(reinterpret_cast<const char*>(&pDevices[i].Guid), sizeof(RMGUID)));
    }
    EXPECT_EQ(Guids.size(), Count);
    EXPECT_EQ(RMFindDevice(nullptr), &pDevices[0]);

    int Calls = 0;
    EXPECT_EQ(pDirect3D->EnumDevices(StopAtFirst, &Calls), D3D_OK);
    EXPECT_EQ(Calls, 1);
    pDirect3D->Release();
    pDirectDraw->Release();
}

TEST(RMDevices, DevicesRefuseSizesBeyondTheirLimit)
{
    cTestScene Scene(8, 8);
    std::size_t Count = 0;
    const cRMDeviceInfo& Compact = RMGetDevices(Count)[2];
    const cRMDeviceInfo& Mono = RMGetDevices(Count)[1];
    ASSERT_EQ(Compact.MaxWidth, 640);
    struct
    {
        const RMGUID* pGuid;
        int Width, Height;
        RMRESULT Expected;
    } Cases[] = {
        {&Compact.Guid, 640, 480, D3DRM_OK},           {&Compact.Guid, 641, 480, DDERR_TOOBIGWIDTH},
        {&Compact.Guid, 640, 481, DDERR_TOOBIGHEIGHT}, {&Compact.Guid, 800, 600, DDERR_TOOBIGSIZE},
        {nullptr, 800, 600, D3DRM_OK},                 {nullptr, 8193, 10, DDERR_TOOBIGWIDTH},
        {nullptr, 8192, 4, D3DRM_OK},                  {&Mono.Guid, 4, 8192, D3DRM_OK},
        {&Mono.Guid, 4, 8193, DDERR_TOOBIGHEIGHT},
        {nullptr, 0, 0, D3DRM_OK},                     {nullptr, -1, 10, DDERR_INVALIDPARAMS},
    };
    for (const auto& Case : Cases)
    {
        IDirect3DRMDevice2* pDevice = nullptr;
        EXPECT_EQ(Scene.mRoot->CreateDeviceFromClipper(Scene.mClipper, Case.pGuid, Case.Width, Case.Height, &pDevice),
                  Case.Expected)
            << Case.Width << "x" << Case.Height;
        EXPECT_EQ(pDevice != nullptr, Case.Expected == D3DRM_OK);
        if (pDevice)
        {
            EXPECT_EQ(pDevice->GetWidth(), static_cast<unsigned>(Case.Width));
            pDevice->Release();
        }
    }
    const RMGUID Unknown = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    IDirect3DRMDevice2* pDevice = nullptr;
    EXPECT_EQ(Scene.mRoot->CreateDeviceFromClipper(Scene.mClipper, &Unknown, 8, 8, &pDevice), D3DRMERR_BADDEVICE);
    IDirect3DRMViewport* pViewport = nullptr;
    EXPECT_EQ(Scene.mRoot->CreateViewport(Scene.mDevice, Scene.mCamera, 4, 0, 8, 8, &pViewport), D3DRMERR_BADVALUE);
}
