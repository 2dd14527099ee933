// Frames: a hierarchy of transforms carrying lights and meshes.
#include "platform/rm/RMFrame.h"

#include "platform/rm/RMFaults.h"
#include "platform/rm/RMMesh.h"

#include <algorithm>

cRMFrame::cRMFrame(cRMFrame* pParent) : mParent(pParent)
{
    if (mParent)
    {
        mParent->mChildren.push_back(this);
        AddRef();
    }
}

cRMFrame::~cRMFrame()
{
    for (cRMFrame* pChild : mChildren)
    {
        pChild->mParent = nullptr;
        pChild->Release();
    }
    for (IDirect3DRMVisual* pVisual : mVisuals)
        pVisual->Release();
    for (IDirect3DRMLight* pLight : mLights)
        pLight->Release();
}

RMRESULT cRMFrame::QueryInterface(const RMGUID& Iid, void** ppObject)
{
    if (ppObject)
        *ppObject = nullptr;
    return ppObject ? DDERR_UNSUPPORTED : DDERR_INVALIDPARAMS;
}

RMRESULT cRMFrame::AddLight(IDirect3DRMLight* pLight)
{
    if (!pLight)
        return D3DRMERR_BADOBJECT;
    if (std::find(mLights.begin(), mLights.end(), pLight) != mLights.end())
        return D3DRM_OK;
    mLights.push_back(pLight);
    pLight->AddRef();
    return D3DRM_OK;
}

RMRESULT cRMFrame::DeleteLight(IDirect3DRMLight* pLight)
{
    auto It = std::find(mLights.begin(), mLights.end(), pLight);
    if (!pLight || It == mLights.end())
        return D3DRMERR_NOTFOUND;
    mLights.erase(It);
    pLight->Release();
    return D3DRM_OK;
}

RMRESULT cRMFrame::AddVisual(IDirect3DRMVisual* pVisual)
{
    // Only meshes are drawn; anything else could also make a frame hold itself.
    if (!dynamic_cast<cRMMesh*>(pVisual))
        return D3DRMERR_BADOBJECT;
    if (std::find(mVisuals.begin(), mVisuals.end(), pVisual) != mVisuals.end())
        return D3DRM_OK;
    mVisuals.push_back(pVisual);
    pVisual->AddRef();
    return D3DRM_OK;
}

RMRESULT cRMFrame::DeleteVisual(IDirect3DRMVisual* pVisual)
{
    auto It = std::find(mVisuals.begin(), mVisuals.end(), pVisual);
    if (!pVisual || It == mVisuals.end())
        return D3DRMERR_NOTFOUND;
    mVisuals.erase(It);
    pVisual->Release();
    return D3DRM_OK;
}

cMatrix cRMFrame::GetWorld() const
{
    return mParent ? Multiply(mLocal, mParent->GetWorld()) : mLocal;
}

cRMFrame* cRMFrame::GetRoot()
{
    cRMFrame* pFrame = this;
    while (pFrame->mParent)
        pFrame = pFrame->mParent;
    return pFrame;
}

bool cRMFrame::IsZbufferEnabled() const
{
    for (const cRMFrame* pFrame = this; pFrame; pFrame = pFrame->mParent)
        if (pFrame->mZbufferMode != D3DRMZBUFFER_FROMPARENT)
            return pFrame->mZbufferMode == D3DRMZBUFFER_ENABLE;
    return true;
}

cMatrix cRMFrame::ReferenceWorld(IDirect3DRMFrame2* pReference)
{
    const cRMFrame* pFrame = dynamic_cast<cRMFrame*>(pReference);
    return pFrame ? pFrame->GetWorld() : cMatrix();
}

RMRESULT cRMFrame::SetPosition(IDirect3DRMFrame2* pReference, D3DVALUE X, D3DVALUE Y, D3DVALUE Z)
{
    const cVec3 World = TransformPoint({X, Y, Z}, ReferenceWorld(pReference));
    const cMatrix ParentWorld = mParent ? mParent->GetWorld() : cMatrix();
    mLocal.T = TransformPoint(World, Inverse(ParentWorld));
    return D3DRM_OK;
}

