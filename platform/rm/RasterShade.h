// The colour of one rasterized pixel from its interpolated attributes: flat or Gouraud colour,
// modulated by the nearest texel of a repeating texture. Inline, for the rasterizer's inner loops.
#pragma once

#include "platform/rm/Rasterizer.h"

#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

// Interpolated attributes of one pixel, still divided by z.
struct cPixel
{
    float InvZ, UOverZ, VOverZ, ROverZ, GOverZ, BOverZ;
};

inline cPixel Attributes(const cRasterVertex& V)
{
    return {V.InvZ, V.UOverZ, V.VOverZ, V.ROverZ, V.GOverZ, V.BOverZ};
}

inline cPixel Difference(const cPixel& A, const cPixel& B)
{
    return {A.InvZ - B.InvZ,     A.UOverZ - B.UOverZ, A.VOverZ - B.VOverZ,
            A.ROverZ - B.ROverZ, A.GOverZ - B.GOverZ, A.BOverZ - B.BOverZ};
}

// std::floor, without a library call for the coordinates a texture normally sees: below 2^23
// every float converts to int exactly after truncation toward zero.
inline float FloorCoordinate(float Value)
{
    const float EXACT_LIMIT = 8388608.0f;
    if (!(std::fabs(Value) < EXACT_LIMIT))
        return std::floor(Value);
    const float Truncated = static_cast<float>(static_cast<int>(Value));
    return Truncated > Value ? Truncated - 1.0f : Truncated;
}

// Nearest texel of a repeating texture coordinate; any coordinate, even one that is not a
// number, gives an index inside the texture.
inline int TexelIndex(float Coordinate, int Size)
{
    const float Fraction = Coordinate - FloorCoordinate(Coordinate);
    const int Index = Fraction >= 0 ? static_cast<int>(Fraction * Size) : 0;
    return Index < Size ? Index : 0;
}

// 0 ... 1 to 0 ... 255, rounded; below 0 and not a number give 0, above 1 gives 255. The clamp
// is a maximum and a minimum: the compiler turns the plain selections back into branches.
inline std::uint32_t ToByte(float Value)
{
    const float Scaled = Value * 255.0f + 0.5f;
#if defined(__SSE2__)
    // MAXSS gives its second operand when the first is not a number.
    const __m128 InRange = _mm_min_ss(_mm_max_ss(_mm_set_ss(Scaled), _mm_setzero_ps()), _mm_set_ss(255.0f));
    return static_cast<std::uint32_t>(_mm_cvttss_si32(InRange));
#else
    return !(Scaled > 0) ? 0 : Scaled >= 255.0f ? 255 : static_cast<std::uint32_t>(Scaled);
#endif
}

// Byte / 255 for each byte, so a texel channel becomes a factor without a division.
struct cByteFactors
{
    constexpr cByteFactors()
    {
        for (int i = 0; i < 256; ++i)
            Factor[i] = i / 255.0f;
    }
    float Factor[256] = {};
};

inline constexpr cByteFactors BYTE_FACTORS;

// What stays the same over one primitive: its flat colour (from the first vertex) and texture.
class cShading
{
public:
    cShading(const cRasterState& State, const cRasterVertex& First) : mGouraud(State.Gouraud)
    {
        const float Z = First.InvZ > 0 ? 1.0f / First.InvZ : 0.0f;
        mFlat[0] = First.ROverZ * Z;
        mFlat[1] = First.GOverZ * Z;
        mFlat[2] = First.BOverZ * Z;
        mFlatColor = (ToByte(mFlat[0]) << 16) | (ToByte(mFlat[1]) << 8) | ToByte(mFlat[2]);
        // A texture whose pixels do not fill its stated size is drawn as no texture rather than
        // read outside its pixels.
        const cTexels* pTexture = State.pTexture;
        if (pTexture && pTexture->Width > 0 && pTexture->Height > 0 &&
            pTexture->Pixels.size() / static_cast<std::size_t>(pTexture->Width) >=
                static_cast<std::size_t>(pTexture->Height))
        {
            mTexels = pTexture->Pixels.data();
            mTexelsWide = pTexture->Width;
            mTexelsHigh = pTexture->Height;
        }
    }

    bool Gouraud() const { return mGouraud; }
    bool Textured() const { return mTexels != nullptr; }
    float Flat(int Channel) const { return mFlat[Channel]; }
    std::uint32_t FlatColor() const { return mFlatColor; }
    int TexelsWide() const { return mTexelsWide; }
    int TexelsHigh() const { return mTexelsHigh; }
    // X and Y as TexelIndex gives them.
    std::uint32_t Texel(int X, int Y) const { return mTexels[static_cast<std::size_t>(Y) * mTexelsWide + X]; }

    // Inlined into the fill loops so that the pixel's attributes stay in registers.
    template <bool GOURAUD, bool TEXTURED>
    [[gnu::always_inline]] std::uint32_t Shade(const cPixel& P) const
    {
        if (!GOURAUD && !TEXTURED)
            return mFlatColor;
        const float Z = 1.0f / P.InvZ;
        float R = mFlat[0], G = mFlat[1], B = mFlat[2];
        if (GOURAUD)
        {
            R = P.ROverZ * Z;
            G = P.GOverZ * Z;
            B = P.BOverZ * Z;
        }
        if (TEXTURED)
        {
            const int TX = TexelIndex(P.UOverZ * Z, mTexelsWide);
            const int TY = TexelIndex(P.VOverZ * Z, mTexelsHigh);
            const std::uint32_t Color = Texel(TX, TY);
            R *= BYTE_FACTORS.Factor[(Color >> 16) & 0xFF];
            G *= BYTE_FACTORS.Factor[(Color >> 8) & 0xFF];
            B *= BYTE_FACTORS.Factor[Color & 0xFF];
        }
        return (ToByte(R) << 16) | (ToByte(G) << 8) | ToByte(B);
    }

    std::uint32_t ShadeAny(const cPixel& P) const
    {
        if (mGouraud)
            return Textured() ? Shade<true, true>(P) : Shade<true, false>(P);
        return Textured() ? Shade<false, true>(P) : Shade<false, false>(P);
    }

private:
    bool mGouraud;
    float mFlat[3];
    std::uint32_t mFlatColor;
    const std::uint32_t* mTexels = nullptr;
    int mTexelsWide = 0;
    int mTexelsHigh = 0;
};
