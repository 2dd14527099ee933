// System-memory surfaces in 16-bit 5-5-5, 24-bit R,G,B and 32-bit R,G,B,x layouts.
#include "platform/rm/Surface.h"

#include "platform/rm/RMFaults.h"

cSurface::cSurface(int Width, int Height, int BitsPerPixel, bool Primary)
    : mWidth(Width), mHeight(Height), mBitsPerPixel(BitsPerPixel), mPrimary(Primary)
{
    if (!mPrimary)
        mPixels.assign(static_cast<std::size_t>(Width) * Height * (BitsPerPixel / 8), 0);
}

RMRESULT cSurface::QueryInterface(const RMGUID& Iid, void** ppObject)
{
    if (!ppObject)
        return DDERR_INVALIDPARAMS;
    *ppObject = nullptr;
    if (Iid == IID_IDirectDrawSurface)
        return GiveAs<IDirectDrawSurface>(ppObject);
    if (Iid == IID_IDirectDrawSurface3)
        return GiveAs<IDirectDrawSurface3>(ppObject);
    return DDERR_UNSUPPORTED;
}

void cSurface::Describe(DDSURFACEDESC& Desc) const
{
    Desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    Desc.dwWidth = static_cast<std::uint32_t>(mWidth);
    Desc.dwHeight = static_cast<std::uint32_t>(mHeight);
    Desc.lPitch = mWidth * (mBitsPerPixel / 8);
    Desc.ddsCaps.dwCaps = mPrimary ? DDSCAPS_PRIMARYSURFACE : DDSCAPS_SYSTEMMEMORY;
    DDPIXELFORMAT& Format = Desc.ddpfPixelFormat;
    Format.dwSize = sizeof(DDPIXELFORMAT);
    Format.dwFlags = DDPF_RGB;
    Format.dwRGBBitCount = static_cast<std::uint32_t>(mBitsPerPixel);
    // Masks over the little-endian pixel value: 5-5-5 words, or red in the first byte.
    if (mBitsPerPixel == 16)
    {
        Format.dwRBitMask = 0x7C00;
        Format.dwGBitMask = 0x03E0;
        Format.dwBBitMask = 0x001F;
    }
    else
    {
        Format.dwRBitMask = 0x0000FF;
        Format.dwGBitMask = 0x00FF00;
        Format.dwBBitMask = 0xFF0000;
    }
}

RMRESULT cSurface::Lock(RMRECT* pRect, DDSURFACEDESC* pDesc, std::uint32_t Flags, void* Event)
{
    if (!pDesc)
        return DDERR_INVALIDPARAMS;
    // The primary surface stands for the screen, which this layer never exposes as memory.
    if (mPrimary)
        return DDERR_UNSUPPORTED;
    if (mLocked)
        return DDERR_SURFACEBUSY;
    std::size_t Offset = 0;
    if (pRect)
    {
        if (pRect->left < 0 || pRect->top < 0 || pRect->right > mWidth || pRect->bottom > mHeight ||
            pRect->left >= pRect->right || pRect->top >= pRect->bottom)
            return DDERR_INVALIDRECT;
        Offset = (static_cast<std::size_t>(pRect->top) * mWidth + pRect->left) * (mBitsPerPixel / 8);
    }
    if (const RMRESULT Fault = RMFaultCheck(RMFAULT_LOCK_SURFACE); RMFailed(Fault))
        return Fault;
    Describe(*pDesc);
    pDesc->dwFlags |= DDSD_LPSURFACE;
    pDesc->lpSurface = mPixels.data() + Offset;
    mLocked = true;
    return DD_OK;
}

RMRESULT cSurface::Unlock(void* pMemory)
{
    if (!mLocked)
        return DDERR_NOTLOCKED;
    mLocked = false;
    ++mChangeCount;
    return DD_OK;
}

RMRESULT cSurface::GetSurfaceDesc(DDSURFACEDESC* pDesc)
{
    if (!pDesc)
        return DDERR_INVALIDPARAMS;
    Describe(*pDesc);
    pDesc->lpSurface = nullptr;
    return DD_OK;
}

void cSurface::ReadXRGB(std::vector<std::uint32_t>& Out) const
{
    const std::size_t Count = static_cast<std::size_t>(mWidth) * mHeight;
    Out.resize(mPixels.empty() ? 0 : Count);
    const std::uint8_t* p = mPixels.data();
    for (std::size_t i = 0; i < Out.size(); ++i)
    {
        std::uint32_t R, G, B;
        if (mBitsPerPixel == 16)
        {
            const std::uint32_t Word = p[2 * i] | (p[2 * i + 1] << 8);
            // Widen 5 bits to 8 by repeating the top bits, so 31 becomes 255.
            R = (Word >> 10) & 31;
            G = (Word >> 5) & 31;
            B = Word & 31;
            R = (R << 3) | (R >> 2);
            G = (G << 3) | (G >> 2);
            B = (B << 3) | (B >> 2);
        }
        else
        {
            const std::size_t Step = static_cast<std::size_t>(mBitsPerPixel / 8);
            R = p[Step * i];
            G = p[Step * i + 1];
            B = p[Step * i + 2];
        }
        Out[i] = (R << 16) | (G << 8) | B;
    }
}
