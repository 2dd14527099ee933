// cD3DViewer's device choice and scene: the DirectX objects, the device table and its chooser
// (dialog 107), the clipper on the main window, and the device, viewport and scene graph that
// every resize builds anew.
#include <algorithm>
#include <cstring>

#include "platform/rm/D3DRM.h"
#include "render/View.h"
#include "render_d3d/D3DViewer.h"
#include "render_d3d/D3DViewerPrivate.h"
#include "render_d3d/ErrorText.h"

namespace
{
// The viewer whose chooser is open; dialog procedures carry no context of their own.
cD3DViewer* ChoosingViewer = nullptr;

// Fixed back plane of the scene; the model's own far distance wins when it is larger.
constexpr double BACK_PLANE = 5000.0;

const char* const RESIZE_FALLBACK_TEXT =
    "Unable to resize window using this device.\nI will use the default device.\n"
    "Making the window smaller should allow the original device to be used.";
}  // namespace

bool cD3DViewer::CreateDirectDraw()
{
    ReleaseMember(mDirectDraw);
    if (RMFailed(DirectDrawCreate(nullptr, &mDirectDraw, nullptr)) || !mDirectDraw)
        return false;
    ReleaseMember(mDirectDraw2);
    if (RMFailed(mDirectDraw->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&mDirectDraw2))) ||
        !mDirectDraw2)
        return false;
    mDirectDraw2->SetCooperativeLevel(mPresenter.get(), DDSCL_NORMAL);
    ReleaseMember(mDirect3D);
    if (RMFailed(mDirectDraw2->QueryInterface(IID_IDirect3D2, reinterpret_cast<void**>(&mDirect3D))) ||
        !mDirect3D)
    {
        ReleaseMember(mDirectDraw2);
        return false;
    }
    IDirect3DRM* pRoot = nullptr;
    if (RMFailed(Direct3DRMCreate(&pRoot)) || !pRoot)
        return false;
    const bool bHaveRoot =
        RMSucceeded(pRoot->QueryInterface(IID_IDirect3DRM2, reinterpret_cast<void**>(&mD3DRM))) && mD3DRM;
    pRoot->Release();
    return bHaveRoot;
}

bool cD3DViewer::ChooseDevice()
{
    // Whatever a failed creation made goes again: the next choice starts from nothing.
    if (!mD3DRM && !CreateDirectDraw())
    {
        ReleaseAll();
        return false;
    }
    mNumDevices = 0;
    mDeviceIndex = -1;
    const RMRESULT Result = mDirect3D->EnumDevices(DeviceEnumCallback, this);
    if (RMFailed(Result))
        ShowMessage(ErrorText(Result), "D3D Error", MB_OK);
    if (mNumDevices == 0)
        return false;

    ChoosingViewer = this;
    const std::intptr_t Chosen =
        mSystem.DialogBox(mInstance, DEVICE_DIALOG_ID, mWindow, DeviceDialogProc);
    ChoosingViewer = nullptr;
    // Only a line of the table counts as a choice.
    mDeviceIndex = Chosen >= 0 && Chosen < mNumDevices ? static_cast<int>(Chosen) : -1;
    return mDeviceIndex >= 0;
}

RMRESULT cD3DViewer::DeviceEnumCallback(RMGUID* pGuid, char* pszDescription, char* pszName,
                                        void* pContext)
{
    (void)pszDescription;
    // The viewer that asked; every device is taken until the table is full.
    auto* pViewer = static_cast<cD3DViewer*>(pContext);
    if (!pViewer || !pGuid || pViewer->mNumDevices >= MAX_DEVICES)
        return D3DENUMRET_OK;
    const int Entry = pViewer->mNumDevices;
    pViewer->mDeviceGuids[Entry] = *pGuid;
    char* pszEntry = pViewer->mDeviceNames[Entry];
    // Names longer than the table's 49 characters are cut.
    std::strncpy(pszEntry, pszName ? pszName : "", MAX_DEVICE_NAME - 1);
    pszEntry[MAX_DEVICE_NAME - 1] = '\0';
    ++pViewer->mNumDevices;
    return D3DENUMRET_OK;
}

