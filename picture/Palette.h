// One palette for a whole animation, chosen from every picture's colours, and the mapping of
// pictures onto it. Pictures with no more colours than the palette holds keep every colour
// exactly; others get a median cut of the colours, refined by a few k-means passes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "picture/Picture.h"

struct tPaletteColour
{
    std::uint8_t R, G, B;
};

// Counts the covered (alpha 255) pixels' colours of every picture added, then chooses the
// palette.
class cColourCounter
{
public:
    cColourCounter();
    ~cColourCounter();
    void Add(const cRGBAPicture& Picture);
    // At most MaxColours (1..256) colours minimising the squared RGB error over every counted
    // pixel. Frees the counts.
    std::vector<tPaletteColour> ChoosePalette(int MaxColours);

private:
    std::vector<std::uint32_t> mCounts;   // per 24-bit colour
};

// Maps pictures onto a palette. Transparent (alpha 0) pixels get TransparentIndex.
class cPaletteMapper
{
public:
    cPaletteMapper(std::vector<tPaletteColour> Palette, int TransparentIndex);
    ~cPaletteMapper();
    // Indices of Picture's pixels, top row first: each colour's nearest palette entry, or,
    // with bDither, Floyd-Steinberg error diffusion within the covered pixels.
    std::vector<std::uint8_t> Map(const cRGBAPicture& Picture, bool bDither);
    // The nearest entry of a colour (squared RGB distance).
    int Nearest(int R, int G, int B) const;

private:
    std::vector<tPaletteColour> mPalette;
    std::vector<int> mByGreen;          // entry numbers ordered by green, for the search
    int mTransparentIndex;
    std::vector<std::int16_t> mCache;   // per 24-bit colour: nearest entry + 1, 0 unknown
};
