// The shell's own state, one group (Shell): the window system in use, the window and its
// OpenGL context and palette, the resources, the loading window, the Animations pop-up, the
// colour chooser's custom colours and the animation clock's last redraw request. The view
// state the renderers share lives in render/ViewState.h.
#pragma once

#include <cstdint>

#include "platform/window/Window.h"

struct cShellState
{
    cWindowSystem* WindowSystem = nullptr;       // set by start-up; the only way to the platform
    const tResourceTable* AppInstance = nullptr; // source of every resource
    HWindow MainWindow = HWindow::None;          // set once creation returns; None while it runs
    HWindow WindowDC = HWindow::None;            // the window the OpenGL context draws on
    HGLContext GLContext = HGLContext::None;     // current from window creation to destruction
    HPalette GLPalette = HPalette::None;         // only for palette-based pixel formats
    HWindow LoadingDialog = HWindow::None;       // the loading window while a load runs
    HMenu AnimationsMenu = HMenu::None;          // the Animations pop-up, fetched at every load
    std::uint32_t CustomColors[16] = {};         // colour chooser's custom colours, 0x00BBGGRR
    std::uint32_t LastRedrawTime = 0;            // clock value of the last idle redraw request
    int SelectedSequence = -1;                   // Animations item chosen since the load; -1 none
};
extern cShellState Shell;

// Puts Shell back to its start values (tests run the shell many times).
void ResetShellState();
