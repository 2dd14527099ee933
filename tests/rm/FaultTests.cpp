// Injected failures: when each fires and for how long, what a failing call leaves behind, the
// device enumeration cut short, and the count of objects alive.
#include "platform/rm/RMFaults.h"
#include "tests/rm/RMTestScene.h"

#include <string>

namespace
{
// Every test starts and ends with all operations working.
class RMFaultInjection : public testing::Test
{
protected:
    void SetUp() override { RMClearFaults(); }
    void TearDown() override { RMClearFaults(); }
};

DDSURFACEDESC TextureDesc()
{
    DDSURFACEDESC Desc = {};
    Desc.dwSize = sizeof Desc;
    Desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    Desc.dwWidth = 8;
    Desc.dwHeight = 8;
    Desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
    return Desc;
}

// Arms Fault to pass two calls and fail the next two, then makes five objects through Create,
// each into an out-pointer holding a stale value: a failing call must null it and leave no
// object alive.
template <class T, class Create>
void ExpectThirdAndFourthFail(eRMFault Fault, RMRESULT Code, Create CreateInto)
{
    static int Sentinel;
    T* const pStale = reinterpret_cast<T*>(&Sentinel);
    RMInjectFault(Fault, Code, 2, 2);
    for (int Call = 0; Call < 5; ++Call)
    {
        const bool Fails = Call == 2 || Call == 3;
        const int Live = RMLiveObjectCount();
        T* pObject = pStale;
        EXPECT_EQ(CreateInto(&pObject), Fails ? Code : D3DRM_OK) << Fault << " call " << Call;
        ASSERT_NE(pObject, pStale) << Fault << " call " << Call;
        ASSERT_EQ(pObject == nullptr, Fails) << Fault << " call " << Call;
        if (pObject)
            pObject->Release();
        EXPECT_EQ(RMLiveObjectCount(), Live) << Fault << " call " << Call;
    }
}

RMRESULT CollectName(RMGUID*, char*, char* pszName, void* pContext)
{
    static_cast<std::vector<std::string>*>(pContext)->push_back(pszName);
    return D3DENUMRET_OK;
}
}

TEST_F(RMFaultInjection, EachCreateFailsAfterItsSkipForItsTimesLeavingNullAndNothingBehind)
{
    cTestScene Scene(16, 16);
    ExpectThirdAndFourthFail<IDirectDraw>(RMFAULT_DIRECTDRAW_CREATE, DDERR_GENERIC,
                                          [](IDirectDraw** pp) { return DirectDrawCreate(nullptr, pp, nullptr); });
    ExpectThirdAndFourthFail<IDirect3DRM>(RMFAULT_CREATE_ROOT, D3DRMERR_BADALLOC,
                                          [](IDirect3DRM** pp) { return Direct3DRMCreate(pp); });
    ExpectThirdAndFourthFail<IDirectDrawClipper>(
        RMFAULT_CREATE_CLIPPER, DDERR_OUTOFMEMORY,
        [](IDirectDrawClipper** pp) { return DirectDrawCreateClipper(0, pp, nullptr); });
    ExpectThirdAndFourthFail<IDirectDrawSurface>(RMFAULT_CREATE_SURFACE, DDERR_OUTOFMEMORY,
                                                 [&](IDirectDrawSurface** pp) {
                                                     DDSURFACEDESC Desc = TextureDesc();
                                                     return Scene.mDirectDraw->CreateSurface(&Desc, pp, nullptr);
                                                 });
    ExpectThirdAndFourthFail<IDirect3DRMMesh>(RMFAULT_CREATE_MESH, D3DRMERR_BADALLOC,
                                              [&](IDirect3DRMMesh** pp) { return Scene.mRoot->CreateMesh(pp); });
    ExpectThirdAndFourthFail<IDirect3DRMMaterial>(
        RMFAULT_CREATE_MATERIAL, D3DRMERR_BADALLOC,
        [&](IDirect3DRMMaterial** pp) { return Scene.mRoot->CreateMaterial(8, pp); });
    ExpectThirdAndFourthFail<IDirect3DRMDevice2>(RMFAULT_CREATE_DEVICE, D3DRMERR_BADDEVICE,
                                                 [&](IDirect3DRMDevice2** pp) {
                                                     return Scene.mRoot->CreateDeviceFromClipper(Scene.mClipper,
                                                                                                 nullptr, 8, 8, pp);
                                                 });
}

