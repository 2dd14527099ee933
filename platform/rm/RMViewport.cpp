// Viewports: a rectangle of a device seen through a camera frame.
#include "platform/rm/RMViewport.h"

#include "platform/rm/RMRender.h"

#include <algorithm>

cRMViewport::cRMViewport(cRMDevice* pDevice, cRMFrame* pCamera, int X, int Y, int Width, int Height)
    : mDevice(pDevice), mCamera(pCamera), mX(X), mY(Y), mWidth(Width), mHeight(Height)
{
}

RMRESULT cRMViewport::QueryInterface(const RMGUID& Iid, void** ppObject)
{
    if (ppObject)
        *ppObject = nullptr;
    return ppObject ? DDERR_UNSUPPORTED : DDERR_INVALIDPARAMS;
}

RMRESULT cRMViewport::SetBack(D3DVALUE Back)
{
    if (!(Back > mFront))
        return D3DRMERR_BADVALUE;
    mBack = Back;
    return D3DRM_OK;
}

RMRESULT cRMViewport::SetFront(D3DVALUE Front)
{
    if (!(Front > 0) || !(Front < mBack))
        return D3DRMERR_BADVALUE;
    mFront = Front;
    return D3DRM_OK;
}

RMRESULT cRMViewport::SetField(D3DVALUE Field)
{
    if (!(Field > 0))
        return D3DRMERR_BADVALUE;
    mField = Field;
    return D3DRM_OK;
}

RMRESULT cRMViewport::Clear()
{
    // The background belongs to the scene the camera is in.
    const D3DCOLOR Background = mCamera->GetRoot()->GetSceneBackground();
    const int Pitch = static_cast<int>(mDevice->GetWidth());
    for (int Y = mY; Y < mY + mHeight; ++Y)
    {
        const std::size_t Row = static_cast<std::size_t>(Y) * Pitch;
        std::fill(mDevice->GetColor() + Row + mX, mDevice->GetColor() + Row + mX + mWidth, Background);
        std::fill(mDevice->GetDepth() + Row + mX, mDevice->GetDepth() + Row + mX + mWidth, 0.0f);
    }
    return D3DRM_OK;
}

RMRESULT cRMViewport::Render(IDirect3DRMFrame2* pScene)
{
    cRMFrame* pFrame = dynamic_cast<cRMFrame*>(pScene);
    if (!pFrame)
        return D3DRMERR_BADOBJECT;
    if (mWidth == 0 || mHeight == 0)
        return D3DRM_OK;
    cRMView View;
    const cMatrix CameraWorld = mCamera->GetWorld();
    View.WorldToCamera = Inverse(CameraWorld);
    View.CameraPosition = CameraWorld.T;
    View.Front = mFront;
    View.Back = mBack;
    View.FieldY = mField;
    View.FieldX = mField * static_cast<float>(mWidth) / static_cast<float>(mHeight);
    View.CenterX = mX + mWidth * 0.5f;
    View.CenterY = mY + mHeight * 0.5f;
    View.PixelsPerUnit = mHeight * 0.5f / mField;
    View.DeviceQuality = mDevice->GetQuality();
    View.Mono = mDevice->GetInfo().Mono;
    View.Target = {mDevice->GetColor(), mDevice->GetDepth(), static_cast<int>(mDevice->GetWidth()),
                   mX, mY, mX + mWidth, mY + mHeight};
    RMRenderTree(*pFrame, View);
    return D3DRM_OK;
}
