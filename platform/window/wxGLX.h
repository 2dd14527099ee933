// The few GLX queries of the wx back end, behind a header free of X11's macros (X11 defines
// None, Bool and Status, which clash with the window interface's names).
#pragma once

// What the window's X visual offers, in bits per component.
struct tGLXVisualBits
{
    bool bDoubleBuffer;
    bool bColourIndexed;   // a palette-based visual
    int RedBits, RedShift, GreenBits, GreenShift, BlueBits, BlueShift;
    int AlphaBits, DepthBits, StencilBits, AuxBuffers;
    int AccumRedBits, AccumGreenBits, AccumBlueBits, AccumAlphaBits;
};

// Describes the visual (an XVisualInfo, as wxGLCanvas hands it out). False when it cannot.
bool DescribeGLXVisual(void* pVisualInfo, tGLXVisualBits& Bits);
// Leaves no context current on this thread. False when GLX refuses.
bool ReleaseCurrentGLXContext();
