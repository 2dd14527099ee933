// cD3DViewer's textures: one 256 x 256 system-memory surface per texture number in the
// display's pixel format, written from the model's RGB images, and a texture made from it.
#include <cstring>

#include "render_d3d/D3DModel.h"
#include "render_d3d/D3DViewer.h"
#include "render_d3d/D3DViewerPrivate.h"
#include "render_d3d/ErrorText.h"

namespace
{
constexpr int TEXTURE_SIDE = 256;

const char* const DEPTH_TEXT = "Tessaly supports D3D mode only on displays\nusing 16 or 24 bit color";
}  // namespace

std::uint16_t PackRGB555(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue)
{
    return static_cast<std::uint16_t>(((Red & 0xF8u) << 7) | ((Green & 0xF8u) << 2) | (Blue >> 3));
}

void cD3DViewer::CreateTextures(int Count, const cZentorMesh* pModel)
{
    ReleaseTextures();
    if (!mDirectDraw || !mD3DRM)
        return;
    for (int n = 0; n < Count && n < MAX_TEXTURES; ++n)
    {
        DDSURFACEDESC Desc = {};
        Desc.dwSize = sizeof(DDSURFACEDESC);
        Desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
        Desc.dwHeight = TEXTURE_SIDE;
        Desc.dwWidth = TEXTURE_SIDE;
        Desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
        const RMRESULT Result = mDirectDraw->CreateSurface(&Desc, &mTextureSurfaces[n], nullptr);
        if (RMFailed(Result) || !mTextureSurfaces[n])
        {
            mTextureSurfaces[n] = nullptr;
            ShowMessage(ErrorText(Result), "Error", MB_OK);
            return;
        }
        mNumTextures = n + 1;
        IDirectDrawSurface* pSurface = mTextureSurfaces[n];

        const std::uint8_t* pImage = pModel ? pModel->GetTexture(n) : nullptr;
        if (pImage)
        {
            DDSURFACEDESC Locked = {};
            Locked.dwSize = sizeof(DDSURFACEDESC);
            if (RMSucceeded(pSurface->Lock(nullptr, &Locked, 0, nullptr)) &&
                !WriteTexturePixels(Locked, pImage))
            {
                pSurface->Unlock(nullptr);
                ShowMessage(DEPTH_TEXT, "Error", MB_ICONEXCLAMATION);
                return;
            }
        }
        pSurface->Unlock(nullptr);
        mD3DRM->CreateTextureFromSurface(pSurface, &mTextures[n]);
    }
}

bool cD3DViewer::WriteTexturePixels(const DDSURFACEDESC& Locked, const std::uint8_t* pImage)
{
    if (mBitsPerPixel != 16 && mBitsPerPixel != 24 && mBitsPerPixel != 32)
        return false;
    const std::size_t BytesPerPixel = static_cast<std::size_t>(mBitsPerPixel) / 8;
    // Written by the layout the lock reports: its depth must be the display depth this viewer
    // packs for, and each row must hold a whole row of the image. Anything else is refused
    // rather than written past the surface.
    if (!Locked.lpSurface || Locked.ddpfPixelFormat.dwRGBBitCount != static_cast<std::uint32_t>(mBitsPerPixel) ||
        Locked.dwWidth < TEXTURE_SIDE || Locked.dwHeight < TEXTURE_SIDE || Locked.lPitch < 0 ||
        static_cast<std::size_t>(Locked.lPitch) < TEXTURE_SIDE * BytesPerPixel)
        return false;
    if (mBitsPerPixel == 32)
        ShowMessage(DEPTH_TEXT, "Warning", MB_ICONEXCLAMATION);
    auto* pRows = static_cast<std::uint8_t*>(Locked.lpSurface);
    for (int y = 0; y < TEXTURE_SIDE; ++y)
    {
        std::uint8_t* pOut = pRows + static_cast<std::size_t>(y) * static_cast<std::size_t>(Locked.lPitch);
        const std::uint8_t* pIn = pImage + static_cast<std::size_t>(y) * TEXTURE_SIDE * 3;
        for (int x = 0; x < TEXTURE_SIDE; ++x, pIn += 3, pOut += BytesPerPixel)
        {
            if (mBitsPerPixel == 16)
            {
                const std::uint16_t Word = PackRGB555(pIn[0], pIn[1], pIn[2]);
                pOut[0] = static_cast<std::uint8_t>(Word & 0xFF);
                pOut[1] = static_cast<std::uint8_t>(Word >> 8);
            }
            else
            {
                // Red, green, blue in source order; a 32-bit pixel's fourth byte is not written.
                std::memcpy(pOut, pIn, 3);
            }
        }
    }
    return true;
}
