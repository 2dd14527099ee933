// Retained-mode devices: the colour and depth buffers a viewport draws into, presented in the
// clipper's window by Update.
#include "platform/rm/RMDevice.h"

#include <new>

namespace
{
// Brackets the drawing of a picture; the software device draws at once, so the bracket only
// checks that scenes are not nested or left unopened.
class cDirect3DDevice final : public cRMRefCounted<IDirect3DDevice2>
{
public:
    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override
    {
        if (ppObject)
            *ppObject = nullptr;
        return ppObject ? DDERR_UNSUPPORTED : DDERR_INVALIDPARAMS;
    }
    RMRESULT BeginScene() override
    {
        if (mInScene)
            return DDERR_GENERIC;
        mInScene = true;
        return D3D_OK;
    }
    RMRESULT EndScene() override
    {
        if (!mInScene)
            return DDERR_GENERIC;
        mInScene = false;
        return D3D_OK;
    }

private:
    bool mInScene = false;
};

class cWinDevice final : public cRMRefCounted<IDirect3DRMWinDevice>
{
public:
    explicit cWinDevice(cRMDevice* pDevice) : mDevice(pDevice) {}

    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override
    {
        if (!ppObject)
            return DDERR_INVALIDPARAMS;
        *ppObject = nullptr;
        if (Iid == IID_IDirect3DRMWinDevice)
            return GiveAs<IDirect3DRMWinDevice>(ppObject);
        return mDevice->QueryInterface(Iid, ppObject);
    }
    RMRESULT HandlePaint(void* DeviceContext) override
    {
        mDevice->Present();
        return D3DRM_OK;
    }
    RMRESULT HandleActivate(std::uint32_t wParam) override { return D3DRM_OK; }

private:
    cRMRef<cRMDevice> mDevice;
};
}

cRMDevice::cRMDevice(const cRMDeviceInfo& Info, cClipper* pClipper, int Width, int Height)
    : mInfo(Info), mClipper(pClipper), mWidth(Width), mHeight(Height),
      mColor(static_cast<std::size_t>(Width) * Height, 0), mDepth(static_cast<std::size_t>(Width) * Height, 0.0f),
      mDirect3DDevice(new cDirect3DDevice)
{
}

cRMDevice::~cRMDevice()
{
    mDirect3DDevice->Release();
}

RMRESULT cRMDevice::QueryInterface(const RMGUID& Iid, void** ppObject)
{
    if (!ppObject)
        return DDERR_INVALIDPARAMS;
    *ppObject = nullptr;
    if (Iid == IID_IDirect3DRMDevice2)
        return GiveAs<IDirect3DRMDevice2>(ppObject);
    if (Iid == IID_IDirect3DRMWinDevice)
    {
        cWinDevice* pWinDevice = new (std::nothrow) cWinDevice(this);
        if (!pWinDevice)
            return D3DRMERR_BADALLOC;
        *ppObject = static_cast<IDirect3DRMWinDevice*>(pWinDevice);
        return D3DRM_OK;
    }
    return DDERR_UNSUPPORTED;
}

RMRESULT cRMDevice::SetQuality(D3DRMRENDERQUALITY Quality)
{
    if ((Quality & ~(D3DRMSHADE_MASK | D3DRMLIGHT_MASK | D3DRMFILL_MASK)) != 0)
        return D3DRMERR_BADVALUE;
    mQuality = Quality;
    return D3DRM_OK;
}

void cRMDevice::Present()
{
    RMWINDOW Window = mClipper->GetWindow();
    if (Window && mWidth > 0 && mHeight > 0)
        Window->Present(mColor.data(), mWidth, mHeight);
}

RMRESULT cRMDevice::Update()
{
    Present();
    return D3DRM_OK;
}

RMRESULT cRMDevice::GetDirect3DDevice2(IDirect3DDevice2** ppDevice)
{
    if (!ppDevice)
        return DDERR_INVALIDPARAMS;
    mDirect3DDevice->AddRef();
    *ppDevice = mDirect3DDevice;
    return D3DRM_OK;
}
