// Filling one row of a triangle's covered pixels: depth test, blending of the attributes and
// shading, four pixels at a time where the processor allows and one at a time otherwise, with
// the same result for every pixel either way.
#pragma once

#include "platform/rm/RasterShade.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// One triangle set up for filling: attributes at vertex 0 and their changes toward vertices 1
// and 2, blended by the edge values of those vertices times the reciprocal of the doubled area.
struct cTriangleSetup
{
    cPixel P0, D1, D2;
    float InvArea;
};

inline float Blend(float A, float DB, float DC, float L1, float L2)
{
    return A + L1 * DB + L2 * DC;
}

// One pixel with edge values W1 and W2. Depth is compared before anything else is blended, and
// only the attributes the shading reads are computed.
template <bool DEPTH_TEST, bool GOURAUD, bool TEXTURED>
[[gnu::always_inline]] inline void FillPixel(const cTriangleSetup& T, const cShading& Shading, std::uint32_t* pColor,
                                             float* pDepth, std::int64_t W1, std::int64_t W2)
{
    const float L1 = W1 * T.InvArea, L2 = W2 * T.InvArea;
    cPixel P = {};
    P.InvZ = Blend(T.P0.InvZ, T.D1.InvZ, T.D2.InvZ, L1, L2);
    if (DEPTH_TEST)
    {
        if (P.InvZ <= *pDepth)
            return;
        *pDepth = P.InvZ;
    }
    if (TEXTURED)
    {
        P.UOverZ = Blend(T.P0.UOverZ, T.D1.UOverZ, T.D2.UOverZ, L1, L2);
        P.VOverZ = Blend(T.P0.VOverZ, T.D1.VOverZ, T.D2.VOverZ, L1, L2);
    }
    if (GOURAUD)
    {
        P.ROverZ = Blend(T.P0.ROverZ, T.D1.ROverZ, T.D2.ROverZ, L1, L2);
        P.GOverZ = Blend(T.P0.GOverZ, T.D1.GOverZ, T.D2.GOverZ, L1, L2);
        P.BOverZ = Blend(T.P0.BOverZ, T.D1.BOverZ, T.D2.BOverZ, L1, L2);
    }
    *pColor = Shading.template Shade<GOURAUD, TEXTURED>(P);
}

#if defined(__SSE2__)
// Four-lane twins of the scalar steps. Each performs the same IEEE operations in the same
// order as its scalar counterpart, so every lane rounds exactly as the scalar code would.
namespace RasterLanes
{
// Edge values of four pixels as 64-bit integers, two to a register.
struct cEdgeLanes
{
    __m128i Low, High;
};

// The edge values of a span and four steps stay below 2^51 in size, where the conversion in
// ToFloat is exact.
inline bool FitsLanes(std::int64_t W, std::int64_t Step, int Count)
{
    const std::int64_t STEP_LIMIT = std::int64_t{1} << 46, VALUE_LIMIT = std::int64_t{1} << 49;
    if (Step <= -STEP_LIMIT || Step >= STEP_LIMIT || W <= -VALUE_LIMIT || W >= VALUE_LIMIT)
        return false;
    const std::int64_t Last = W + (Count - 1) * Step;
    return Last > -VALUE_LIMIT && Last < VALUE_LIMIT;
}

inline cEdgeLanes MakeLanes(std::int64_t W, std::int64_t Step)
{
    return {_mm_set_epi64x(W + Step, W), _mm_set_epi64x(W + 3 * Step, W + 2 * Step)};
}

inline void Advance(cEdgeLanes& Lanes, __m128i Step4)
{
    Lanes.Low = _mm_add_epi64(Lanes.Low, Step4);
    Lanes.High = _mm_add_epi64(Lanes.High, Step4);
}

// The lanes as floats, each rounded once from its exact value as the scalar conversion does:
// adding 2^52 + 2^51 to the integer's bits makes a double that is that much more than it.
inline __m128 ToFloat(const cEdgeLanes& Lanes)
{
    const __m128i MAGIC_BITS = _mm_set1_epi64x(0x4338000000000000);
    const __m128d MAGIC = _mm_castsi128_pd(MAGIC_BITS);
    const __m128d Low = _mm_sub_pd(_mm_castsi128_pd(_mm_add_epi64(Lanes.Low, MAGIC_BITS)), MAGIC);
    const __m128d High = _mm_sub_pd(_mm_castsi128_pd(_mm_add_epi64(Lanes.High, MAGIC_BITS)), MAGIC);
    return _mm_movelh_ps(_mm_cvtpd_ps(Low), _mm_cvtpd_ps(High));
}

inline __m128 Blend(float A, float DB, float DC, __m128 L1, __m128 L2)
{
    return _mm_add_ps(_mm_add_ps(_mm_set1_ps(A), _mm_mul_ps(L1, _mm_set1_ps(DB))), _mm_mul_ps(L2, _mm_set1_ps(DC)));
}

// As ToByte: MAXPS gives its second operand, 0, for a lane that is not a number.
inline __m128i ToByte(__m128 Value)
{
    const __m128 Scaled = _mm_add_ps(_mm_mul_ps(Value, _mm_set1_ps(255.0f)), _mm_set1_ps(0.5f));
    return _mm_cvttps_epi32(_mm_min_ps(_mm_max_ps(Scaled, _mm_setzero_ps()), _mm_set1_ps(255.0f)));
}

// As TexelIndex for coordinates below 2^23 in size; false when a lane is beyond that or not a
// number, which the scalar code handles.
inline bool TexelIndex(__m128 Coordinate, int Size, __m128i& Index)
{
    const __m128 Magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), Coordinate);
    if (_mm_movemask_ps(_mm_cmplt_ps(Magnitude, _mm_set1_ps(8388608.0f))) != 0xF)
        return false;
    const __m128 Truncated = _mm_cvtepi32_ps(_mm_cvttps_epi32(Coordinate));
    const __m128 Floor = _mm_sub_ps(Truncated, _mm_and_ps(_mm_cmpgt_ps(Truncated, Coordinate), _mm_set1_ps(1.0f)));
    const __m128 Fraction = _mm_sub_ps(Coordinate, Floor);
    const __m128i Scaled = _mm_cvttps_epi32(_mm_mul_ps(Fraction, _mm_set1_ps(static_cast<float>(Size))));
    const __m128i NotNegative = _mm_and_si128(Scaled, _mm_castps_si128(_mm_cmpge_ps(Fraction, _mm_setzero_ps())));
    Index = _mm_and_si128(NotNegative, _mm_cmplt_epi32(NotNegative, _mm_set1_epi32(Size)));
    return true;
}

