// cOffscreenGL: an OpenGL compatibility context on an EGL pbuffer of Mesa's surfaceless
// platform, so pictures can be drawn and read back without any display server.
#include "platform/offscreen/OffscreenGL.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>
#include <stdexcept>

struct cOffscreenGL::sImpl
{
    EGLDisplay Display = EGL_NO_DISPLAY;
    EGLConfig Config = nullptr;
    EGLContext Context = EGL_NO_CONTEXT;
    EGLSurface Surface = EGL_NO_SURFACE;
    int Width = 0;
    int Height = 0;

    void CreateSurface(int NewWidth, int NewHeight)
    {
        const EGLint Attribs[] = {EGL_WIDTH, NewWidth, EGL_HEIGHT, NewHeight, EGL_NONE};
        EGLSurface NewSurface = eglCreatePbufferSurface(Display, Config, Attribs);
        if (NewSurface == EGL_NO_SURFACE)
            throw std::runtime_error("cOffscreenGL: cannot create a pbuffer surface");
        if (!eglMakeCurrent(Display, NewSurface, NewSurface, Context))
        {
            eglDestroySurface(Display, NewSurface);
            throw std::runtime_error("cOffscreenGL: cannot make the context current");
        }
        if (Surface != EGL_NO_SURFACE)
            eglDestroySurface(Display, Surface);
        Surface = NewSurface;
        Width = NewWidth;
        Height = NewHeight;
    }

    void Release()
    {
        if (Display == EGL_NO_DISPLAY)
            return;
        eglMakeCurrent(Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (Surface != EGL_NO_SURFACE)
            eglDestroySurface(Display, Surface);
        if (Context != EGL_NO_CONTEXT)
            eglDestroyContext(Display, Context);
        // The surfaceless display is one per process and shared by every instance, so it
        // stays initialised; terminating it would pull it from under any other context.
        eglReleaseThread();
        Display = EGL_NO_DISPLAY;
    }
};

namespace
{
void CheckSize(int Width, int Height)
{
    if (Width <= 0 || Height <= 0 || Width > 16384 || Height > 16384)
        throw std::runtime_error("cOffscreenGL: size out of range");
}
}

cOffscreenGL::cOffscreenGL(int Width, int Height) : mImpl(new sImpl)
{
    CheckSize(Width, Height);
    auto GetPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!GetPlatformDisplay)
        throw std::runtime_error("cOffscreenGL: eglGetPlatformDisplayEXT is missing");
    sImpl& Impl = *mImpl;
    Impl.Display = GetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (Impl.Display == EGL_NO_DISPLAY || !eglInitialize(Impl.Display, nullptr, nullptr))
    {
        Impl.Display = EGL_NO_DISPLAY;
        throw std::runtime_error("cOffscreenGL: no surfaceless EGL display");
    }
    try
    {
        if (!eglBindAPI(EGL_OPENGL_API))
            throw std::runtime_error("cOffscreenGL: desktop OpenGL is not available");
        // The window's request: RGBA with at least 16 depth bits.
        const EGLint ConfigAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                                        EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                        EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                                        EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 16, EGL_NONE};
        EGLint NumConfigs = 0;
        if (!eglChooseConfig(Impl.Display, ConfigAttribs, &Impl.Config, 1, &NumConfigs) ||
            NumConfigs < 1)
            throw std::runtime_error("cOffscreenGL: no RGBA pbuffer configuration with depth");
        const EGLint ContextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                         EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        Impl.Context = eglCreateContext(Impl.Display, Impl.Config, EGL_NO_CONTEXT, ContextAttribs);
        if (Impl.Context == EGL_NO_CONTEXT)
            throw std::runtime_error("cOffscreenGL: cannot create a compatibility context");
        Impl.CreateSurface(Width, Height);
    }
    catch (...)
    {
        Impl.Release();
        throw;
    }
}

cOffscreenGL::~cOffscreenGL()
{
    mImpl->Release();
}

bool cOffscreenGL::MakeCurrent()
{
    return eglMakeCurrent(mImpl->Display, mImpl->Surface, mImpl->Surface, mImpl->Context) ==
           EGL_TRUE;
}

void cOffscreenGL::Resize(int Width, int Height)
{
    CheckSize(Width, Height);
    if (Width == mImpl->Width && Height == mImpl->Height)
        return;
    mImpl->CreateSurface(Width, Height);
}

int cOffscreenGL::GetWidth() const
{
    return mImpl->Width;
}

int cOffscreenGL::GetHeight() const
{
    return mImpl->Height;
}

std::vector<std::uint8_t> cOffscreenGL::ReadRGB() const
{
    const int Width = mImpl->Width;
    const int Height = mImpl->Height;
    const std::size_t RowBytes = static_cast<std::size_t>(Width) * 3;
    std::vector<std::uint8_t> Bottom(RowBytes * Height);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, Bottom.data());
    // OpenGL reads bottom row first; callers want the top row first.
    std::vector<std::uint8_t> Top(Bottom.size());
    for (int Row = 0; Row < Height; ++Row)
        std::memcpy(&Top[RowBytes * Row], &Bottom[RowBytes * (Height - 1 - Row)], RowBytes);
    return Top;
}

std::string cOffscreenGL::GetRendererString() const
{
    const GLubyte* pText = glGetString(GL_RENDERER);
    return pText ? reinterpret_cast<const char*>(pText) : "";
}

void cOffscreenGL::SwapBuffers()
{
    eglSwapBuffers(mImpl->Display, mImpl->Surface);
    glFinish();
}
