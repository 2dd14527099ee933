// Direct3D frame drawing: the camera, the model's turn, the polygon filters with the outline
// drawn as wireframe, and the animation step.
#include "render_d3d/D3DDraw.h"

#include <cstdint>

#include "render/FramePreparation.h"
#include "render/View.h"
#include "render/ViewState.h"
#include "render_d3d/D3DModel.h"
#include "render_d3d/D3DViewer.h"

namespace
{
// Clears the viewport to the scene's background, draws the scene and presents the picture.
void RenderScene(cD3DViewer& Viewer)
{
    IDirect3DRMViewport* pViewport = Viewer.GetViewport();
    if (pViewport)
    {
        pViewport->Clear();
        if (Viewer.GetScene())
            pViewport->Render(Viewer.GetScene());
    }
    if (Viewer.GetDevice())
        Viewer.GetDevice()->Update();
}
}  // namespace

void cD3DFrame::Attach(IDirect3DRMMesh* pMesh)
{
    if (pMesh && mViewer->GetModelFrame())
        mViewer->GetModelFrame()->AddVisual(pMesh);
}

void cD3DFrame::Detach(IDirect3DRMMesh* pMesh)
{
    if (pMesh && mViewer->GetModelFrame())
        mViewer->GetModelFrame()->DeleteVisual(pMesh);
}

void cD3DFrame::SetQuality(IDirect3DRMMesh* pMesh, const D3DRMGROUPINDEX* pGroups,
                           D3DRMRENDERQUALITY Quality)
{
    if (!pMesh || !pGroups)
        return;
    for (int t = 0; t < mNumSlots; ++t)
        if (pGroups[t] != NO_GROUP)
            pMesh->SetGroupQuality(pGroups[t], Quality);
}

int cD3DFrame::Draw(unsigned int Filter)
{
    if (!mViewer || !mComplete)
        return 0;
    IDirect3DDevice2* pDevice = mViewer->GetD3DDevice();
    if (pDevice)
        pDevice->BeginScene();
    Attach(mMainMesh);
    Attach(mBackMesh);

    IDirect3DRMMesh* pSelected = nullptr;
    switch (Filter)
    {
    case POLY_TRANSLUCENT:
        pSelected = mTranslucentMesh;
        break;
    case POLY_MASKED:
        pSelected = mMaskedMesh;
        break;
    case POLY_TWO_SIDED:
        pSelected = mTwoSidedMesh;
        break;
    case POLY_PLACEHOLDER:
        pSelected = mPlaceholderMesh;
        break;
    default:
        break;
    }
    // The whole mesh becomes the outline the selected triangles are drawn against; the back
    // faces of the two-sided triangles stay solid under the masked and two-sided filters.
    if (Filter == POLY_TRANSLUCENT || Filter == POLY_PLACEHOLDER)
    {
        SetQuality(mMainMesh, mMainGroups.get(), D3DRMRENDER_WIREFRAME);
        SetQuality(mBackMesh, mBackGroups.get(), D3DRMRENDER_WIREFRAME);
    }
    else if (Filter == POLY_MASKED || Filter == POLY_TWO_SIDED)
    {
        SetQuality(mMainMesh, mMainGroups.get(), D3DRMRENDER_WIREFRAME);
    }
    Attach(pSelected);

    RenderScene(*mViewer);

    // Exactly what was attached leaves again, so between pictures the model frame is empty.
    Detach(mMainMesh);
    Detach(mBackMesh);
    SetQuality(mMainMesh, mMainGroups.get(), D3DRMRENDER_FLAT);
    SetQuality(mBackMesh, mBackGroups.get(), D3DRMRENDER_FLAT);
    Detach(pSelected);
    if (pDevice)
        pDevice->EndScene();
    return 0;
}

void D3DDrawFrame()
{
    if (!TheD3DViewer)
        return;
    cD3DViewer& Viewer = *TheD3DViewer;
    IDirect3DRMFrame2* pScene = Viewer.GetScene();
    if (pScene && Viewer.GetCamera())
        Viewer.GetCamera()->SetPosition(pScene, 0.0f, -View.CameraOffsetY,
                                        View.CameraOffsetZ + Placement.ViewDistance);
    // The turn about x comes first and the turn about the vertical axis after it, the order
    // the OpenGL view applies them, so both renderers show the same picture for one camera.
    if (IDirect3DRMFrame2* pModelFrame = Viewer.GetModelFrame())
    {
        pModelFrame->AddRotation(D3DRMCOMBINE_REPLACE, 1.0f, 0.0f, 0.0f,
                                 static_cast<D3DVALUE>(View.CameraAngleX * D3D_DEGREES_TO_RADIANS));
        pModelFrame->AddRotation(D3DRMCOMBINE_AFTER, 0.0f, 1.0f, 0.0f,
                                 static_cast<D3DVALUE>(View.CameraAngleY * D3D_DEGREES_TO_RADIANS));
    }
    // A frame whose turn has not come yet is prepared now.
    PrepareFrameNow(View.CurrentFrame);
    cD3DFrame* pFrame =
        View.CurrentFrame >= 0 && View.CurrentFrame < MAX_FRAMES ? D3DFrames[View.CurrentFrame] : nullptr;
    if (!pFrame)
    {
        // Only the background shows and the animation holds.
        RenderScene(Viewer);
        return;
    }
    pFrame->Draw(static_cast<unsigned int>(View.PolygonFilter));
    StepLoopAnimation();
}