// Texel channel / 255, as the scalar code's table holds it.
inline __m128 Factor(__m128i Texels, int Shift)
{
    const __m128i Channel = _mm_and_si128(_mm_srli_epi32(Texels, Shift), _mm_set1_epi32(0xFF));
    return _mm_div_ps(_mm_cvtepi32_ps(Channel), _mm_set1_ps(255.0f));
}

inline __m128i Select(__m128i Mask, __m128i IfSet, __m128i Otherwise)
{
    return _mm_or_si128(_mm_and_si128(Mask, IfSet), _mm_andnot_si128(Mask, Otherwise));
}

// Four pixels with edge values W1 and W2. Returns false, having written nothing, when a texture
// coordinate needs the scalar path.
template <bool DEPTH_TEST, bool GOURAUD, bool TEXTURED>
[[gnu::always_inline]] inline bool FillFour(const cTriangleSetup& T, const cShading& Shading, std::uint32_t* pColor,
                                            float* pDepth, const cEdgeLanes& W1, const cEdgeLanes& W2)
{
    const __m128 InvArea = _mm_set1_ps(T.InvArea);
    const __m128 L1 = _mm_mul_ps(ToFloat(W1), InvArea), L2 = _mm_mul_ps(ToFloat(W2), InvArea);
    const __m128 InvZ = Blend(T.P0.InvZ, T.D1.InvZ, T.D2.InvZ, L1, L2);
    __m128 Stored = _mm_setzero_ps(), Nearer = _mm_setzero_ps();
    if (DEPTH_TEST)
    {
        // Not (nearer or equal to the stored depth) is what the scalar test writes on.
        Stored = _mm_loadu_ps(pDepth);
        Nearer = _mm_cmpnle_ps(InvZ, Stored);
        if (_mm_movemask_ps(Nearer) == 0)
            return true;
    }
    __m128i Color = _mm_set1_epi32(static_cast<int>(Shading.FlatColor()));
    if (GOURAUD || TEXTURED)
    {
        const __m128 Z = _mm_div_ps(_mm_set1_ps(1.0f), InvZ);
        __m128 R = _mm_set1_ps(Shading.Flat(0)), G = _mm_set1_ps(Shading.Flat(1)), B = _mm_set1_ps(Shading.Flat(2));
        if (GOURAUD)
        {
            R = _mm_mul_ps(Blend(T.P0.ROverZ, T.D1.ROverZ, T.D2.ROverZ, L1, L2), Z);
            G = _mm_mul_ps(Blend(T.P0.GOverZ, T.D1.GOverZ, T.D2.GOverZ, L1, L2), Z);
            B = _mm_mul_ps(Blend(T.P0.BOverZ, T.D1.BOverZ, T.D2.BOverZ, L1, L2), Z);
        }
        if (TEXTURED)
        {
            __m128i TX, TY;
            if (!TexelIndex(_mm_mul_ps(Blend(T.P0.UOverZ, T.D1.UOverZ, T.D2.UOverZ, L1, L2), Z),
                            Shading.TexelsWide(), TX) ||
                !TexelIndex(_mm_mul_ps(Blend(T.P0.VOverZ, T.D1.VOverZ, T.D2.VOverZ, L1, L2), Z),
                            Shading.TexelsHigh(), TY))
                return false;
            alignas(16) std::int32_t X[4], Y[4];
            _mm_store_si128(reinterpret_cast<__m128i*>(X), TX);
            _mm_store_si128(reinterpret_cast<__m128i*>(Y), TY);
            const __m128i Texels = _mm_setr_epi32(
                static_cast<int>(Shading.Texel(X[0], Y[0])), static_cast<int>(Shading.Texel(X[1], Y[1])),
                static_cast<int>(Shading.Texel(X[2], Y[2])), static_cast<int>(Shading.Texel(X[3], Y[3])));
            R = _mm_mul_ps(R, Factor(Texels, 16));
            G = _mm_mul_ps(G, Factor(Texels, 8));
            B = _mm_mul_ps(B, Factor(Texels, 0));
        }
        Color = _mm_or_si128(_mm_or_si128(_mm_slli_epi32(ToByte(R), 16), _mm_slli_epi32(ToByte(G), 8)), ToByte(B));
    }
    if (DEPTH_TEST)
    {
        const __m128i Write = _mm_castps_si128(Nearer);
        _mm_storeu_ps(pDepth, _mm_or_ps(_mm_and_ps(Nearer, InvZ), _mm_andnot_ps(Nearer, Stored)));
        Color = Select(Write, Color, _mm_loadu_si128(reinterpret_cast<const __m128i*>(pColor)));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pColor), Color);
    return true;
}
}
#endif

