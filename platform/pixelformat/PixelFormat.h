// The OpenGL window's pixel format and a logical palette entry as plain data: the renderer
// computes the request and the palette from them, and the windowing back ends realise them.
#pragma once

#include <cstdint>

constexpr std::uint32_t PFD_DOUBLEBUFFER = 0x01;
constexpr std::uint32_t PFD_DRAW_TO_WINDOW = 0x04;
constexpr std::uint32_t PFD_SUPPORT_OPENGL = 0x20;
constexpr std::uint32_t PFD_NEED_PALETTE = 0x80;
constexpr std::uint8_t PFD_TYPE_RGBA = 0;
constexpr std::uint8_t PFD_MAIN_PLANE = 0;

// A pixel format: every field a windowing back end needs to choose or describe one.
struct tPixelFormat
{
    std::uint16_t nSize = 40;
    std::uint16_t nVersion = 1;
    std::uint32_t dwFlags = 0;
    std::uint8_t iPixelType = PFD_TYPE_RGBA;
    std::uint8_t cColorBits = 0;
    std::uint8_t cRedBits = 0, cRedShift = 0;
    std::uint8_t cGreenBits = 0, cGreenShift = 0;
    std::uint8_t cBlueBits = 0, cBlueShift = 0;
    std::uint8_t cAlphaBits = 0, cAlphaShift = 0;
    std::uint8_t cAccumBits = 0, cAccumRedBits = 0, cAccumGreenBits = 0, cAccumBlueBits = 0,
                 cAccumAlphaBits = 0;
    std::uint8_t cDepthBits = 0;
    std::uint8_t cStencilBits = 0;
    std::uint8_t cAuxBuffers = 0;
    std::uint8_t iLayerType = PFD_MAIN_PLANE;
    std::uint8_t bReserved = 0;
    std::uint32_t dwLayerMask = 0, dwVisibleMask = 0, dwDamageMask = 0;
};
static_assert(sizeof(tPixelFormat) == 40, "the pixel format keeps its 40-byte layout");

struct tPaletteEntry
{
    std::uint8_t peRed, peGreen, peBlue, peFlags;
};
