// Scan conversion into a colour and depth buffer: triangles with perspective-correct texturing
// and flat or Gouraud colour, lines and points. Depth is kept as 1/z, larger is nearer.
#pragma once

#include <cstdint>
#include <vector>

// A 0x00RRGGBB image read with nearest-texel lookup and wrapping coordinates.
struct cTexels
{
    std::vector<std::uint32_t> Pixels;
    int Width = 0;
    int Height = 0;
};

// Screen position (pixels, y down) and attributes already divided by the depth z, so that
// they interpolate linearly across the screen.
struct cRasterVertex
{
    float X, Y;
    float InvZ;
    float UOverZ, VOverZ;
    float ROverZ, GOverZ, BOverZ;  // colour 0 ... 1
};

struct cRasterTarget
{
    std::uint32_t* pColor;
    float* pDepth;
    int Pitch;              // pixels per row of both buffers
    int Left, Top, Right, Bottom;  // drawing is limited to [Left, Right) x [Top, Bottom)
};

struct cRasterState
{
    const cTexels* pTexture;  // null: untextured
    bool Gouraud;             // false: the colour of vertex 0 for the whole primitive
    bool DepthTest;           // write a pixel only when nearer than the stored depth
};

// Covers the pixels whose centres lie inside the triangle, either winding; edges shared by two
// triangles are drawn once.
void RasterTriangle(const cRasterTarget& Target, const cRasterState& State, const cRasterVertex& A,
                    const cRasterVertex& B, const cRasterVertex& C);
void RasterLine(const cRasterTarget& Target, const cRasterState& State, const cRasterVertex& A,
                const cRasterVertex& B);
void RasterPoint(const cRasterTarget& Target, const cRasterState& State, const cRasterVertex& A);
