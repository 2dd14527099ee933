// The pixel format the OpenGL window asks for, and the logical palette a palette-based format
// needs, computed as plain data so any windowing back end can realise it.
#pragma once

#include <vector>

#include "platform/pixelformat/PixelFormat.h"

// What the window asks for: RGBA, double buffered, 16 colour bits, 16 depth bits.
extern const tPixelFormat GLPixelFormat;

// The logical palette for the format actually set: 2^cColorBits entries whose components
// spread each bit field over 0..255 (truncated). Empty when the format needs no palette.
std::vector<tPaletteEntry> GLCreatePalette(const tPixelFormat& Format);