bool cD3DViewer::DeviceDialogProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam,
                                  std::intptr_t lParam)
{
    (void)lParam;
    cD3DViewer* pViewer = ChoosingViewer;
    if (!pViewer)
        return false;
    cWindowSystem& System = pViewer->mSystem;
    switch (Msg)
    {
    case WM_INITDIALOG:
        // Lines go in at their table index, so the chosen line indexes the table directly.
        for (int i = 0; i < pViewer->mNumDevices; ++i)
            System.ListBoxInsertString(Dialog, DEVICE_LIST_ID, i, pViewer->mDeviceNames[i]);
        System.ListBoxSetCurSel(Dialog, DEVICE_LIST_ID, 0);
        return true;
    case WM_COMMAND:
        // The whole wParam: a list box's notifications carry their code in the high word.
        if (wParam == IDOK)
        {
            System.EndDialog(Dialog, System.ListBoxGetCurSel(Dialog, DEVICE_LIST_ID));
            return true;
        }
        if (wParam == IDCANCEL)
        {
            System.EndDialog(Dialog, -1);
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool cD3DViewer::AttachToWindow()
{
    mFallbackShown = false;
    if (RMFailed(DirectDrawCreateClipper(0, &mClipper, nullptr)) || !mClipper)
    {
        mClipper = nullptr;
        return false;
    }
    mClipper->SetHWnd(0, mPresenter.get());
    return BuildScene();
}

bool cD3DViewer::Resize(int Width, int Height)
{
    (void)Width;
    (void)Height;
    // Without a clipper the attachment failed: there is nothing to rebuild, and the fallback
    // message would only repeat on every resize.
    if (!mClipper)
        return false;
    return BuildScene();
}

bool cD3DViewer::BuildScene()
{
    if (!mD3DRM)
        return false;
    ReleaseMember(mScene);
    mD3DRM->CreateFrame(nullptr, &mScene);
    ReleaseMember(mCamera);
    if (mScene && RMSucceeded(mD3DRM->CreateFrame(mScene, &mCamera)) && mCamera)
        mCamera->SetPosition(mScene, 0.0f, 0.0f, 0.0f);
    ReleaseMember(mD3DDevice);
    int Width = 0, Height = 0;
    mSystem.GetClientSize(mWindow, Width, Height);
    if (!CreateDeviceAndViewport(mDeviceIndex, Width, Height))
        return false;
    mDevice->GetDirect3DDevice2(&mD3DDevice);
    SetupScene();
    return true;
}

bool cD3DViewer::CreateDeviceAndViewport(int DeviceIndex, int Width, int Height)
{
    ReleaseMember(mDevice);
    const RMGUID* pGuid =
        DeviceIndex >= 0 && DeviceIndex < mNumDevices ? &mDeviceGuids[DeviceIndex] : nullptr;
    if (RMSucceeded(mD3DRM->CreateDeviceFromClipper(mClipper, pGuid, Width, Height, &mDevice)) && mDevice)
    {
        mFallbackShown = false;
    }
    else
    {
        mDevice = nullptr;
        // An interactive resize sends many sizes: the user hears of the fallback once.
        if (!mFallbackShown)
            ShowMessage(RESIZE_FALLBACK_TEXT, "Error", MB_ICONEXCLAMATION);
        mFallbackShown = true;
        if (RMFailed(mD3DRM->CreateDeviceFromClipper(mClipper, nullptr, Width, Height, &mDevice)) || !mDevice)
        {
            // The viewport of the device just released goes with it.
            mDevice = nullptr;
            ReleaseMember(mViewport);
            return false;
        }
    }
    const unsigned DeviceWidth = mDevice->GetWidth();
    const unsigned DeviceHeight = mDevice->GetHeight();
    ReleaseMember(mViewport);
    bool bFailed = RMFailed(mD3DRM->CreateViewport(mDevice, mCamera, 0, 0, DeviceWidth, DeviceHeight, &mViewport)) ||
                   !mViewport;
    // The back plane reaches at least as far as the OpenGL view's, so no model that renderer
    // shows whole is cut here.
    if (!bFailed)
        bFailed = RMFailed(mViewport->SetBack(static_cast<D3DVALUE>(std::max(BACK_PLANE, FarPlaneDistance()))));
    if (!bFailed)
        bFailed = RMFailed(mDevice->SetQuality(D3DRMRENDER_GOURAUD));
    if (bFailed)
    {
        ReleaseMember(mViewport);
        ReleaseMember(mDevice);
        return false;
    }
    return true;
}

void cD3DViewer::SetupScene()
{
    IDirect3DRMFrame2* pLightFrame = nullptr;
    mD3DRM->CreateFrame(mScene, &pLightFrame);
    ReleaseMember(mModelFrame);
    mD3DRM->CreateFrame(mScene, &mModelFrame);
    IDirect3DRMLight* pLight = nullptr;
    mD3DRM->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 0.4f, 0.4f, 0.4f, &pLight);
    if (pLightFrame && pLight)
        pLightFrame->AddLight(pLight);
    SetAmbientLight(mAmbientRed, mAmbientGreen, mAmbientBlue);
    if (pLightFrame)
    {
        pLightFrame->SetPosition(mScene, 0.0f, 0.0f, -22.0f);
        pLightFrame->SetOrientation(mScene, 0.0f, 0.0f, -1.0f, 0.0f, 1.0f, 0.0f);
    }
    for (IDirect3DRMFrame2* pFrame : {mCamera, mModelFrame})
    {
        if (!pFrame)
            continue;
        pFrame->SetPosition(mScene, 0.0f, 0.0f, 0.0f);
        pFrame->SetOrientation(mScene, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f);
    }
    ReleaseMember(pLightFrame);
    ReleaseMember(pLight);
    if (!mScene)
        return;
    mScene->SetSceneBackground(ChooserToD3DColor(mBackground));
    if (RMFailed(mScene->SetZbufferMode(D3DRMZBUFFER_ENABLE)))
        ShowMessage("Unable to enable Z-buffer", "Error", MB_OK);
}
