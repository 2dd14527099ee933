// The OpenGL scene state: fixed-function set-up, the viewport and projection on every resize
// (shared with the Direct3D renderer), the lighting used when textures are off, the clear
// colour, and frame 0's bounds that place the model in front of the eye.
#pragma once

#include <cstdint>

// Bounding box of frame 0 of the model last prepared by either renderer; all zero before any.
struct cModelBounds
{
    float MinX, MaxX, MinY, MaxY, MinZ, MaxZ;
};
extern cModelBounds ModelBounds;
// Distance of the model's origin in front of the eye before the user's offset. ResizeView
// sets it: |trunc(MaxZ)| + 100 for OpenGL, its negative for Direct3D.
extern float ViewDistance;

extern const float LightAmbient[4];
extern const float LightDiffuse[4];
extern const float LightSpecular[4];
extern const float LightPosition[4];
extern const float MaterialSpecular[4];

// Sets depth test, counter-clockwise front faces, back-face culling, filled polygons, a black
// clear colour, the 0.5 grey current colour and flat shading. Once, after the context is current.
void GLInitState();
// The texturing set-up of window creation: GL_TEXTURE_2D on, the texture's colour and alpha
// replacing the fragment's (a GL_COMBINE of GL_REPLACE from GL_TEXTURE: for the model's RGB
// textures the pictures of decal mode, without reading the fragment's colour), nicest
// perspective.
void GLInitTexturing();
// Distance from the eye of the far clipping plane for the model in ModelBounds: a hundred
// times its depth in whole units, and at least twice the model's distance. Both renderers
// use it.
double FarPlaneDistance();
// Records the client size. For OpenGL sets viewport, perspective and ViewDistance from
// ModelBounds (far plane at 100 times the truncated depth, and at least twice ViewDistance);
// a zero height leaves them as they were (its aspect would be infinite). For
// Direct3D sets ViewDistance and then calls D3DResizeHook.
void ResizeView(int Width, int Height);
// The perspective-correction hint of window creation, set again when OpenGL becomes the
// active renderer.
void GLSetPerspectiveHint();
// bOn switches on light 0 and colour material for the untextured view; false changes nothing.
// Does nothing unless OpenGL is the active renderer. Returns 0.
int GLSetLighting(bool bOn);
// The "Textures On" switch's OpenGL calls: off lights the model and disables texturing; on
// re-enables texturing with the texture environment of GLInitTexturing (lighting stays set up).
void GLSetTexturesOn(bool bOn);
// Clear colour from the chooser's bytes, each divided by 256.
void GLSetBackgroundColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue);
