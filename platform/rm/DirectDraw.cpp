// The display object, its Direct3D interface (device enumeration) and the clipper.
#include "platform/rm/Clipper.h"
#include "platform/rm/RMDevices.h"
#include "platform/rm/RMFaults.h"
#include "platform/rm/Surface.h"

#include <new>

namespace
{
int DisplayBitsPerPixel = 24;

const std::uint32_t MAX_SURFACE_SIDE = 4096;

class cDirect3D final : public cRMRefCounted<IDirect3D2>
{
public:
    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override
    {
        if (!ppObject)
            return DDERR_INVALIDPARAMS;
        *ppObject = nullptr;
        if (Iid == IID_IDirect3D2)
            return GiveAs<IDirect3D2>(ppObject);
        return DDERR_UNSUPPORTED;
    }

    RMRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK Callback, void* pContext) override
    {
        if (!Callback)
            return DDERR_INVALIDPARAMS;
        std::size_t Count = 0;
        const cRMDeviceInfo* pDevices = RMGetDevices(Count);
        // An injected failure cuts the list short; it is returned even if the callback stops first.
        const RMRESULT Result = RMFaultCheckEnumeration(Count);
        for (std::size_t i = 0; i < Count; ++i)
        {
            // The callback gets copies it may keep or change.
            RMGUID Guid = pDevices[i].Guid;
            char Description[64] = {};
            char Name[64] = {};
            for (std::size_t c = 0; c + 1 < sizeof Name && pDevices[i].pszName[c]; ++c)
                Name[c] = pDevices[i].pszName[c];
            for (std::size_t c = 0; c + 1 < sizeof Description && pDevices[i].pszDescription[c]; ++c)
                Description[c] = pDevices[i].pszDescription[c];
            if (Callback(&Guid, Description, Name, pContext) != D3DENUMRET_OK)
                break;
        }
        return Result;
    }
};

class cDirectDraw final : public cRMRefCounted<IDirectDraw2>
{
public:
    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override
    {
        if (!ppObject)
            return DDERR_INVALIDPARAMS;
        *ppObject = nullptr;
        if (Iid == IID_IDirectDraw)
            return GiveAs<IDirectDraw>(ppObject);
        if (Iid == IID_IDirectDraw2)
            return GiveAs<IDirectDraw2>(ppObject);
        if (Iid == IID_IDirect3D2)
        {
            cDirect3D* pDirect3D = new (std::nothrow) cDirect3D;
            if (!pDirect3D)
                return DDERR_OUTOFMEMORY;
            *ppObject = static_cast<IDirect3D2*>(pDirect3D);
            return DD_OK;
        }
        return DDERR_UNSUPPORTED;
    }

    RMRESULT SetCooperativeLevel(RMWINDOW Window, std::uint32_t Flags) override
    {
        if (Flags != DDSCL_NORMAL)
            return DDERR_INVALIDPARAMS;
        mCooperative = true;
        return DD_OK;
    }

    RMRESULT CreateSurface(DDSURFACEDESC* pDesc, IDirectDrawSurface** ppSurface, IRMUnknown* pOuter) override
    {
        if (!pDesc || !ppSurface || pOuter)
            return DDERR_INVALIDPARAMS;
        *ppSurface = nullptr;
        if (!(pDesc->dwFlags & DDSD_CAPS))
            return DDERR_INVALIDPARAMS;
        const bool Primary = (pDesc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0;
        int Width = 0, Height = 0, Bits = DisplayBitsPerPixel;
        if (Primary)
        {
            if (!mCooperative)
                return DDERR_NOCOOPERATIVELEVELSET;
        }
        else
        {
            if (!(pDesc->ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY))
                return DDERR_INVALIDCAPS;
            if ((pDesc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT) ||
                pDesc->dwWidth == 0 || pDesc->dwHeight == 0)
                return DDERR_INVALIDPARAMS;
            if (pDesc->dwWidth > MAX_SURFACE_SIDE || pDesc->dwHeight > MAX_SURFACE_SIDE)
                return DDERR_TOOBIGSIZE;
            if (pDesc->dwFlags & DDSD_PIXELFORMAT)
            {
                Bits = static_cast<int>(pDesc->ddpfPixelFormat.dwRGBBitCount);
                if (Bits != 16 && Bits != 24 && Bits != 32)
                    return DDERR_INVALIDPIXELFORMAT;
            }
            Width = static_cast<int>(pDesc->dwWidth);
            Height = static_cast<int>(pDesc->dwHeight);
        }
        if (const RMRESULT Fault = RMFaultCheck(RMFAULT_CREATE_SURFACE); RMFailed(Fault))
            return Fault;
        try
        {
            *ppSurface = new cSurface(Width, Height, Bits, Primary);
            return DD_OK;
        }
        catch (const std::bad_alloc&)
        {
            return DDERR_OUTOFMEMORY;
        }
    }

private:
    bool mCooperative = false;
};
}

RMRESULT cClipper::QueryInterface(const RMGUID& Iid, void** ppObject)
{
    if (ppObject)
        *ppObject = nullptr;
    return ppObject ? DDERR_UNSUPPORTED : DDERR_INVALIDPARAMS;
}

RMRESULT cClipper::SetHWnd(std::uint32_t Flags, RMWINDOW Window)
{
    if (!Window)
        return DDERR_INVALIDPARAMS;
    mWindow = Window;
    return DD_OK;
}

RMRESULT cClipper::GetHWnd(RMWINDOW* pWindow)
{
    if (!pWindow)
        return DDERR_INVALIDPARAMS;
    *pWindow = mWindow;
    return mWindow ? DD_OK : DDERR_NOHWND;
}

RMRESULT DirectDrawCreate(const RMGUID* pGuid, IDirectDraw** ppDirectDraw, IRMUnknown* pOuter)
{
    if (!ppDirectDraw || pOuter)
        return DDERR_INVALIDPARAMS;
    *ppDirectDraw = nullptr;
    // Only the primary display driver exists.
    if (pGuid)
        return DDERR_INVALIDPARAMS;
    if (const RMRESULT Fault = RMFaultCheck(RMFAULT_DIRECTDRAW_CREATE); RMFailed(Fault))
        return Fault;
    cDirectDraw* pDirectDraw = new (std::nothrow) cDirectDraw;
    if (!pDirectDraw)
        return DDERR_OUTOFMEMORY;
    *ppDirectDraw = pDirectDraw;
    return DD_OK;
}

RMRESULT DirectDrawCreateClipper(std::uint32_t Flags, IDirectDrawClipper** ppClipper, IRMUnknown* pOuter)
{
    if (!ppClipper || pOuter)
        return DDERR_INVALIDPARAMS;
    *ppClipper = nullptr;
    if (const RMRESULT Fault = RMFaultCheck(RMFAULT_CREATE_CLIPPER); RMFailed(Fault))
        return Fault;
    *ppClipper = new (std::nothrow) cClipper;
    return *ppClipper ? DD_OK : DDERR_OUTOFMEMORY;
}

int RMGetDisplayBitsPerPixel()
{
    return DisplayBitsPerPixel;
}

bool RMSetDisplayBitsPerPixel(int BitsPerPixel)
{
    if (BitsPerPixel != 16 && BitsPerPixel != 24 && BitsPerPixel != 32)
        return false;
    DisplayBitsPerPixel = BitsPerPixel;
    return true;
}
