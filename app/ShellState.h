// The shell's own process-wide globals: the window system in use, the window and its OpenGL
// context and palette, the resources, the loading window, the Animations pop-up, the colour
// chooser's custom colours and the animation clock's last redraw request. The view state the
// renderers share lives in render/ViewState.h.
#pragma once

#include <cstdint>

#include "platform/window/Window.h"

extern cWindowSystem* WindowSystem;      // set by start-up; the only way to the platform
extern const tResourceTable* AppInstance; // source of every resource
extern HWindow MainWindow;               // set once creation returns; None while it runs
extern HWindow WindowDC;                 // the window the OpenGL context draws on
extern HGLContext GLContext;             // current from window creation to destruction
extern HPalette GLPalette;               // only for palette-based pixel formats
extern HWindow LoadingDialog;            // the loading window while a load runs
extern HMenu AnimationsMenu;             // the Animations pop-up, fetched at every load
extern std::uint32_t CustomColors[16];   // colour chooser's custom colours, 0x00BBGGRR
extern std::uint32_t LastRedrawTime;     // clock value of the last idle redraw request

// Puts every global above back to its start value (tests run the shell many times).
void ResetShellState();
