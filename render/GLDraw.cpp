// OpenGL frame drawing: the camera, the polygon filters and the animation step.
#include "render/GLDraw.h"

#include <GL/gl.h>

#include "render/FramePreparation.h"
#include "render/GLModel.h"
#include "render/View.h"
#include "render/ViewState.h"

void cGLFrame::CallLists(int Base) const
{
    for (int Slot = 0; Slot < mNumSlots; ++Slot)
        glCallList(Base + Slot);
}

// Every triangle's edges, both faces, as the outline a type filter is drawn against.
void cGLFrame::WirePass() const
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glDisable(GL_CULL_FACE);
    CallLists(mListBase);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

int cGLFrame::Draw(unsigned int Filter)
{
    if (!mComplete || !mListsCompiled)
        return 0;
    switch (Filter)
    {
    case 0:
        CallLists(mListBase);
        if (mHasTwoSided)
        {
            // The two-sided group again without culling, so its back faces show.
            glDisable(GL_CULL_FACE);
            CallLists(mTwoSidedBase);
            glEnable(GL_CULL_FACE);
        }
        break;
    case POLY_TRANSLUCENT:
        WirePass();
        if (mHasTranslucent)
            CallLists(mTranslucentBase);
        glEnable(GL_CULL_FACE);
        break;
    case POLY_MASKED:
        WirePass();
        if (mHasMasked)
            CallLists(mMaskedBase);
        glEnable(GL_CULL_FACE);
        break;
    case POLY_TWO_SIDED:
        WirePass();
        if (mHasTwoSided)
            CallLists(mTwoSidedBase);
        glEnable(GL_CULL_FACE);
        break;
    case POLY_PLACEHOLDER:
        WirePass();
        if (mHasPlaceholder)
            CallLists(mPlaceholderBase);
        glEnable(GL_CULL_FACE);
        break;
    default:
        break;
    }
    return 0;
}

void GLDrawFrame()
{
    // A frame whose turn has not come yet is prepared now.
    PrepareFrameNow(View.CurrentFrame);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, View.CameraOffsetZ - Placement.ViewDistance);
    glTranslatef(0.0f, View.CameraOffsetY, 0.0f);
    glRotatef(-View.CameraAngleY, 0.0f, 1.0f, 0.0f);
    glRotatef(-View.CameraAngleX, 1.0f, 0.0f, 0.0f);
    cGLFrame* pFrame =
        View.CurrentFrame >= 0 && View.CurrentFrame < MAX_FRAMES ? GLFrames[View.CurrentFrame] : nullptr;
    // Without a prepared frame only the background shows and the animation holds.
    if (pFrame)
    {
        pFrame->Draw(static_cast<unsigned int>(View.PolygonFilter));
        StepLoopAnimation();
    }
    glPopMatrix();
    glFlush();
}
