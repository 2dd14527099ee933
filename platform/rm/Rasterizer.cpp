// Scan conversion into a colour and depth buffer: triangles with perspective-correct texturing
// and flat or Gouraud colour, lines and points.
#include "platform/rm/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
// Screen positions snap to 1/256 pixel so that coverage is decided in exact integers.
const int SUBPIXEL_BITS = 8;
const float SUBPIXEL_SCALE = 1 << SUBPIXEL_BITS;
// Callers clip to the view, so real positions are far inside this; beyond it the integer edge
// arithmetic could overflow, so such primitives are dropped.
const float MAX_COORDINATE = 1 << 20;

bool OnScreenScale(const cRasterVertex& V)
{
    return std::fabs(V.X) < MAX_COORDINATE && std::fabs(V.Y) < MAX_COORDINATE;
}

std::int64_t FloorDiv(std::int64_t Value, std::int64_t Divisor)
{
    return Value >= 0 ? Value / Divisor : -((-Value + Divisor - 1) / Divisor);
}

// Nearest texel of a repeating texture coordinate; any coordinate, even one that is not a
// number, gives an index inside the texture.
int TexelIndex(float Coordinate, int Size)
{
    const float Fraction = Coordinate - std::floor(Coordinate);
    const int Index = Fraction >= 0 ? static_cast<int>(Fraction * Size) : 0;
    return Index < Size ? Index : 0;
}

std::uint32_t ToByte(float Value)
{
    const float Scaled = Value * 255.0f + 0.5f;
    return !(Scaled > 0) ? 0 : Scaled >= 255.0f ? 255 : static_cast<std::uint32_t>(Scaled);
}

// Interpolated attributes of one pixel, still divided by z.
struct cPixel
{
    float InvZ, UOverZ, VOverZ, ROverZ, GOverZ, BOverZ;
};

class cShader
{
public:
    cShader(const cRasterTarget& Target, const cRasterState& State, const cRasterVertex& First)
        : mTarget(Target), mState(State)
    {
        // Flat colour comes from the first vertex.
        const float Z = First.InvZ > 0 ? 1.0f / First.InvZ : 0.0f;
        mFlat[0] = First.ROverZ * Z;
        mFlat[1] = First.GOverZ * Z;
        mFlat[2] = First.BOverZ * Z;
    }

    void Plot(int X, int Y, const cPixel& P) const
    {
        const std::size_t Index = static_cast<std::size_t>(Y) * mTarget.Pitch + X;
        if (mState.DepthTest)
        {
            if (P.InvZ <= mTarget.pDepth[Index])
                return;
            mTarget.pDepth[Index] = P.InvZ;
        }
        const float Z = 1.0f / P.InvZ;
        float R = mFlat[0], G = mFlat[1], B = mFlat[2];
        if (mState.Gouraud)
        {
            R = P.ROverZ * Z;
            G = P.GOverZ * Z;
            B = P.BOverZ * Z;
        }
        if (const cTexels* pTexture = mState.pTexture)
        {
            const int TX = TexelIndex(P.UOverZ * Z, pTexture->Width);
            const int TY = TexelIndex(P.VOverZ * Z, pTexture->Height);
            const std::uint32_t Texel = pTexture->Pixels[static_cast<std::size_t>(TY) * pTexture->Width + TX];
            R *= ((Texel >> 16) & 0xFF) / 255.0f;
            G *= ((Texel >> 8) & 0xFF) / 255.0f;
            B *= (Texel & 0xFF) / 255.0f;
        }
        mTarget.pColor[Index] = (ToByte(R) << 16) | (ToByte(G) << 8) | ToByte(B);
    }

    bool Inside(int X, int Y) const
    {
        return X >= mTarget.Left && X < mTarget.Right && Y >= mTarget.Top && Y < mTarget.Bottom;
    }

private:
    const cRasterTarget& mTarget;
    const cRasterState& mState;
    float mFlat[3];
};

cPixel Attributes(const cRasterVertex& V)
{
    return {V.InvZ, V.UOverZ, V.VOverZ, V.ROverZ, V.GOverZ, V.BOverZ};
}

cPixel Blend(const cPixel& A, const cPixel& DB, const cPixel& DC, float L1, float L2)
{
    return {A.InvZ + L1 * DB.InvZ + L2 * DC.InvZ,       A.UOverZ + L1 * DB.UOverZ + L2 * DC.UOverZ,
            A.VOverZ + L1 * DB.VOverZ + L2 * DC.VOverZ, A.ROverZ + L1 * DB.ROverZ + L2 * DC.ROverZ,
            A.GOverZ + L1 * DB.GOverZ + L2 * DC.GOverZ, A.BOverZ + L1 * DB.BOverZ + L2 * DC.BOverZ};
}

cPixel Difference(const cPixel& A, const cPixel& B)
{
    return {A.InvZ - B.InvZ,     A.UOverZ - B.UOverZ, A.VOverZ - B.VOverZ,
            A.ROverZ - B.ROverZ, A.GOverZ - B.GOverZ, A.BOverZ - B.BOverZ};
}

struct cEdge
{
    std::int64_t StepX, StepY, Row;
    std::int64_t Bias;  // 0 on top and left edges, -1 elsewhere: ties go to one triangle only
};

