// Pictures a program draws itself, shown on the GL canvas: the display's depth, the canvas's size
// in framebuffer pixels, and presenting a finished picture through OpenGL (a client DC draws
// nothing on a GL canvas under GTK 3).
#include <wx/gdicmn.h>
#include <wx/glcanvas.h>

#include "platform/window/wxGLX.h"

#include "platform/window/wxMainFrame.h"
#include "platform/window/wxWindowSystem.h"

namespace
{
// Sets up a pixel-exact drawing space over the whole framebuffer; the caller has saved every
// state changed here.
void PrepareState(int FramebufferWidth, int FramebufferHeight)
{
    const GLenum MATRICES[] = {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW};
    for (GLenum Matrix : MATRICES)
    {
        glMatrixMode(Matrix);
        glPushMatrix();
        glLoadIdentity();
    }
    glViewport(0, 0, FramebufferWidth, FramebufferHeight);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0.0, FramebufferWidth, 0.0, FramebufferHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);

    const GLenum OFF[] = {GL_DEPTH_TEST, GL_LIGHTING,     GL_TEXTURE_2D,   GL_CULL_FACE,
                          GL_BLEND,      GL_ALPHA_TEST,   GL_FOG,          GL_SCISSOR_TEST,
                          GL_STENCIL_TEST, GL_COLOR_LOGIC_OP, GL_INDEX_LOGIC_OP, GL_DITHER};
    for (GLenum Capability : OFF)
        glDisable(Capability);
    glPixelTransferi(GL_MAP_COLOR, GL_FALSE);
    glDrawBuffer(GL_BACK);

    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}
}  // namespace

int cWxWindowSystem::GetDisplayBitsPerPixel(HWindow)
{
    return wxDisplayDepth();
}

void cWxWindowSystem::GetClientSize(HWindow Window, int& Width, int& Height)
{
    Width = Height = 0;
    if (!IsMain(Window) || mDestroyed || mCanvas == nullptr)
        return;
    const wxSize Pixels = mCanvas->ToPixels(mCanvas->GetClientSize());
    Width = Pixels.GetWidth();
    Height = Pixels.GetHeight();
}

void cWxWindowSystem::PresentPicture(HWindow Window, const std::uint32_t* XRGB, int Width,
                                     int Height)
{
    if (!IsMain(Window) || mDestroyed || mCanvas == nullptr || XRGB == nullptr || Width <= 0 ||
        Height <= 0)
        return;
    // The program's own context when one is current (its state is saved around the drawing);
    // otherwise a context of the back end's, released again afterwards.
    auto Found = mContexts.find(mCurrentContext);
    wxGLContext* pContext = Found != mContexts.end() ? Found->second.get() : nullptr;
    if (pContext == nullptr)
    {
        if (!mPresentContext)
            mPresentContext = std::make_unique<wxGLContext>(mCanvas);
        pContext = mPresentContext.get();
    }
    if (!pContext->IsOK() || !pContext->SetCurrent(*mCanvas))
        return;

    int FramebufferWidth = 0, FramebufferHeight = 0;
    GetClientSize(Window, FramebufferWidth, FramebufferHeight);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    PrepareState(FramebufferWidth, FramebufferHeight);

    // Black everywhere the picture does not cover; alpha stays opaque so that a compositor
    // never shows the window through.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    // Top row first: start at the top-left corner (moved there by an empty bitmap, which needs
    // no valid raster position beyond the first) and draw downwards.
    glRasterPos2i(0, 0);
    glBitmap(0, 0, 0.0f, 0.0f, 0.0f, static_cast<GLfloat>(FramebufferHeight), nullptr);
    glPixelZoom(1.0f, -1.0f);
    // 0x00RRGGBB words read as B,G,R,X components whatever the byte order.
    glDrawPixels(Width, Height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, XRGB);

    const GLenum MATRICES[] = {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW};
    for (GLenum Matrix : MATRICES)
    {
        glMatrixMode(Matrix);
        glPopMatrix();
    }
    glPopClientAttrib();
    glPopAttrib();
    CaptureBackBuffer();
    mCanvas->SwapBuffers();
    if (pContext == mPresentContext.get())
        ReleaseCurrentGLXContext();
}
