// Test fixture for the renderer: an offscreen context set up like the viewer's window, the
// shared state reset, renderer messages captured, and helpers to load, draw and sample pixels.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/offscreen/OffscreenGL.h"
#include "render/Renderer.h"
#include "tests/render/TestModel.h"

using cRGB = std::array<int, 3>;

// Stands in for the Direct3D renderer while it lives, counting what the seam asks of it.
class cStandInDirect3D final : public cRenderer
{
public:
    cStandInDirect3D() : mpBefore(RegisterRenderer(eRenderMode::Direct3D, this)) {}
    ~cStandInDirect3D() override { RegisterRenderer(eRenderMode::Direct3D, mpBefore); }
    eRenderMode Mode() const override { return eRenderMode::Direct3D; }
    bool FlipsTextureRows() const override { return false; }
    int BuildModel(const char*) override { return 1; }
    bool PrepareFramePart(int) override { return true; }
    bool IsFramePrepared(int) const override { return false; }
    void ReleaseFrame(int) override {}
    std::size_t EstimateFrameBytes(int) const override { return 0; }
    void ReleaseFrames() override { ++mReleases; }
    void DrawFrame() override {}
    bool Paint(cPaintTarget&) override { return false; }
    void Resize(int Width, int) override { mResizedWidth = Width; }
    void ApplyTextureSwitch() override { ++mTextureSwitches; }
    void SetBackgroundColor(std::uint8_t, std::uint8_t, std::uint8_t) override {}

    int mReleases = 0;
    int mTextureSwitches = 0;
    int mResizedWidth = 0;

private:
    cRenderer* mpBefore;
};

class cRenderTest : public ::testing::Test
{
protected:
    static constexpr int SIZE = 160;

    void SetUp() override;
    void TearDown() override;

    // Loads the script as the viewer does for OpenGL; returns GLBuildModel's result.
    int Load(const std::string& ScriptPath);
    // Draws one picture and reads it back.
    void Draw();
    // Pixel at window coordinates, top row 0.
    cRGB At(int X, int Y) const;
    // Pixel where model point (X, Y, Z) lands with the camera at rest.
    cRGB AtModel(float X, float Y, float Z) const;
    // Number of pixels in the window-space box [X0, X1) x [Y0, Y1) close to Colour.
    int Count(int X0, int Y0, int X1, int Y1, const cRGB& Colour) const;

    std::unique_ptr<cOffscreenGL> mGL;
    std::vector<std::uint8_t> mPixels;

public:
    static std::vector<std::string> Messages;   // "caption|text" of every renderer message
};

// Colours match within a tolerance that allows for rounding in the rasteriser.
bool Near(const cRGB& A, const cRGB& B, int Tolerance = 3);
::testing::AssertionResult IsColour(const cRGB& Got, const cRGB& Want, int Tolerance = 3);

extern const cRGB RED, BLUE, GREEN, BLACK;
