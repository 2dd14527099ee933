// The toolkit tests' window: the wx window system started once per test program and the main
// window of the program's resources made on it, not yet shown.
#pragma once

#include "platform/window/Window.h"

// Starts the window system under the program name pszProgram (once; later calls reuse it) and
// stores it in System (null without an X display) before the window exists, since Proc may use
// it during creation; then creates a main window with Proc at (X, Y), Width x Height, titled
// pszTitle, and returns it.
HWindow OpenWxTestWindow(cWindowSystem*& System, const char* pszProgram, WindowProc Proc,
                         const char* pszTitle, int X, int Y, int Width, int Height);
