// The OpenGL scene state: fixed-function set-up, the viewport and projection on every resize,
// the lighting used when textures are off, and the clear colour.
#pragma once

#include <cstdint>

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
// The OpenGL side of ResizeView: viewport, perspective and ViewDistance from ModelBounds (far
// plane at FarPlaneDistance); a zero height leaves them as they were (its aspect would be
// infinite).
void GLResizeView(int Width, int Height);
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
