// OpenGL frame drawing: one picture of the current frame under the user's camera, the
// animation step, and the release of everything prepared for a model.
#pragma once

// Clears, places the model (camera offsets and angles), draws CurrentFrame for PolygonFilter
// and, while LoopAnimation is set, steps to the next frame of the selected sequence.
void GLDrawFrame();
// Frees both renderers' frames and the model; TheModel becomes null.
void ReleaseModel();
