// The Direct3D renderer on the headless window system: a main window with the device chooser
// among its resources, a viewer attached to a chosen device, and crafted models loaded the way
// the viewer loads them with Direct3D active.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/headless/HeadlessWindow.h"
#include "render_d3d/D3DViewer.h"
#include "tests/common/TempFolder.h"

class cD3DTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Chooses device line Line in the chooser and attaches the viewer to the window.
    bool Attach(int Line = 0);
    // Loads a script for Direct3D as the loading flow does and sizes the view.
    void Load(const std::string& ScriptPath);
    // Draws CurrentFrame; returns the presented picture's pixel at (X, Y), 0x00RRGGBB.
    void Draw();
    std::uint32_t Pixel(int X, int Y) const;
    // Pixels of the last picture that differ from Background.
    int CountForeground(std::uint32_t Background) const;
    // A new empty folder, removed when the test ends.
    std::string TempFolder();

    cHeadlessWindowSystem mSystem;
    HWindow mWindow = HWindow::None;
    int mLiveObjects = 0;
    std::vector<std::unique_ptr<cTempFolder>> mFolders;
};
