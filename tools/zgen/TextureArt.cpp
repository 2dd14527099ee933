// TextureArt: paints the generator's 256 x 256 palette textures: the figure's skin and
// cloth, and numbered check patterns for generic models.
#include "tools/zgen/GenParts.h"

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr int SIZE = GEN_TEXTURE_SIZE;

// Palettes are 16 ramps of 16 shades; index = Ramp * 16 + Shade, shade 15 the lightest.
enum eRamp
{
    R_GREY, R_SKIN, R_HAIR, R_RED, R_GREEN, R_GOLD, R_BLUE, R_BROWN, R_CYAN, R_STEEL, NUM_RAMPS
};

const std::uint8_t RAMP_COLOURS[NUM_RAMPS][3] = {
    {255, 255, 255}, {240, 190, 150}, {150, 95, 45}, {220, 40, 40}, {60, 160, 70},
    {250, 210, 60}, {60, 90, 200}, {140, 90, 50}, {120, 220, 240}, {190, 200, 215},
};

std::uint8_t Shade(int Ramp, int Level)
{
    return static_cast<std::uint8_t>(Ramp * 16 + std::clamp(Level, 0, 15));
}

std::vector<std::uint8_t> RampPalette(const std::uint8_t (*pColours)[3], int NumRamps)
{
    std::vector<std::uint8_t> Palette(768, 0);
    for (int r = 0; r < NumRamps; ++r)
        for (int s = 0; s < 16; ++s)
            for (int c = 0; c < 3; ++c)
                Palette[static_cast<std::size_t>((r * 16 + s) * 3 + c)] =
                    static_cast<std::uint8_t>(pColours[r][c] * (s + 4) / 19);
    return Palette;
}

class cCanvas
{
public:
    cCanvas() : mPixels(static_cast<std::size_t>(SIZE) * SIZE, 0) {}

    void Set(int X, int Y, std::uint8_t Index)
    {
        if (X >= 0 && X < SIZE && Y >= 0 && Y < SIZE)
            mPixels[static_cast<std::size_t>(Y) * SIZE + static_cast<std::size_t>(X)] = Index;
    }
    void Fill(int X0, int Y0, int X1, int Y1, std::uint8_t Index)
    {
        for (int y = Y0; y <= Y1; ++y)
            for (int x = X0; x <= X1; ++x)
                Set(x, y, Index);
    }
    // Ellipse centred at Cx, Cy with radii Rx, Ry.
    void Oval(int Cx, int Cy, int Rx, int Ry, std::uint8_t Index)
    {
        for (int y = -Ry; y <= Ry; ++y)
            for (int x = -Rx; x <= Rx; ++x)
                if (x * x * Ry * Ry + y * y * Rx * Rx <= Rx * Rx * Ry * Ry)
                    Set(Cx + x, Cy + y, Index);
    }
    std::vector<std::uint8_t> Take() { return std::move(mPixels); }

private:
    std::vector<std::uint8_t> mPixels;
};

void PaintFace(cCanvas& Canvas)
{
    // Skin darkening toward the chin, a hair band along the top edge.
    for (int y = 0; y < 128; ++y)
        Canvas.Fill(0, y, 127, y, Shade(R_SKIN, 13 - y / 32));
    for (int x = 0; x < 128; ++x)
        Canvas.Fill(x, 0, x, 20 + (x * 7 % 5), Shade(R_HAIR, 6 + (x / 3) % 4));
    for (int Side = 0; Side < 2; ++Side)
    {
        const int Cx = Side ? 88 : 40;
        Canvas.Fill(Cx - 14, 38, Cx + 14, 42, Shade(R_HAIR, 4));  // eyebrow
        Canvas.Oval(Cx, 54, 12, 7, Shade(R_GREY, 15));           // eye white
        Canvas.Oval(Cx, 54, 5, 5, Shade(R_BLUE, 6));             // iris
        Canvas.Oval(Cx, 54, 2, 2, Shade(R_GREY, 0));             // pupil
    }
    Canvas.Fill(60, 58, 67, 80, Shade(R_SKIN, 9));  // nose
    Canvas.Fill(56, 78, 71, 82, Shade(R_SKIN, 7));
    Canvas.Oval(64, 98, 20, 5, Shade(R_RED, 8));    // mouth
    Canvas.Fill(46, 98, 82, 98, Shade(R_RED, 4));
}

void PaintHair(cCanvas& Canvas)
{
    // Strands with a ragged lower end; index 0 between the strand tips is the masked colour.
    for (int x = 128; x < 256; ++x)
    {
        const int Strand = (x - 128) / 6;
        const int Tip = 96 + (Strand * 37) % 32;
        Canvas.Fill(x, 0, x, Tip, Shade(R_HAIR, 5 + (Strand % 3) * 3 + ((x % 6) == 0 ? -3 : 0)));
        Canvas.Fill(x, Tip + 1, x, 127, 0);
    }
}

