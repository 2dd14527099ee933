// The shell's operations: start-up and the message loop, the window procedure and its
// commands, the loading flow, the animation clock and the dialog procedures.
#pragma once

#include <cstdint>

#include "platform/window/Window.h"

// Start-up: registers the hooks, creates the main window (its creation message sets up
// OpenGL), shows it. False when the window cannot be created.
bool CreateShellWindow(cWindowSystem& System);
// Dispatches messages until the quit message; returns its exit code. While the view animates,
// requests a redraw whenever more than FrameIntervalMs has passed since the last request,
// waiting (not spinning) in between.
// Frames a load left waiting are prepared when no message waits and no redraw is due.
int RunMessageLoop();
// One slice of the loop's idle preparation (about 8 ms), then CheckFramePreparation. True
// while frames still wait.
bool PrepareFramesInIdleTime();
// Ends the model when preparing a frame ran out of memory: DropModelOutOfMemory.
void CheckFramePreparation();
// The whole program on a window system: start-up, then the loop. With pszScript, opens that
// script through the loading flow once the window is shown, as File > Open script would
// (a failure is shown in the same message box and the program runs on with no model). 0 when
// the window cannot be created.
int TessalyMain(cWindowSystem& System, const char* pszScript = nullptr);

std::intptr_t MainWindowProc(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                             std::intptr_t lParam);
// The WM_COMMAND handling of the main window.
void HandleCommand(HWindow Window, std::uintptr_t CommandId);

// Creates the Direct3D viewer for the main window unless it exists; false when it cannot be
// made (the program then runs on OpenGL alone).
bool CreateD3DViewer();
// Options > Use Direct3D: switches between the renderers and loads the last script again.
void SwitchRenderer();

// Opens a script: asks the user when pszPath is null. 0 when a model was built, 1 when the
// user cancelled or the load failed (the failure has been shown).
int OpenScript(const char* pszPath);
// File > Export glTF...: writes the model on screen as tessaly-export would, at the frame
// rate the viewer plays, to a .glb or .gltf file the user chooses.
void ExportGltf();
// Makes sequence SequenceNum of TheModel the range that stepping and looping run through, and
// its frames the next ones prepared.
int SelectSequence(int SequenceNum);
// Empties the Animations menu, releases the model, shows the view's background and tells the
// user "Not enough memory to load <path>.".
void DropModelOutOfMemory();

// Animation clock.
void ToggleLoopAnimation();
void ToggleAutoRotate();
// The 5-degree turn of every paint while Auto Rotate is on.
void AutoRotateStep();
// The idle branch's rule at clock value Now: requests a redraw and returns 0 when more than
// FrameIntervalMs has passed since LastRedrawTime; otherwise returns how many milliseconds
// to wait before that is true.
std::uint32_t IdleRedraw(std::uint32_t Now);

// Dialog procedures and the Polygons radio group.
bool FrameRateDialogProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam,
                         std::intptr_t lParam);
bool PlainDialogProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam,
                     std::intptr_t lParam);
void CheckPolygonMenuItem(int CommandId);
