// GLX queries of the wx back end: the window visual's bits and releasing the current context.
#include "platform/window/wxGLX.h"

#include <GL/glx.h>

#include <wx/utils.h>

namespace
{
int CountBits(unsigned long Mask)
{
    int Bits = 0;
    for (; Mask != 0; Mask >>= 1)
        Bits += static_cast<int>(Mask & 1u);
    return Bits;
}

int LowestBit(unsigned long Mask)
{
    if (Mask == 0)
        return 0;
    int Shift = 0;
    for (; (Mask & 1u) == 0; Mask >>= 1)
        ++Shift;
    return Shift;
}
}  // namespace

bool DescribeGLXVisual(void* pVisualInfo, tGLXVisualBits& Bits)
{
    auto* pVisual = static_cast<XVisualInfo*>(pVisualInfo);
    Display* pDisplay = wxGetX11Display();
    if (pVisual == nullptr || pDisplay == nullptr)
        return false;
    auto Query = [&](int Attribute) {
        int Value = 0;
        return glXGetConfig(pDisplay, pVisual, Attribute, &Value) == 0 ? Value : 0;
    };
    Bits.bDoubleBuffer = Query(GLX_DOUBLEBUFFER) != 0;
    Bits.bColourIndexed = pVisual->c_class == PseudoColor || pVisual->c_class == StaticColor ||
                          pVisual->c_class == GrayScale || pVisual->c_class == StaticGray;
    Bits.RedBits = CountBits(pVisual->red_mask);
    Bits.RedShift = LowestBit(pVisual->red_mask);
    Bits.GreenBits = CountBits(pVisual->green_mask);
    Bits.GreenShift = LowestBit(pVisual->green_mask);
    Bits.BlueBits = CountBits(pVisual->blue_mask);
    Bits.BlueShift = LowestBit(pVisual->blue_mask);
    Bits.AlphaBits = Query(GLX_ALPHA_SIZE);
    Bits.DepthBits = Query(GLX_DEPTH_SIZE);
    Bits.StencilBits = Query(GLX_STENCIL_SIZE);
    Bits.AuxBuffers = Query(GLX_AUX_BUFFERS);
    Bits.AccumRedBits = Query(GLX_ACCUM_RED_SIZE);
    Bits.AccumGreenBits = Query(GLX_ACCUM_GREEN_SIZE);
    Bits.AccumBlueBits = Query(GLX_ACCUM_BLUE_SIZE);
    Bits.AccumAlphaBits = Query(GLX_ACCUM_ALPHA_SIZE);
    return true;
}

bool ReleaseCurrentGLXContext()
{
    Display* pDisplay = glXGetCurrentDisplay();
    return pDisplay == nullptr || glXMakeCurrent(pDisplay, None, nullptr);
}
