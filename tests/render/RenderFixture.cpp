// The renderer test fixture: context, reset state, model loading and pixel sampling.
#include "tests/render/RenderFixture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

#include "load/ModelLoad.h"
#include "model/ZentorMesh.h"
#include "render/GLDraw.h"
#include "render/GLModel.h"
#include "render/GLScene.h"
#include "render/RenderHooks.h"
#include "render/View.h"
#include "render/ViewState.h"

const cRGB RED = {255, 0, 0}, BLUE = {0, 0, 255}, GREEN = {0, 255, 0}, BLACK = {0, 0, 0};

std::vector<std::string> cRenderTest::Messages;

namespace
{
void CaptureMessage(const char* pszText, const char* pszCaption)
{
    cRenderTest::Messages.push_back(std::string(pszCaption) + "|" + pszText);
}
}

void cRenderTest::SetUp()
{
    ResetViewState();
    Messages.clear();
    ShowRendererMessage = CaptureMessage;
    mGL = std::make_unique<cOffscreenGL>(SIZE, SIZE);
    GLInitState();
    GLInitTexturing();
    ResizeView(SIZE, SIZE);
}

void cRenderTest::TearDown()
{
    ReleaseModel();
    mGL.reset();
    RemoveTestModels();
}

int cRenderTest::Load(const std::string& ScriptPath)
{
    ReleaseModel();
    TheModel = new cZentorMesh(ScriptPath.c_str(), true);
    const int Result = GLBuildModel(ScriptPath.c_str());
    View.CurrentFrame = View.SequenceStart = 0;
    View.SequenceLength = 1;
    ResizeView(View.ClientWidth, View.ClientHeight);
    return Result;
}

void cRenderTest::Draw()
{
    GLDrawFrame();
    mGL->SwapBuffers();
    mPixels = mGL->ReadRGB();
}

cRGB cRenderTest::At(int X, int Y) const
{
    const int Width = mGL->GetWidth();
    const std::size_t Offset = (static_cast<std::size_t>(Y) * Width + X) * 3;
    return {mPixels.at(Offset), mPixels.at(Offset + 1), mPixels.at(Offset + 2)};
}

cRGB cRenderTest::AtModel(float X, float Y, float Z) const
{
    double Model[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -Placement.ViewDistance, 1};
    double Projection[16];
    GLint Viewport[4];
    glGetDoublev(GL_PROJECTION_MATRIX, Projection);
    glGetIntegerv(GL_VIEWPORT, Viewport);
    double WinX = 0, WinY = 0, WinZ = 0;
    gluProject(X, Y, Z, Model, Projection, Viewport, &WinX, &WinY, &WinZ);
    return At(static_cast<int>(WinX), mGL->GetHeight() - 1 - static_cast<int>(WinY));
}

int cRenderTest::Count(int X0, int Y0, int X1, int Y1, const cRGB& Colour) const
{
    int Total = 0;
    for (int Y = Y0; Y < Y1; ++Y)
        for (int X = X0; X < X1; ++X)
            Total += Near(At(X, Y), Colour) ? 1 : 0;
    return Total;
}

bool Near(const cRGB& A, const cRGB& B, int Tolerance)
{
    for (int c = 0; c < 3; ++c)
        if (std::abs(A[c] - B[c]) > Tolerance)
            return false;
    return true;
}

::testing::AssertionResult IsColour(const cRGB& Got, const cRGB& Want, int Tolerance)
{
    if (Near(Got, Want, Tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << Got[0] << ", " << Got[1] << ", " << Got[2]
                                         << "), want (" << Want[0] << ", " << Want[1] << ", "
                                         << Want[2] << ")";
}