// Fills Count pixels of one row from pColor and pDepth on; W1 and W2 are the edge values of the
// first pixel and step by Step1 and Step2 per pixel. The triangle and its shading are copied so
// that the compiler can keep them in registers across the stores into the buffers.
template <bool DEPTH_TEST, bool GOURAUD, bool TEXTURED>
void FillSpan(const cTriangleSetup& Triangle, const cShading& SharedShading, std::uint32_t* pColor, float* pDepth,
              int Count, std::int64_t W1, std::int64_t W2, std::int64_t Step1, std::int64_t Step2)
{
    const cTriangleSetup T = Triangle;
    const cShading Shading = SharedShading;
    int i = 0;
#if defined(__SSE2__)
    if (Count >= 4 && RasterLanes::FitsLanes(W1, Step1, Count) && RasterLanes::FitsLanes(W2, Step2, Count))
    {
        RasterLanes::cEdgeLanes Lanes1 = RasterLanes::MakeLanes(W1, Step1), Lanes2 = RasterLanes::MakeLanes(W2, Step2);
        const __m128i Step4x1 = _mm_set1_epi64x(4 * Step1), Step4x2 = _mm_set1_epi64x(4 * Step2);
        for (;; i += 4)
        {
            // The last four end at the span's end and may repeat pixels just filled: filling a
            // pixel again with the same values writes what is already there.
            if (i + 4 > Count)
            {
                i = Count - 4;
                Lanes1 = RasterLanes::MakeLanes(W1 + i * Step1, Step1);
                Lanes2 = RasterLanes::MakeLanes(W2 + i * Step2, Step2);
            }
            float* pDepthHere = DEPTH_TEST ? pDepth + i : nullptr;
            using RasterLanes::FillFour;
            if (!FillFour<DEPTH_TEST, GOURAUD, TEXTURED>(T, Shading, pColor + i, pDepthHere, Lanes1, Lanes2))
                for (int k = i; k < i + 4; ++k)
                    FillPixel<DEPTH_TEST, GOURAUD, TEXTURED>(T, Shading, pColor + k, DEPTH_TEST ? pDepth + k : nullptr,
                                                             W1 + k * Step1, W2 + k * Step2);
            if (i + 4 == Count)
                return;
            RasterLanes::Advance(Lanes1, Step4x1);
            RasterLanes::Advance(Lanes2, Step4x2);
        }
    }
#endif
    for (; i < Count; ++i)
        FillPixel<DEPTH_TEST, GOURAUD, TEXTURED>(T, Shading, pColor + i, DEPTH_TEST ? pDepth + i : nullptr,
                                                 W1 + i * Step1, W2 + i * Step2);
}
