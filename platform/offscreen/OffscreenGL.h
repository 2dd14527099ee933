// cOffscreenGL: an OpenGL compatibility context rendering into memory (EGL on Mesa's
// surfaceless platform), for tests, the command-line renderer and the headless window back end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cOffscreenGL
{
public:
    // Creates the context with an RGBA colour buffer and at least 16 depth bits, Width x
    // Height pixels, and makes it current. Throws std::runtime_error on failure.
    cOffscreenGL(int Width, int Height);
    ~cOffscreenGL();

    cOffscreenGL(const cOffscreenGL&) = delete;
    cOffscreenGL& operator=(const cOffscreenGL&) = delete;

    bool MakeCurrent();
    // New drawing size; the picture is undefined until the next draw.
    void Resize(int Width, int Height);
    int GetWidth() const;
    int GetHeight() const;
    // The finished picture, top row first, 3 bytes per pixel.
    std::vector<std::uint8_t> ReadRGB() const;
    std::string GetRendererString() const;
    // Finishes the picture so ReadRGB sees it.
    void SwapBuffers();

private:
    struct sImpl;
    std::unique_ptr<sImpl> mImpl;
};
