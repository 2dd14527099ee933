// Scan conversion into a colour and depth buffer: triangles with perspective-correct texturing
// and flat or Gouraud colour, lines and points.
#include "platform/rm/Rasterizer.h"

#include "platform/rm/RasterSpan.h"

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

bool Inside(const cRasterTarget& Target, int X, int Y)
{
    return X >= Target.Left && X < Target.Right && Y >= Target.Top && Y < Target.Bottom;
}

void PlotAny(const cRasterTarget& Target, const cShading& Shading, bool DepthTest, int X, int Y, const cPixel& P)
{
    const std::size_t Index = static_cast<std::size_t>(Y) * Target.Pitch + X;
    if (DepthTest)
    {
        if (P.InvZ <= Target.pDepth[Index])
            return;
        Target.pDepth[Index] = P.InvZ;
    }
    Target.pColor[Index] = Shading.ShadeAny(P);
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

// Narrows [First, Last], columns counted from the start of the row, to those where the edge
// covers the pixel: Row + Bias + Column * StepX >= 0. The value is linear in the column, so the
// covered columns are one run, found with one division instead of a test per pixel.
void NarrowToEdge(const cEdge& Edge, std::int64_t& First, std::int64_t& Last)
{
    const std::int64_t Value = Edge.Row + Edge.Bias;
    if (Edge.StepX > 0)
    {
        if (Value < 0)
            First = std::max(First, -FloorDiv(Value, Edge.StepX));
    }
    else if (Edge.StepX < 0)
    {
        Last = Value < 0 ? -1 : std::min(Last, Value / -Edge.StepX);
    }
    else if (Value < 0)
    {
        Last = -1;
    }
}

using cFillSpan = void (*)(const cTriangleSetup&, const cShading&, std::uint32_t*, float*, int, std::int64_t,
                           std::int64_t, std::int64_t, std::int64_t);

cFillSpan ChooseFillSpan(bool DepthTest, bool Gouraud, bool Textured)
{
    static const cFillSpan FILLS[8] = {
        FillSpan<false, false, false>, FillSpan<false, false, true>, FillSpan<false, true, false>,
        FillSpan<false, true, true>,   FillSpan<true, false, false>, FillSpan<true, false, true>,
        FillSpan<true, true, false>,   FillSpan<true, true, true>};
    return FILLS[(DepthTest ? 4 : 0) + (Gouraud ? 2 : 0) + (Textured ? 1 : 0)];
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

    const cShading Shading(State, A);
    const cPixel P0 = Attributes(*V[0]);
    const cTriangleSetup Triangle = {P0, Difference(Attributes(*V[1]), P0), Difference(Attributes(*V[2]), P0),
                                1.0f / static_cast<float>(Area)};
    const cFillSpan Fill = ChooseFillSpan(State.DepthTest, Shading.Gouraud(), Shading.Textured());

    for (int PY = MinY; PY <= MaxY; ++PY)
    {
        std::int64_t First = 0, Last = MaxX - MinX;
        NarrowToEdge(E0, First, Last);
        NarrowToEdge(E1, First, Last);
        NarrowToEdge(E2, First, Last);
        if (First <= Last)
        {
            const std::size_t Index = static_cast<std::size_t>(PY) * Target.Pitch + MinX + First;
            Fill(Triangle, Shading, Target.pColor + Index, State.DepthTest ? Target.pDepth + Index : nullptr,
                 static_cast<int>(Last - First + 1), E1.Row + First * E1.StepX, E2.Row + First * E2.StepX, E1.StepX,
                 E2.StepX);
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
    const cShading Shading(State, A);
    const float DX = B.X - A.X, DY = B.Y - A.Y;
    const int Steps = std::max(1, static_cast<int>(std::ceil(std::max(std::fabs(DX), std::fabs(DY)))));
    const cPixel P0 = Attributes(A);
    const cPixel D = Difference(Attributes(B), P0);
    for (int i = 0; i <= Steps; ++i)
    {
        const float T = static_cast<float>(i) / Steps;
        const int PX = static_cast<int>(std::floor(A.X + DX * T));
        const int PY = static_cast<int>(std::floor(A.Y + DY * T));
        if (Inside(Target, PX, PY))
            PlotAny(Target, Shading, State.DepthTest, PX, PY,
                    {Blend(P0.InvZ, D.InvZ, 0, T, 0), Blend(P0.UOverZ, D.UOverZ, 0, T, 0),
                     Blend(P0.VOverZ, D.VOverZ, 0, T, 0), Blend(P0.ROverZ, D.ROverZ, 0, T, 0),
                     Blend(P0.GOverZ, D.GOverZ, 0, T, 0), Blend(P0.BOverZ, D.BOverZ, 0, T, 0)});
    }
}

void RasterPoint(const cRasterTarget& Target, const cRasterState& State, const cRasterVertex& A)
{
    if (!OnScreenScale(A))
        return;
    const cShading Shading(State, A);
    const int PX = static_cast<int>(std::floor(A.X));
    const int PY = static_cast<int>(std::floor(A.Y));
    if (Inside(Target, PX, PY))
        PlotAny(Target, Shading, State.DepthTest, PX, PY, Attributes(A));
}
