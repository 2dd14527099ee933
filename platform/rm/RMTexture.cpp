// Textures made from surfaces; the surface's pixels are read again whenever it was unlocked.
#include "platform/rm/RMTexture.h"

RMRESULT cRMTexture::QueryInterface(const RMGUID& Iid, void** ppObject)
{
    if (ppObject)
        *ppObject = nullptr;
    return ppObject ? DDERR_UNSUPPORTED : DDERR_INVALIDPARAMS;
}

RMRESULT cRMTexture::GetSurface(IDirectDrawSurface** ppSurface)
{
    if (!ppSurface)
        return DDERR_INVALIDPARAMS;
    *ppSurface = mSurface.Get();
    mSurface->AddRef();
    return D3DRM_OK;
}

const cTexels* cRMTexture::GetTexels()
{
    if (!mRead || mReadChangeCount != mSurface->GetChangeCount())
    {
        mSurface->ReadXRGB(mTexels.Pixels);
        mTexels.Width = mSurface->GetWidth();
        mTexels.Height = mSurface->GetHeight();
        mReadChangeCount = mSurface->GetChangeCount();
        mRead = true;
    }
    return mTexels.Pixels.empty() ? nullptr : &mTexels;
}
