// The pixel format the OpenGL window asks for, and the logical palette a palette-based format
// needs, computed as plain data so any windowing back end can realise it.
#pragma once

#include <cstdint>
#include <vector>

constexpr std::uint32_t PFD_DOUBLEBUFFER = 0x01;
constexpr std::uint32_t PFD_DRAW_TO_WINDOW = 0x04;
constexpr std::uint32_t PFD_SUPPORT_OPENGL = 0x20;
constexpr std::uint32_t PFD_NEED_PALETTE = 0x80;
constexpr std::uint8_t PFD_TYPE_RGBA = 0;
constexpr std::uint8_t PFD_MAIN_PLANE = 0;

// A pixel format: every field a windowing back end needs to choose or describe one.
struct PixelFormatDescriptor
{
    std::uint16_t nSize;
    std::uint16_t nVersion;
    std::uint32_t dwFlags;
    std::uint8_t iPixelType;
    std::uint8_t cColorBits;
    std::uint8_t cRedBits, cRedShift, cGreenBits, cGreenShift, cBlueBits, cBlueShift;
    std::uint8_t cAlphaBits, cAlphaShift;
    std::uint8_t cAccumBits, cAccumRedBits, cAccumGreenBits, cAccumBlueBits, cAccumAlphaBits;
    std::uint8_t cDepthBits;
    std::uint8_t cStencilBits;
    std::uint8_t cAuxBuffers;
    std::uint8_t iLayerType;
    std::uint8_t bReserved;
    std::uint32_t dwLayerMask, dwVisibleMask, dwDamageMask;
};
static_assert(sizeof(PixelFormatDescriptor) == 40, "descriptor keeps its 40-byte layout");

// What the window asks for: RGBA, double buffered, 16 colour bits, 16 depth bits.
extern const PixelFormatDescriptor GLPixelFormat;

struct PaletteEntry
{
    std::uint8_t peRed, peGreen, peBlue, peFlags;
};

// The logical palette for the format actually set: 2^cColorBits entries whose components
// spread each bit field over 0..255 (truncated). Empty when the format needs no palette.
std::vector<PaletteEntry> GLCreatePalette(const PixelFormatDescriptor& Format);
