// OpenGL frame drawing: one picture of the current frame under the user's camera, and the
// animation step.
#pragma once

// Clears, places the model (camera offsets and angles), draws CurrentFrame for PolygonFilter
// and takes the loop step (StepLoopAnimation).
void GLDrawFrame();
