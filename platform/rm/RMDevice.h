// Retained-mode devices: the colour and depth buffers a viewport draws into, presented in the
// clipper's window by Update.
#pragma once

#include "platform/rm/Clipper.h"
#include "platform/rm/D3DRM.h"
#include "platform/rm/RMDevices.h"

#include <vector>

class cRMDevice final : public cRMRefCounted<IDirect3DRMDevice2>
{
public:
    // Throws std::bad_alloc when the buffers cannot be had.
    cRMDevice(const cRMDeviceInfo& Info, cClipper* pClipper, int Width, int Height);
    ~cRMDevice() override;

    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override;
    unsigned GetWidth() override { return static_cast<unsigned>(mWidth); }
    unsigned GetHeight() override { return static_cast<unsigned>(mHeight); }
    RMRESULT SetQuality(D3DRMRENDERQUALITY Quality) override;
    D3DRMRENDERQUALITY GetQuality() override { return mQuality; }
    RMRESULT Update() override;
    RMRESULT GetDirect3DDevice2(IDirect3DDevice2** ppDevice) override;

    // Shows the current picture in the clipper's window, if it has one.
    void Present();

    const cRMDeviceInfo& GetInfo() const { return mInfo; }
    std::uint32_t* GetColor() { return mColor.data(); }
    float* GetDepth() { return mDepth.data(); }

private:
    const cRMDeviceInfo& mInfo;
    cRMRef<cClipper> mClipper;
    int mWidth;
    int mHeight;
    D3DRMRENDERQUALITY mQuality = D3DRMRENDER_FLAT;
    std::vector<std::uint32_t> mColor;  // 0x00RRGGBB
    std::vector<float> mDepth;          // 1/z; 0 is empty
    IDirect3DDevice2* mDirect3DDevice;
};