// Edge P -> Q, positive on the side where the third vertex lies.
cEdge MakeEdge(std::int64_t PX, std::int64_t PY, std::int64_t QX, std::int64_t QY, std::int64_t StartX,
               std::int64_t StartY)
{
    const std::int64_t DX = QX - PX, DY = QY - PY;
    cEdge Edge;
    Edge.StepX = -DY * (std::int64_t{1} << SUBPIXEL_BITS);
    Edge.StepY = DX * (std::int64_t{1} << SUBPIXEL_BITS);
    Edge.Row = DX * (StartY - PY) - DY * (StartX - PX);
    const bool TopLeft = DY < 0 || (DY == 0 && DX > 0);
    Edge.Bias = TopLeft ? 0 : -1;
    return Edge;
}
}

void RasterTriangle(const cRasterTarget& Target, const cRasterState& State, const cRasterVertex& A,
                    const cRasterVertex& B, const cRasterVertex& C)
{
    if (!OnScreenScale(A) || !OnScreenScale(B) || !OnScreenScale(C))
        return;
    const cRasterVertex* V[3] = {&A, &B, &C};
    std::int64_t X[3], Y[3];
    for (int i = 0; i < 3; ++i)
    {
        X[i] = std::llround(V[i]->X * SUBPIXEL_SCALE);
        Y[i] = std::llround(V[i]->Y * SUBPIXEL_SCALE);
    }
    std::int64_t Area = (X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]);
    if (Area == 0)
        return;
    if (Area < 0)
    {
        std::swap(V[1], V[2]);
        std::swap(X[1], X[2]);
        std::swap(Y[1], Y[2]);
        Area = -Area;
    }
    const std::int64_t One = 1 << SUBPIXEL_BITS;
    const int MinX = static_cast<int>(std::max<std::int64_t>(Target.Left, FloorDiv(std::min({X[0], X[1], X[2]}), One)));
    const int MaxX = static_cast<int>(std::min<std::int64_t>(Target.Right - 1, FloorDiv(std::max({X[0], X[1], X[2]}), One)));
    const int MinY = static_cast<int>(std::max<std::int64_t>(Target.Top, FloorDiv(std::min({Y[0], Y[1], Y[2]}), One)));
    const int MaxY = static_cast<int>(std::min<std::int64_t>(Target.Bottom - 1, FloorDiv(std::max({Y[0], Y[1], Y[2]}), One)));
    if (MinX > MaxX || MinY > MaxY)
        return;

    // Sample at pixel centres.
    const std::int64_t StartX = static_cast<std::int64_t>(MinX) * One + One / 2;
    const std::int64_t StartY = static_cast<std::int64_t>(MinY) * One + One / 2;
    cEdge E0 = MakeEdge(X[1], Y[1], X[2], Y[2], StartX, StartY);  // weight of vertex 0
    cEdge E1 = MakeEdge(X[2], Y[2], X[0], Y[0], StartX, StartY);  // weight of vertex 1
    cEdge E2 = MakeEdge(X[0], Y[0], X[1], Y[1], StartX, StartY);  // weight of vertex 2

    const cShader Shader(Target, State, A);
    const cPixel P0 = Attributes(*V[0]);
    const cPixel D1 = Difference(Attributes(*V[1]), P0);
    const cPixel D2 = Difference(Attributes(*V[2]), P0);
    const float InvArea = 1.0f / static_cast<float>(Area);

    for (int PY = MinY; PY <= MaxY; ++PY)
    {
        std::int64_t W0 = E0.Row, W1 = E1.Row, W2 = E2.Row;
        for (int PX = MinX; PX <= MaxX; ++PX)
        {
            if (W0 + E0.Bias >= 0 && W1 + E1.Bias >= 0 && W2 + E2.Bias >= 0)
                Shader.Plot(PX, PY, Blend(P0, D1, D2, W1 * InvArea, W2 * InvArea));
            W0 += E0.StepX;
            W1 += E1.StepX;
            W2 += E2.StepX;
        }
        E0.Row += E0.StepY;
        E1.Row += E1.StepY;
        E2.Row += E2.StepY;
    }
}

void RasterLine(const cRasterTarget& Target, const cRasterState& State, const cRasterVertex& A,
                const cRasterVertex& B)
{
    if (!OnScreenScale(A) || !OnScreenScale(B))
        return;
    const cShader Shader(Target, State, A);
    const float DX = B.X - A.X, DY = B.Y - A.Y;
    const int Steps = std::max(1, static_cast<int>(std::ceil(std::max(std::fabs(DX), std::fabs(DY)))));
    const cPixel P0 = Attributes(A);
    const cPixel D = Difference(Attributes(B), P0);
    const cPixel None = {};
    for (int i = 0; i <= Steps; ++i)
    {
        const float T = static_cast<float>(i) / Steps;
        const int PX = static_cast<int>(std::floor(A.X + DX * T));
        const int PY = static_cast<int>(std::floor(A.Y + DY * T));
        if (Shader.Inside(PX, PY))
            Shader.Plot(PX, PY, Blend(P0, D, None, T, 0));
    }
}

void RasterPoint(const cRasterTarget& Target, const cRasterState& State, const cRasterVertex& A)
{
    if (!OnScreenScale(A))
        return;
    const cShader Shader(Target, State, A);
    const int PX = static_cast<int>(std::floor(A.X));
    const int PY = static_cast<int>(std::floor(A.Y));
    if (Shader.Inside(PX, PY))
        Shader.Plot(PX, PY, Attributes(A));
}
