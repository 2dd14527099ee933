// The window's pixel format request and the logical palette of palette-based formats.
#include "render/GLPixelFormat.h"

const tPixelFormat GLPixelFormat = {
    40, 1, PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA,
    16,                  // colour bits
    0, 0, 0, 0, 0, 0,    // red, green, blue bits and shifts: any
    0, 0,                // no alpha
    0, 0, 0, 0, 0,       // no accumulation buffer
    16,                  // depth bits
    0, 0, PFD_MAIN_PLANE, 0,
    0, 0, 0};

namespace
{
// One component of palette index Index: its bit field spread over 0..255, truncated.
std::uint8_t Component(unsigned Index, unsigned Bits, unsigned Shift)
{
    // A component mask is an 8-bit value; a shift past the index's width leaves nothing.
    const unsigned Mask = (1u << (Bits > 8 ? 8 : Bits)) - 1u;
    if (Mask == 0 || Shift >= 32)
        return 0;
    return static_cast<std::uint8_t>(((Index >> Shift) & Mask) * 255.0 / Mask);
}
}

std::vector<tPaletteEntry> GLCreatePalette(const tPixelFormat& Format)
{
    std::vector<tPaletteEntry> Entries;
    // Palette-based formats have at most 8 colour bits; anything wider is not a palette.
    if (!(Format.dwFlags & PFD_NEED_PALETTE) || Format.cColorBits > 8)
        return Entries;
    const unsigned Count = 1u << Format.cColorBits;
    Entries.resize(Count);
    for (unsigned Index = 0; Index < Count; ++Index)
    {
        Entries[Index].peRed = Component(Index, Format.cRedBits, Format.cRedShift);
        Entries[Index].peGreen = Component(Index, Format.cGreenBits, Format.cGreenShift);
        Entries[Index].peBlue = Component(Index, Format.cBlueBits, Format.cBlueShift);
        Entries[Index].peFlags = 0;
    }
    return Entries;
}
