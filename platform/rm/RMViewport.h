// Viewports: a rectangle of a device seen through a camera frame.
#pragma once

#include "platform/rm/RMDevice.h"
#include "platform/rm/RMFrame.h"

// Half the view's height at distance 1 when nothing else is set: tan(22.5 degrees), a 45-degree
// vertical field of view, so a model fills as much of the window as it does in the OpenGL view.
constexpr float RM_DEFAULT_FIELD = 0.41421356f;
constexpr float RM_DEFAULT_FRONT = 1.0f;
constexpr float RM_DEFAULT_BACK = 100.0f;

class cRMViewport final : public cRMRefCounted<IDirect3DRMViewport>
{
public:
    cRMViewport(cRMDevice* pDevice, cRMFrame* pCamera, int X, int Y, int Width, int Height);

    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override;
    RMRESULT SetBack(D3DVALUE Back) override;
    D3DVALUE GetBack() override { return mBack; }
    RMRESULT SetFront(D3DVALUE Front) override;
    D3DVALUE GetFront() override { return mFront; }
    RMRESULT SetField(D3DVALUE Field) override;
    D3DVALUE GetField() override { return mField; }
    RMRESULT Clear() override;
    RMRESULT Render(IDirect3DRMFrame2* pScene) override;

private:
    cRMRef<cRMDevice> mDevice;
    cRMRef<cRMFrame> mCamera;
    int mX, mY, mWidth, mHeight;
    float mFront = RM_DEFAULT_FRONT;
    float mBack = RM_DEFAULT_BACK;
    float mField = RM_DEFAULT_FIELD;
};
