// cD3DViewer: owner of every DirectDraw, Direct3D and retained-mode object of the Direct3D
// renderer: the display object, the device chosen by the user, the scene graph drawn in the
// main window, its lights, and one texture per texture number.
//
// Contents:
//   [construction and colours]   constructor, SetAmbientLight, SetBackgroundColor
//   [window messages]            OnActivate, HasDevice
//   [device choice and scene]    ChooseDevice, AttachToWindow, Resize
//   [textures]                   CreateTextures (filled by the model building)
//   [release]                    ReleaseAll
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/ZentorMesh.h"
#include "platform/rm/D3DRM.h"
#include "platform/window/Window.h"

// Capacity of the device table and the longest device name kept (49 characters).
constexpr int MAX_DEVICES = 10;
constexpr int MAX_DEVICE_NAME = 50;

// The device chooser's resource and its list box.
constexpr int DEVICE_DIALOG_ID = 107;
constexpr int DEVICE_LIST_ID = 1006;

// Converts a colour in the chooser's layout (red in the low byte) to the scene's 0x00RRGGBB.
D3DCOLOR ChooserToD3DColor(std::uint32_t Colour);

class cD3DViewer
{
public:
    // Records the window system, the main window and the resources that hold dialog 107, and
    // reads the display's colour depth; no DirectX object is made.
    cD3DViewer(cWindowSystem& System, HWindow Window, const tResourceTable* pInstance);
    ~cD3DViewer();

    cD3DViewer(const cD3DViewer&) = delete;
    cD3DViewer& operator=(const cD3DViewer&) = delete;

    // --- [construction and colours] ------------------------------------------------------
    // Stores the ambient colour and, while a scene exists, replaces the scene's ambient light.
    void SetAmbientLight(float Red, float Green, float Blue);
    // Stores the colour (chooser layout) and gives it to the scene while one exists.
    void SetBackgroundColor(std::uint32_t Colour);

    // --- [window messages] ---------------------------------------------------------------
    void OnActivate(std::uintptr_t wParam);
    bool HasDevice() const { return mDevice != nullptr; }
    // The picture the device presented last, as RGB triples top row first; false before the
    // first.
    bool LastPicture(int& Width, int& Height, std::vector<std::uint8_t>& Rgb) const;

    // --- [device choice and scene] -------------------------------------------------------
    // Creates the DirectX objects if needed, enumerates the devices and lets the user choose
    // one in dialog 107. True when a device was chosen. When the objects cannot be created,
    // none is kept (GetD3DRM is null), so the next call tries afresh.
    bool ChooseDevice();
    // Binds a clipper to the window and builds device, viewport and scene for its client area.
    // True when the viewer has a device afterwards.
    bool AttachToWindow();
    // Rebuilds scene, device and viewport for the current client area (the arguments are not
    // read). True when device and viewport exist afterwards.
    bool Resize(int Width, int Height);

    // --- [textures] ----------------------------------------------------------------------
    // Replaces the textures of the last model by Count (MAX_TEXTURES) made from pModel's images.
    void CreateTextures(int Count, const cZentorMesh* pModel);

    // --- [release] -----------------------------------------------------------------------
    // Releases every DirectX object; the device table, the colours and the depth stay.
    void ReleaseAll();

    // Read access (no added reference).
    IDirect3DRM2* GetD3DRM() const { return mD3DRM; }
    IDirect3DRMFrame2* GetScene() const { return mScene; }
    IDirect3DRMFrame2* GetCamera() const { return mCamera; }
    IDirect3DRMFrame2* GetModelFrame() const { return mModelFrame; }
    IDirect3DRMViewport* GetViewport() const { return mViewport; }
    IDirect3DRMDevice2* GetDevice() const { return mDevice; }
    IDirect3DDevice2* GetD3DDevice() const { return mD3DDevice; }
    IDirect3DRMTexture2* GetTexture(int TextureNum) const;
    int GetNumTextures() const { return mNumTextures; }
    int GetNumDevices() const { return mNumDevices; }
    const char* GetDeviceName(int Index) const;
    int GetDeviceIndex() const { return mDeviceIndex; }
    int GetBitsPerPixel() const { return mBitsPerPixel; }
    std::uint32_t GetBackground() const { return mBackground; }
    bool IsActive() const { return mActive; }
    // Set by the renderer switch while Direct3D is the active renderer; not read here.
    void SetActive(bool bActive) { mActive = bActive; }

private:
    bool CreateDirectDraw();
    // Steps shared by the attachment and every resize: a new scene frame and camera, device and
    // viewport for the client area, the device beneath it, and the scene's contents.
    bool BuildScene();
    bool CreateDeviceAndViewport(int DeviceIndex, int Width, int Height);
    void SetupScene();
    // Writes a locked texture surface from a 256 x 256 RGB image (after the warning of a 32-bit
    // display). False, with nothing written, when the display depth is not 16, 24 or 32 bits or
    // the locked layout does not fit it.
    bool WriteTexturePixels(const DDSURFACEDESC& Locked, const std::uint8_t* pImage);
    void ReleaseTextures();
    // The device's window side (an added reference), or null without a device.
    IDirect3DRMWinDevice* QueryWinDevice();
    int ShowMessage(const char* pszText, const char* pszCaption, unsigned Style);
    static RMRESULT DeviceEnumCallback(RMGUID* pGuid, char* pszDescription, char* pszName,
                                       void* pContext);
    static bool DeviceDialogProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam,
                                 std::intptr_t lParam);

    cWindowSystem& mSystem;
    // The device presents its pictures into the main window through this adapter.
    std::unique_ptr<cRMPresenter> mPresenter;

    HWindow mWindow;
    const tResourceTable* mInstance;
    IDirectDraw* mDirectDraw = nullptr;
    IDirectDraw2* mDirectDraw2 = nullptr;
    IDirect3D2* mDirect3D = nullptr;
    IDirect3DRMFrame2* mCamera = nullptr;
    int mDeviceIndex = -1;
    int mBitsPerPixel;
    bool mActive = false;
    IDirectDrawClipper* mClipper = nullptr;
    int mNumTextures = 0;
    IDirectDrawSurface* mTextureSurfaces[MAX_TEXTURES] = {};
    RMGUID mDeviceGuids[MAX_DEVICES] = {};
    char mDeviceNames[MAX_DEVICES][MAX_DEVICE_NAME] = {};
    int mNumDevices = 0;
    std::uint32_t mBackground = 0;
    IDirect3DRMLight* mAmbientLight = nullptr;
    float mAmbientRed = 0.8f, mAmbientGreen = 0.8f, mAmbientBlue = 0.8f;
    IDirect3DRMDevice2* mDevice = nullptr;
    IDirect3DDevice2* mD3DDevice = nullptr;
    IDirect3DRMViewport* mViewport = nullptr;
    IDirect3DRMFrame2* mModelFrame = nullptr;
    IDirect3DRM2* mD3DRM = nullptr;
    IDirect3DRMTexture2* mTextures[MAX_TEXTURES] = {};
    IDirect3DRMFrame2* mScene = nullptr;
    // Set once the chosen device has been refused and the user told; cleared when it is made
    // again, so a run of failing resizes shows the message once.
    bool mFallbackShown = false;
};

// The one viewer (owned), null when none exists.
extern cD3DViewer* TheD3DViewer;
