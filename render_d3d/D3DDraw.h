// Direct3D frame drawing: one picture of the current frame under the user's camera, and the
// animation step.
#pragma once

// Degrees to radians as the Direct3D renderer turns its frames.
constexpr double D3D_DEGREES_TO_RADIANS = 0.017453292519944444;

// Places camera and model frame, draws CurrentFrame for PolygonFilter and, while
// LoopAnimation is set, steps to the next frame of the selected sequence. Without a prepared
// frame only the background shows and the animation holds.
void D3DDrawFrame();
// Connects the Direct3D renderer to the shared resize and release hooks; the shell and
// tessaly-render call it once, before the first viewer is made.
void InstallD3DHooks();
