// Textures made from surfaces; the surface's pixels are read again whenever it was unlocked.
#pragma once

#include "platform/rm/D3DRM.h"
#include "platform/rm/Rasterizer.h"
#include "platform/rm/Surface.h"

class cRMTexture final : public cRMRefCounted<IDirect3DRMTexture2>
{
public:
    explicit cRMTexture(cSurface* pSurface) : mSurface(pSurface) {}

    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override;
    RMRESULT GetSurface(IDirectDrawSurface** ppSurface) override;

    // The surface's current pixels; null for a surface without pixels.
    const cTexels* GetTexels();

private:
    cRMRef<cSurface> mSurface;
    cTexels mTexels;
    bool mRead = false;
    unsigned mReadChangeCount = 0;
};
