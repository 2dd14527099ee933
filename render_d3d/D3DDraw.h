// Direct3D frame drawing: one picture of the current frame under the user's camera, and the
// animation step.
#pragma once

// Degrees to radians as the Direct3D renderer turns its frames.
constexpr double D3D_DEGREES_TO_RADIANS = 0.017453292519944444;

// Places camera and model frame, draws CurrentFrame for PolygonFilter and takes the loop step
// (StepLoopAnimation). Without a prepared frame only the background shows and the animation
// holds.
void D3DDrawFrame();