TEST_F(RMFaultInjection, FailedLockAndDepthModeChangeNothingUntilCleared)
{
    cTestScene Scene(16, 16);
    DDSURFACEDESC Desc = TextureDesc();
    IDirectDrawSurface* pSurface = nullptr;
    ASSERT_EQ(Scene.mDirectDraw->CreateSurface(&Desc, &pSurface, nullptr), DD_OK);
    RMInjectFault(RMFAULT_LOCK_SURFACE, DDERR_SURFACEBUSY, 1, 1);
    EXPECT_EQ(pSurface->Lock(nullptr, &Desc, 0, nullptr), DD_OK);
    EXPECT_EQ(pSurface->Unlock(nullptr), DD_OK);
    EXPECT_EQ(pSurface->Lock(nullptr, &Desc, 0, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(pSurface->Unlock(nullptr), DDERR_NOTLOCKED);  // the failed lock left it unlocked
    EXPECT_EQ(pSurface->Lock(nullptr, &Desc, 0, nullptr), DD_OK);
    EXPECT_EQ(pSurface->Unlock(nullptr), DD_OK);
    pSurface->Release();

    // A negative Times fails every call until the faults are cleared.
    ASSERT_EQ(Scene.mScene->SetZbufferMode(D3DRMZBUFFER_ENABLE), D3DRM_OK);
    RMInjectFault(RMFAULT_SET_ZBUFFER_MODE, DDERR_GENERIC);
    for (int Call = 0; Call < 3; ++Call)
        EXPECT_EQ(Scene.mScene->SetZbufferMode(D3DRMZBUFFER_DISABLE), DDERR_GENERIC);
    EXPECT_EQ(Scene.mScene->GetZbufferMode(), D3DRMZBUFFER_ENABLE);
    RMClearFaults();
    EXPECT_EQ(Scene.mScene->SetZbufferMode(D3DRMZBUFFER_DISABLE), D3DRM_OK);
    EXPECT_EQ(Scene.mScene->GetZbufferMode(), D3DRMZBUFFER_DISABLE);
}

TEST_F(RMFaultInjection, EnumerationReportsItsSkipOfDevicesThenFails)
{
    IDirectDraw* pDirectDraw = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &pDirectDraw, nullptr), DD_OK);
    IDirect3D2* pDirect3D = nullptr;
    ASSERT_EQ(pDirectDraw->QueryInterface(IID_IDirect3D2, reinterpret_cast<void**>(&pDirect3D)), DD_OK);
    std::vector<std::string> All;
    ASSERT_EQ(pDirect3D->EnumDevices(CollectName, &All), D3D_OK);
    ASSERT_EQ(All.size(), 3u);

    // A code that is not a failure would cut the list short yet report success: it arms nothing.
    RMInjectFault(RMFAULT_ENUM_DEVICES, RMRESULT{1}, 1);
    std::vector<std::string> Unarmed;
    EXPECT_EQ(pDirect3D->EnumDevices(CollectName, &Unarmed), D3D_OK);
    EXPECT_EQ(Unarmed, All);

    // Skip counts devices within each enumeration, not calls: both failing ones report one.
    RMInjectFault(RMFAULT_ENUM_DEVICES, DDERR_GENERIC, 1, 2);
    for (RMRESULT Expected : {DDERR_GENERIC, DDERR_GENERIC, D3D_OK})
    {
        std::vector<std::string> Names;
        EXPECT_EQ(pDirect3D->EnumDevices(CollectName, &Names), Expected);
        ASSERT_EQ(Names.size(), Expected == D3D_OK ? All.size() : 1u);
        EXPECT_EQ(Names.front(), All.front());
    }
    pDirect3D->Release();
    pDirectDraw->Release();
}

TEST_F(RMFaultInjection, LiveObjectCountReturnsToItsStartWhenASceneIsReleased)
{
    const int Start = RMLiveObjectCount();
    {
        cTestScene Scene(16, 16);
        // Display, root, clipper, device with its immediate-mode device, two frames, viewport.
        EXPECT_EQ(RMLiveObjectCount(), Start + 8);
        IDirect3DRMLight* pLight = nullptr;
        ASSERT_EQ(Scene.mRoot->CreateLightRGB(D3DRMLIGHT_AMBIENT, 1, 1, 1, &pLight), D3DRM_OK);
        Scene.mScene->AddLight(pLight);
        pLight->Release();
        Scene.AddSquare(1.0f, 3.0f, D3DRMRENDER_FLAT, Scene.MakeTexture([](int, int) { return 0x00FF8000u; }));
        IDirect3DRMWinDevice* pWin = nullptr;
        ASSERT_EQ(Scene.mDevice->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&pWin)),
                  D3DRM_OK);
        Scene.Draw();
        // Light, surface, texture, mesh and the window device added.
        EXPECT_EQ(RMLiveObjectCount(), Start + 13);
        pWin->Release();
    }
    EXPECT_EQ(RMLiveObjectCount(), Start);
}
