// OpenGL scene state: initial fixed-function state, projection on resize, lighting for the
// untextured view and the clear colour.
#include "render/GLScene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/View.h"
#include "render/ViewState.h"

const float LightAmbient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
const float LightDiffuse[4] = {0.6f, 0.6f, 0.6f, 1.0f};
const float LightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const float LightPosition[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const float MaterialSpecular[4] = {0.1f, 0.1f, 0.1f, 1.0f};

void GLInitState()
{
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CCW);
    glEnable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glColor3f(0.5f, 0.5f, 0.5f);
    glShadeModel(GL_FLAT);
}

namespace
{
// The texture's colour and alpha replace the fragment's. For the RGB textures the model uploads
// (texture alpha 1) this is exactly what decal mode gives: decal keeps the texture's colour and
// the fragment's alpha, which is 1 too (the current colour's, lit or not), and the window keeps
// no alpha. Decal, though, reads the fragment's colour, and while lighting is off Mesa passes
// that colour to the fragment shader as a constant taken from the current vertex attributes,
// which every display-list call changes (it leaves its last normal and texture coordinates
// current): each list drawn then re-uploads the constant, and llvmpipe copies its whole
// fragment state (about 33 KB) into the scene for it and rasterizes with a new state per list.
// The combiner below reads nothing of the fragment's colour, so the lists draw with one state
// per texture, lit or not.
void SetTextureReplacesFragment()
{
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
}
}  // namespace

void GLInitTexturing()
{
    glEnable(GL_TEXTURE_2D);
    SetTextureReplacesFragment();
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void GLSetPerspectiveHint()
{
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void GLResizeView(int Width, int Height)
{
    // A zero height (minimised window) has no aspect; the next real size sets it.
    if (Height == 0)
        return;
    glViewport(0, 0, Width, Height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(Width) / static_cast<double>(Height), 1.0,
                   FarPlaneDistance());
    Placement.ViewDistance = static_cast<float>(BaseViewDistance());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

int GLSetLighting(bool bOn)
{
    if (View.RenderMode != eRenderMode::OpenGL || !bOn)
        return 0;
    glEnable(GL_LIGHTING);
    glLightfv(GL_LIGHT0, GL_AMBIENT, LightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, LightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, LightSpecular);
    glLightfv(GL_LIGHT0, GL_POSITION, LightPosition);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glMaterialfv(GL_FRONT, GL_SPECULAR, MaterialSpecular);
    glMateriali(GL_FRONT, GL_SHININESS, 1);
    return 0;
}

void GLSetTexturesOn(bool bOn)
{
    if (bOn)
    {
        GLSetLighting(false);
        glEnable(GL_TEXTURE_2D);
        SetTextureReplacesFragment();
    }
    else
    {
        GLSetLighting(true);
        glDisable(GL_TEXTURE_2D);
    }
}

void GLSetBackgroundColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue)
{
    constexpr float TEXEL = 0.00390625f;
    glClearColor(Red * TEXEL, Green * TEXEL, Blue * TEXEL, 1.0f);
}