void PaintHands(cCanvas& Canvas)
{
    for (int y = 128; y < 256; ++y)
        Canvas.Fill(0, y, 127, y, Shade(R_SKIN, 14 - (y - 128) / 32));
    // Back of the hand at the top of the area, four fingers below.
    Canvas.Fill(128, 128, 255, 255, Shade(R_SKIN, 12));
    for (int f = 0; f < 3; ++f)
        Canvas.Fill(159 + f * 32, 190, 160 + f * 32, 255, Shade(R_SKIN, 6));
    Canvas.Fill(128, 186, 255, 188, Shade(R_SKIN, 8));
}

void PaintTunic(cCanvas& Canvas)
{
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            Canvas.Set(x, y, Shade(R_GREEN, ((x / 16 + y / 16) % 2) ? 11 : 9));
    Canvas.Fill(0, 0, 127, 10, Shade(R_GREEN, 3));  // collar
    for (int y = -28; y <= 28; ++y)                 // emblem: a gold diamond
    {
        const int Half = 28 - std::abs(y);
        Canvas.Fill(64 - Half, 56 + y, 64 + Half, 56 + y, Shade(R_GOLD, 13 - std::abs(y) / 6));
    }
    // Stripes for the back and sleeves, with a belt along the bottom.
    for (int y = 0; y < 128; ++y)
        Canvas.Fill(128, y, 255, y, Shade(R_GREEN, (y / 8) % 2 ? 10 : 6));
    Canvas.Fill(128, 116, 255, 127, Shade(R_BROWN, 5));
    Canvas.Fill(184, 116, 199, 127, Shade(R_GOLD, 12));
}

void PaintLowerCloth(cCanvas& Canvas)
{
    for (int y = 128; y < 192; ++y)  // trousers: diagonal twill
        for (int x = 0; x < 128; ++x)
            Canvas.Set(x, y, Shade(R_BLUE, ((x + y) / 4) % 2 ? 8 : 6));
    for (int y = 192; y < 256; ++y)  // boots with a dark sole
        Canvas.Fill(0, y, 127, y, Shade(R_BROWN, y < 244 ? 9 - (y - 192) / 16 : 2));
    for (int y = 128; y < 256; ++y)  // cape: red, darker toward the hem, gold edges
    {
        Canvas.Fill(128, y, 191, y, Shade(R_RED, 12 - (y - 128) / 16));
        Canvas.Fill(128, y, 131, y, Shade(R_GOLD, 12));
        Canvas.Fill(188, y, 191, y, Shade(R_GOLD, 12));
    }
    for (int y = 128; y < 192; ++y)  // visor glass
        Canvas.Fill(192, y, 255, y, Shade(R_CYAN, 15 - (y - 128) / 8));
    for (int y = 192; y < 256; ++y)  // metal with a diagonal gleam
        for (int x = 192; x < 256; ++x)
            Canvas.Set(x, y, Shade(R_STEEL, std::abs((x - 192) - (y - 192)) < 4 ? 15 : 10 - (y - 192) / 16));
}
} // namespace

cTextureArt PaintSkin(const std::string& Name)
{
    cCanvas Canvas;
    PaintFace(Canvas);
    PaintHair(Canvas);
    PaintHands(Canvas);
    return {Name, Canvas.Take(), RampPalette(RAMP_COLOURS, NUM_RAMPS)};
}

cTextureArt PaintCloth(const std::string& Name)
{
    cCanvas Canvas;
    PaintTunic(Canvas);
    PaintLowerCloth(Canvas);
    return {Name, Canvas.Take(), RampPalette(RAMP_COLOURS, NUM_RAMPS)};
}

cTextureArt PaintGeneric(const std::string& Name, int TextureNum, std::uint32_t Seed)
{
    // Two ramps of seeded colours, the second the first's complement, plus white.
    cGenRandom Random(Seed * 31u + static_cast<std::uint32_t>(TextureNum) * 7919u + 1u);
    std::uint8_t Colours[3][3];
    for (int c = 0; c < 3; ++c)
    {
        Colours[0][c] = static_cast<std::uint8_t>(Random.Range(60, 255));
        Colours[1][c] = static_cast<std::uint8_t>(255 - Colours[0][c] / 2);
        Colours[2][c] = 255;
    }
    cCanvas Canvas;
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x)
            Canvas.Set(x, y, Shade((x / 32 + y / 32) % 2, 15 - y / 16));
    // TextureNum + 1 white marks along the top edge.
    for (int m = 0; m <= TextureNum; ++m)
        Canvas.Fill(8 + m * 24, 4, 23 + m * 24, 19, Shade(2, 15));
    return {Name, Canvas.Take(), RampPalette(Colours, 3)};
}
