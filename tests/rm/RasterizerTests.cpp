// The rasterizer's triangles against a pixel-by-pixel evaluation of the same rules, bit for bit,
// and the coverage of triangles that share edges.
#include "platform/rm/Rasterizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace
{
const int WIDTH = 67, HEIGHT = 53, PITCH = 70;
const std::uint32_t BACKGROUND = 0x00102030;

struct cBuffers
{
    std::vector<std::uint32_t> Color = std::vector<std::uint32_t>(PITCH * HEIGHT, BACKGROUND);
    std::vector<float> Depth = std::vector<float>(PITCH * HEIGHT, 0.0f);
    // Drawing is limited to a rectangle inside the buffers.
    cRasterTarget Target() { return {Color.data(), Depth.data(), PITCH, 3, 2, WIDTH - 3, HEIGHT - 4}; }
};

std::uint32_t ReferenceByte(float Value)
{
    const float Scaled = Value * 255.0f + 0.5f;
    return !(Scaled > 0) ? 0 : Scaled >= 255.0f ? 255 : static_cast<std::uint32_t>(Scaled);
}

int ReferenceTexel(float Coordinate, int Size)
{
    const float Fraction = Coordinate - std::floor(Coordinate);
    const int Index = Fraction >= 0 ? static_cast<int>(Fraction * Size) : 0;
    return Index < Size ? Index : 0;
}

// Every pixel of the target on its own: the edge values at its centre from the snapped
// vertices, the top-left rule, attributes blended by edge value / doubled area, then shading.
void ReferenceTriangle(const cRasterTarget& Target, const cRasterState& State, const cRasterVertex& A,
                       const cRasterVertex& B, const cRasterVertex& C)
{
    const cRasterVertex* V[3] = {&A, &B, &C};
    std::int64_t X[3], Y[3];
    for (int i = 0; i < 3; ++i)
    {
        if (!(std::fabs(V[i]->X) < (1 << 20) && std::fabs(V[i]->Y) < (1 << 20)))
            return;
        X[i] = std::llround(V[i]->X * 256.0f);
        Y[i] = std::llround(V[i]->Y * 256.0f);
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
    const float InvArea = 1.0f / static_cast<float>(Area);
    const float FlatZ = A.InvZ > 0 ? 1.0f / A.InvZ : 0.0f;
    auto Attribute = [&](float cRasterVertex::*Field, float L1, float L2) {
        return V[0]->*Field + L1 * (V[1]->*Field - V[0]->*Field) + L2 * (V[2]->*Field - V[0]->*Field);
    };
    for (int PY = Target.Top; PY < Target.Bottom; ++PY)
        for (int PX = Target.Left; PX < Target.Right; ++PX)
        {
            std::int64_t W[3];
            bool Covered = true;
            for (int i = 0; i < 3; ++i)
            {
                const int P = (i + 1) % 3, Q = (i + 2) % 3;
                const std::int64_t DX = X[Q] - X[P], DY = Y[Q] - Y[P];
                W[i] = DX * (PY * 256 + 128 - Y[P]) - DY * (PX * 256 + 128 - X[P]);
                Covered = Covered && W[i] + (DY < 0 || (DY == 0 && DX > 0) ? 0 : -1) >= 0;
            }
            if (!Covered)
                continue;
            const float L1 = W[1] * InvArea, L2 = W[2] * InvArea;
            const std::size_t Index = static_cast<std::size_t>(PY) * Target.Pitch + PX;
            const float InvZ = Attribute(&cRasterVertex::InvZ, L1, L2);
            if (State.DepthTest && InvZ <= Target.pDepth[Index])
                continue;
            if (State.DepthTest)
                Target.pDepth[Index] = InvZ;
            const float Z = 1.0f / InvZ;
            float R = A.ROverZ * FlatZ, G = A.GOverZ * FlatZ, Bl = A.BOverZ * FlatZ;
            if (State.Gouraud)
            {
                R = Attribute(&cRasterVertex::ROverZ, L1, L2) * Z;
                G = Attribute(&cRasterVertex::GOverZ, L1, L2) * Z;
                Bl = Attribute(&cRasterVertex::BOverZ, L1, L2) * Z;
            }
            if (const cTexels* pTexture = State.pTexture)
            {
                const int TX = ReferenceTexel(Attribute(&cRasterVertex::UOverZ, L1, L2) * Z, pTexture->Width);
                const int TY = ReferenceTexel(Attribute(&cRasterVertex::VOverZ, L1, L2) * Z, pTexture->Height);
                const std::uint32_t Texel = pTexture->Pixels.at(static_cast<std::size_t>(TY) * pTexture->Width + TX);
                R *= ((Texel >> 16) & 0xFF) / 255.0f;
                G *= ((Texel >> 8) & 0xFF) / 255.0f;
                Bl *= (Texel & 0xFF) / 255.0f;
            }
            Target.pColor[Index] = (ReferenceByte(R) << 16) | (ReferenceByte(G) << 8) | ReferenceByte(Bl);
        }
}

cRasterVertex RandomVertex(std::mt19937& Random, float Spread, float TextureRange)
{
    std::uniform_real_distribution<float> Position(-Spread, Spread), Depth(0.05f, 2.0f), Colour(-0.2f, 1.3f),
        Texture(-TextureRange, TextureRange);
    const float InvZ = Depth(Random);
    return {WIDTH / 2 + Position(Random), HEIGHT / 2 + Position(Random), InvZ,  Texture(Random) * InvZ,
            Texture(Random) * InvZ,       Colour(Random) * InvZ,          Colour(Random) * InvZ, Colour(Random) * InvZ};
}
}

// Small, screen-sized and enormous triangles (whose edge values exceed what the four-pixel path
// takes), texture coordinates that wrap, that are too large to wrap exactly and that are not
// numbers, in every combination of depth test, Gouraud colour and texture, drawn over each other.
TEST(RMRasterizer, TrianglesMatchAPixelByPixelEvaluation)
{
    cTexels Texture;
    Texture.Width = 5;
    Texture.Height = 3;
    for (int i = 0; i < Texture.Width * Texture.Height; ++i)
        Texture.Pixels.push_back(static_cast<std::uint32_t>(i) * 0x00112F4Bu);
    std::mt19937 Random(12345);
    const float SPREADS[] = {3.0f, 40.0f, 600000.0f};
    const float TEXTURE_RANGES[] = {1.0f, 4.0f, 1e10f};
    for (int Mode = 0; Mode < 8; ++Mode)
    {
        const cRasterState State = {Mode & 1 ? &Texture : nullptr, (Mode & 2) != 0, (Mode & 4) != 0};
        cBuffers Fast, Reference;
        for (int i = 0; i < 300; ++i)
        {
            const float Spread = SPREADS[i % 3], TextureRange = TEXTURE_RANGES[(i / 3) % 3];
            cRasterVertex V[3];
            for (cRasterVertex& Vertex : V)
                Vertex = RandomVertex(Random, Spread, TextureRange);
            if (i % 17 == 0)
                V[1].UOverZ = std::numeric_limits<float>::quiet_NaN();
            if (i % 19 == 0)
                V[2].VOverZ = std::numeric_limits<float>::infinity();
            RasterTriangle(Fast.Target(), State, V[0], V[1], V[2]);
            ReferenceTriangle(Reference.Target(), State, V[0], V[1], V[2]);
        }
        EXPECT_EQ(Fast.Color, Reference.Color) << "mode " << Mode;
        EXPECT_EQ(std::memcmp(Fast.Depth.data(), Reference.Depth.data(), Fast.Depth.size() * sizeof(float)), 0)
            << "mode " << Mode;
    }
}

// A fan of eight triangles covers each pixel of its square exactly once. The spokes run through
// pixel centres (the hub is one, the others lie on the diagonals and the axes) while the square's
// sides miss them, so only the rule for shared edges decides those pixels.
TEST(RMRasterizer, TrianglesSharingEdgesCoverEachPixelOnce)
{
    const float CX = 30.5f, CY = 24.5f, HALF = 14.2f;
    const float Rim[8][2] = {{CX - HALF, CY - HALF}, {CX, CY - HALF}, {CX + HALF, CY - HALF}, {CX + HALF, CY},
                             {CX + HALF, CY + HALF}, {CX, CY + HALF}, {CX - HALF, CY + HALF}, {CX - HALF, CY}};
    std::vector<int> Count(PITCH * HEIGHT, 0);
    for (int i = 0; i < 8; ++i)
    {
        cBuffers Buffers;
        const cRasterVertex Hub = {CX, CY, 1, 0, 0, 1, 1, 1};
        const cRasterVertex P = {Rim[i][0], Rim[i][1], 1, 0, 0, 1, 1, 1};
        const cRasterVertex Q = {Rim[(i + 1) % 8][0], Rim[(i + 1) % 8][1], 1, 0, 0, 1, 1, 1};
        RasterTriangle(Buffers.Target(), {nullptr, false, false}, Hub, P, Q);
        for (std::size_t k = 0; k < Count.size(); ++k)
            Count[k] += Buffers.Color[k] != BACKGROUND;
    }
    for (int Y = 0; Y < HEIGHT; ++Y)
        for (int X = 0; X < PITCH; ++X)
        {
            const bool Inside = std::fabs(X + 0.5f - CX) < HALF && std::fabs(Y + 0.5f - CY) < HALF;
            EXPECT_EQ(Count[Y * PITCH + X], Inside ? 1 : 0) << X << "," << Y;
        }
}

// A texture whose pixels fall short of its stated size is not read: the triangle is drawn in its
// flat colour alone.
TEST(RMRasterizer, ATextureSmallerThanItsSizeIsNotRead)
{
    cTexels Short;
    Short.Width = 64;
    Short.Height = 64;
    Short.Pixels.assign(5, 0);
    cBuffers Buffers;
    const cRasterVertex A = {5, 5, 1, 0.9f, 0.9f, 1, 0.5f, 0}, B = {60, 5, 1, 0.9f, 0.9f, 1, 0.5f, 0},
                        C = {5, 45, 1, 0.9f, 0.9f, 1, 0.5f, 0};
    RasterTriangle(Buffers.Target(), {&Short, true, true}, A, B, C);
    EXPECT_EQ(Buffers.Color[10 * PITCH + 10], 0x00FF8000u);
}
