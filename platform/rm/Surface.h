// System-memory surfaces in 16-bit 5-5-5, 24-bit R,G,B and 32-bit R,G,B,x layouts.
#pragma once

#include "platform/rm/DirectDraw.h"

#include <vector>

class cSurface final : public cRMRefCounted<IDirectDrawSurface3>
{
public:
    // Allocates Width x Height pixels of BitsPerPixel, cleared to 0; the primary surface owns
    // no pixels. Throws std::bad_alloc when memory runs out.
    cSurface(int Width, int Height, int BitsPerPixel, bool Primary);

    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override;
    RMRESULT Lock(RMRECT* pRect, DDSURFACEDESC* pDesc, std::uint32_t Flags, void* Event) override;
    RMRESULT Unlock(void* pMemory) override;
    RMRESULT GetSurfaceDesc(DDSURFACEDESC* pDesc) override;

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    // Counts the unlocks, so readers know when the pixels may have changed.
    unsigned GetChangeCount() const { return mChangeCount; }
    // The pixels as 0x00RRGGBB, rows top to bottom.
    void ReadXRGB(std::vector<std::uint32_t>& Out) const;

private:
    void Describe(DDSURFACEDESC& Desc) const;

    int mWidth;
    int mHeight;
    int mBitsPerPixel;
    bool mPrimary;
    bool mLocked = false;
    unsigned mChangeCount = 0;
    std::vector<std::uint8_t> mPixels;
};
