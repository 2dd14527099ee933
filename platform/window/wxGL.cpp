// OpenGL on the main window: the canvas with the pixel format asked for, contexts, buffer swaps
// and the (direct-colour) palette calls of the wx back end.
#include <wx/glcanvas.h>

#include "platform/window/wxGLX.h"

#include "platform/window/wxMainFrame.h"
#include "platform/window/wxWindowSystem.h"

namespace
{
std::uint8_t ToByte(int Value)
{
    return static_cast<std::uint8_t>(Value < 0 ? 0 : (Value > 255 ? 255 : Value));
}
}  // namespace

bool cWxWindowSystem::MakeCanvas(const tPixelFormat& Request)
{
    wxGLAttributes Attributes;
    Attributes.PlatformDefaults().RGBA();
    // A window that is drawn every frame is always double buffered, whatever was asked.
    Attributes.DoubleBuffer();
    Attributes.Depth(Request.cDepthBits > 16 ? Request.cDepthBits : 16);
    if (Request.cStencilBits > 0)
        Attributes.Stencil(Request.cStencilBits);
    Attributes.EndList();
    if (!wxGLCanvas::IsDisplaySupported(Attributes))
        return false;
    mCanvas = new cWxCanvas(*this, mFrame, Attributes);
    mCanvas->RealizeNow();
    mFrame->SendSizeEvent();
    return mCanvas->GetXWindow() != 0;
}

bool cWxWindowSystem::SetPixelFormat(HWindow Window, const tPixelFormat& Request)
{
    // As with any window, the format is set once: later requests fail.
    if (!IsMain(Window) || mCanvas != nullptr)
        return false;
    if (Request.iPixelType != PFD_TYPE_RGBA)
        return false;
    return MakeCanvas(Request);
}

bool cWxWindowSystem::DescribePixelFormat(HWindow Window, tPixelFormat& Format)
{
    if (!IsMain(Window) || mCanvas == nullptr)
        return false;
    tGLXVisualBits Bits{};
    if (!DescribeGLXVisual(mCanvas->GetXVisualInfo(), Bits))
        return false;
    Format = tPixelFormat{};
    Format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (Bits.bDoubleBuffer)
        Format.dwFlags |= PFD_DOUBLEBUFFER;
    if (Bits.bColourIndexed)
        Format.dwFlags |= PFD_NEED_PALETTE;
    Format.iPixelType = PFD_TYPE_RGBA;
    Format.cRedBits = ToByte(Bits.RedBits);
    Format.cRedShift = ToByte(Bits.RedShift);
    Format.cGreenBits = ToByte(Bits.GreenBits);
    Format.cGreenShift = ToByte(Bits.GreenShift);
    Format.cBlueBits = ToByte(Bits.BlueBits);
    Format.cBlueShift = ToByte(Bits.BlueShift);
    Format.cColorBits = ToByte(Bits.RedBits + Bits.GreenBits + Bits.BlueBits);
    Format.cAlphaBits = ToByte(Bits.AlphaBits);
    Format.cAccumRedBits = ToByte(Bits.AccumRedBits);
    Format.cAccumGreenBits = ToByte(Bits.AccumGreenBits);
    Format.cAccumBlueBits = ToByte(Bits.AccumBlueBits);
    Format.cAccumAlphaBits = ToByte(Bits.AccumAlphaBits);
    Format.cAccumBits = ToByte(Bits.AccumRedBits + Bits.AccumGreenBits + Bits.AccumBlueBits +
                               Bits.AccumAlphaBits);
    Format.cDepthBits = ToByte(Bits.DepthBits);
    Format.cStencilBits = ToByte(Bits.StencilBits);
    Format.cAuxBuffers = ToByte(Bits.AuxBuffers);
    return true;
}

HGLContext cWxWindowSystem::CreateGLContext(HWindow Window)
{
    if (!IsMain(Window) || mCanvas == nullptr)
        return HGLContext::None;
    auto Context = std::make_unique<wxGLContext>(mCanvas);
    if (!Context->IsOK())
        return HGLContext::None;
    const std::uintptr_t Handle = mNextContext++;
    mContexts[Handle] = std::move(Context);
    return static_cast<HGLContext>(Handle);
}

bool cWxWindowSystem::MakeCurrent(HWindow Window, HGLContext Context)
{
    if (Context == HGLContext::None)
    {
        // Release whatever context is current on this thread.
        mCurrentContext = 0;
        return ReleaseCurrentGLXContext();
    }
    auto Found = mContexts.find(static_cast<std::uintptr_t>(Context));
    if (!IsMain(Window) || mCanvas == nullptr || Found == mContexts.end())
        return false;
    if (!Found->second->SetCurrent(*mCanvas))
        return false;
    mCurrentContext = Found->first;
    return true;
}

void cWxWindowSystem::DeleteGLContext(HGLContext Context)
{
    if (mCurrentContext == static_cast<std::uintptr_t>(Context))
        mCurrentContext = 0;
    mContexts.erase(static_cast<std::uintptr_t>(Context));
}

void cWxWindowSystem::SwapBuffers(HWindow Window)
{
    if (IsMain(Window) && !mDestroyed && mCanvas != nullptr)
    {
        CaptureBackBuffer();
        mCanvas->SwapBuffers();
    }
}

void cWxWindowSystem::ReleaseGL()
{
    if (!mContexts.empty() || mPresentContext)
        MakeCurrent(MAIN_WINDOW, HGLContext::None);
    mContexts.clear();
    mPresentContext.reset();
}

// The X display is direct colour here: palettes are kept (so their handles stay valid) but
// never realised.
HPalette cWxWindowSystem::CreatePalette(const tPaletteEntry* pEntries, int NumEntries)
{
    if (pEntries == nullptr || NumEntries <= 0)
        return HPalette::None;
    const std::uintptr_t Handle = mNextPalette++;
    mPalettes[Handle].assign(pEntries, pEntries + NumEntries);
    return static_cast<HPalette>(Handle);
}

void cWxWindowSystem::SelectPalette(HWindow, HPalette, bool)
{
}

int cWxWindowSystem::RealizePalette(HWindow)
{
    return 0;
}

void cWxWindowSystem::UpdateColors(HWindow)
{
}

void cWxWindowSystem::DeletePalette(HPalette Palette)
{
    mPalettes.erase(static_cast<std::uintptr_t>(Palette));
}
