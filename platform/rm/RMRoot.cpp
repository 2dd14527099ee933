// The retained-mode root: creates frames, meshes, lights, materials, textures, devices and
// viewports.
#include "platform/rm/RMDevice.h"
#include "platform/rm/RMFaults.h"
#include "platform/rm/RMLighting.h"
#include "platform/rm/RMMesh.h"
#include "platform/rm/RMTexture.h"
#include "platform/rm/RMViewport.h"

#include <new>

namespace
{
class cRMRoot final : public cRMRefCounted<IDirect3DRM2>
{
public:
    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override
    {
        if (!ppObject)
            return DDERR_INVALIDPARAMS;
        *ppObject = nullptr;
        if (Iid == IID_IDirect3DRM)
            return GiveAs<IDirect3DRM>(ppObject);
        if (Iid == IID_IDirect3DRM2)
            return GiveAs<IDirect3DRM2>(ppObject);
        return DDERR_UNSUPPORTED;
    }

    RMRESULT CreateFrame(IDirect3DRMFrame2* pParent, IDirect3DRMFrame2** ppFrame) override
    {
        if (!ppFrame)
            return DDERR_INVALIDPARAMS;
        *ppFrame = nullptr;
        cRMFrame* pParentFrame = dynamic_cast<cRMFrame*>(pParent);
        if (pParent && !pParentFrame)
            return D3DRMERR_BADOBJECT;
        return Give(new (std::nothrow) cRMFrame(pParentFrame), ppFrame);
    }

    RMRESULT CreateMesh(IDirect3DRMMesh** ppMesh) override
    {
        if (!ppMesh)
            return DDERR_INVALIDPARAMS;
        *ppMesh = nullptr;
        if (const RMRESULT Fault = RMFaultCheck(RMFAULT_CREATE_MESH); RMFailed(Fault))
            return Fault;
        return Give(new (std::nothrow) cRMMesh, ppMesh);
    }

    RMRESULT CreateLightRGB(D3DRMLIGHTTYPE Type, D3DVALUE Red, D3DVALUE Green, D3DVALUE Blue,
                            IDirect3DRMLight** ppLight) override
    {
        if (!ppLight)
            return DDERR_INVALIDPARAMS;
        *ppLight = nullptr;
        // The software device lights with ambient and directional light only.
        if (Type != D3DRMLIGHT_AMBIENT && Type != D3DRMLIGHT_DIRECTIONAL)
            return DDERR_UNSUPPORTED;
        return Give(new (std::nothrow) cRMLight(Type, Red, Green, Blue), ppLight);
    }

    RMRESULT CreateMaterial(D3DVALUE Power, IDirect3DRMMaterial** ppMaterial) override
    {
        if (!ppMaterial)
            return DDERR_INVALIDPARAMS;
        *ppMaterial = nullptr;
        if (!(Power >= 0))
            return D3DRMERR_BADVALUE;
        if (const RMRESULT Fault = RMFaultCheck(RMFAULT_CREATE_MATERIAL); RMFailed(Fault))
            return Fault;
        return Give(new (std::nothrow) cRMMaterial(Power), ppMaterial);
    }

    RMRESULT CreateDeviceFromClipper(IDirectDrawClipper* pClipper, const RMGUID* pGuid, int Width, int Height,
                                     IDirect3DRMDevice2** ppDevice) override
    {
        if (!ppDevice)
            return DDERR_INVALIDPARAMS;
        *ppDevice = nullptr;
        cClipper* pOurClipper = dynamic_cast<cClipper*>(pClipper);
        if (!pOurClipper)
            return D3DRMERR_BADOBJECT;
        const cRMDeviceInfo* pInfo = RMFindDevice(pGuid);
        if (!pInfo)
            return D3DRMERR_BADDEVICE;
        // A zero size (a minimised window) gives a device that draws nothing.
        if (Width < 0 || Height < 0)
            return DDERR_INVALIDPARAMS;
        const bool Wide = Width > pInfo->MaxWidth, High = Height > pInfo->MaxHeight;
        if (Wide || High)
            return Wide && High ? DDERR_TOOBIGSIZE : Wide ? DDERR_TOOBIGWIDTH : DDERR_TOOBIGHEIGHT;
        if (const RMRESULT Fault = RMFaultCheck(RMFAULT_CREATE_DEVICE); RMFailed(Fault))
            return Fault;
        try
        {
            *ppDevice = new cRMDevice(*pInfo, pOurClipper, Width, Height);
            return D3DRM_OK;
        }
        catch (const std::bad_alloc&)
        {
            return DDERR_OUTOFMEMORY;
        }
    }

    RMRESULT CreateTextureFromSurface(IDirectDrawSurface* pSurface, IDirect3DRMTexture2** ppTexture) override
    {
        if (!ppTexture)
            return DDERR_INVALIDPARAMS;
        *ppTexture = nullptr;
        cSurface* pOurSurface = dynamic_cast<cSurface*>(pSurface);
        if (!pOurSurface)
            return D3DRMERR_BADOBJECT;
        return Give(new (std::nothrow) cRMTexture(pOurSurface), ppTexture);
    }

    RMRESULT CreateViewport(IDirect3DRMDevice2* pDevice, IDirect3DRMFrame2* pCamera, std::uint32_t X, std::uint32_t Y,
                            std::uint32_t Width, std::uint32_t Height, IDirect3DRMViewport** ppViewport) override
    {
        if (!ppViewport)
            return DDERR_INVALIDPARAMS;
        *ppViewport = nullptr;
        cRMDevice* pOurDevice = dynamic_cast<cRMDevice*>(pDevice);
        cRMFrame* pCameraFrame = dynamic_cast<cRMFrame*>(pCamera);
        if (!pOurDevice || !pCameraFrame)
            return D3DRMERR_BADOBJECT;
        // The rectangle must lie on the device; 64-bit sums cannot wrap.
        if (std::uint64_t{X} + Width > pOurDevice->GetWidth() || std::uint64_t{Y} + Height > pOurDevice->GetHeight())
            return D3DRMERR_BADVALUE;
        return Give(new (std::nothrow) cRMViewport(pOurDevice, pCameraFrame, static_cast<int>(X), static_cast<int>(Y),
                                                   static_cast<int>(Width), static_cast<int>(Height)),
                    ppViewport);
    }

private:
    template <class Interface, class Object>
    static RMRESULT Give(Object* pObject, Interface** ppOut)
    {
        *ppOut = pObject;
        return pObject ? D3DRM_OK : D3DRMERR_BADALLOC;
    }
};
}

RMRESULT Direct3DRMCreate(IDirect3DRM** ppRoot)
{
    if (!ppRoot)
        return DDERR_INVALIDPARAMS;
    *ppRoot = nullptr;
    if (const RMRESULT Fault = RMFaultCheck(RMFAULT_CREATE_ROOT); RMFailed(Fault))
        return Fault;
    *ppRoot = new (std::nothrow) cRMRoot;
    return *ppRoot ? D3DRM_OK : D3DRMERR_BADALLOC;
}