RMRESULT cRMFrame::GetPosition(IDirect3DRMFrame2* pReference, D3DVECTOR* pPosition)
{
    if (!pPosition)
        return DDERR_INVALIDPARAMS;
    const cVec3 P = TransformPoint(GetWorld().T, Inverse(ReferenceWorld(pReference)));
    *pPosition = {P.X, P.Y, P.Z};
    return D3DRM_OK;
}

RMRESULT cRMFrame::SetOrientation(IDirect3DRMFrame2* pReference, D3DVALUE DirX, D3DVALUE DirY, D3DVALUE DirZ,
                                  D3DVALUE UpX, D3DVALUE UpY, D3DVALUE UpZ)
{
    const cMatrix Reference = ReferenceWorld(pReference);
    const cVec3 Z = Normalize(TransformVector({DirX, DirY, DirZ}, Reference));
    const cVec3 Up = TransformVector({UpX, UpY, UpZ}, Reference);
    const cVec3 Y = Normalize(Up - Z * Dot(Up, Z));
    if (Dot(Z, Z) == 0 || Dot(Y, Y) == 0)
        return D3DRMERR_BADVALUE;
    const cVec3 X = Cross(Y, Z);
    cMatrix World;
    const cVec3 Rows[3] = {X, Y, Z};
    for (int i = 0; i < 3; ++i)
    {
        World.M[i][0] = Rows[i].X;
        World.M[i][1] = Rows[i].Y;
        World.M[i][2] = Rows[i].Z;
    }
    // Keep the position; express the new axes relative to the parent.
    cMatrix ParentRotation = mParent ? mParent->GetWorld() : cMatrix();
    ParentRotation.T = {};
    const cVec3 Position = mLocal.T;
    mLocal = Multiply(World, Inverse(ParentRotation));
    mLocal.T = Position;
    return D3DRM_OK;
}

RMRESULT cRMFrame::AddRotation(D3DRMCOMBINETYPE Combine, D3DVALUE X, D3DVALUE Y, D3DVALUE Z, D3DVALUE Theta)
{
    const cVec3 Axis = {X, Y, Z};
    if (Dot(Axis, Axis) == 0)
        return D3DRMERR_BADVALUE;
    const cMatrix Rotation = RotationAbout(Axis, Theta);
    switch (Combine)
    {
    case D3DRMCOMBINE_REPLACE:
        mLocal = Rotation;
        return D3DRM_OK;
    case D3DRMCOMBINE_BEFORE:
        mLocal = Multiply(Rotation, mLocal);
        return D3DRM_OK;
    case D3DRMCOMBINE_AFTER:
        mLocal = Multiply(mLocal, Rotation);
        return D3DRM_OK;
    }
    return D3DRMERR_BADVALUE;
}

RMRESULT cRMFrame::GetTransform(D3DRMMATRIX4D Matrix)
{
    for (int i = 0; i < 3; ++i)
    {
        for (int j = 0; j < 3; ++j)
            Matrix[i][j] = mLocal.M[i][j];
        Matrix[i][3] = 0;
    }
    Matrix[3][0] = mLocal.T.X;
    Matrix[3][1] = mLocal.T.Y;
    Matrix[3][2] = mLocal.T.Z;
    Matrix[3][3] = 1;
    return D3DRM_OK;
}

RMRESULT cRMFrame::SetSceneBackground(D3DCOLOR Color)
{
    mBackground = Color & 0x00FFFFFF;
    return D3DRM_OK;
}

RMRESULT cRMFrame::SetZbufferMode(D3DRMZBUFFERMODE Mode)
{
    if (Mode != D3DRMZBUFFER_FROMPARENT && Mode != D3DRMZBUFFER_ENABLE && Mode != D3DRMZBUFFER_DISABLE)
        return D3DRMERR_BADVALUE;
    if (const RMRESULT Fault = RMFaultCheck(RMFAULT_SET_ZBUFFER_MODE); RMFailed(Fault))
        return Fault;
    mZbufferMode = Mode;
    return D3DRM_OK;
}
