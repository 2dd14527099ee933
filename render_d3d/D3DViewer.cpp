// cD3DViewer: construction, colours, window messages, release. Device choice and scene are in
// D3DScene.cpp, the texture surfaces in D3DTextures.cpp.
#include "render_d3d/D3DViewer.h"

#include <cstring>
#include <vector>

#include "render_d3d/D3DViewerPrivate.h"

cD3DViewer* TheD3DViewer = nullptr;

namespace
{
// The device's pictures reach the main window through the window system.
class cWindowPresenter final : public cRMPresenter
{
public:
    cWindowPresenter(cWindowSystem& System, HWindow Window) : mSystem(System), mWindow(Window) {}

    void Present(const std::uint32_t* XRGB, int Width, int Height) override
    {
        mSystem.PresentPicture(mWindow, XRGB, Width, Height);
        // Kept for whoever asks the renderer for its picture (File > Export Animation).
        mLast.assign(XRGB, XRGB + static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height));
        mLastWidth = Width;
        mLastHeight = Height;
    }

    std::vector<std::uint32_t> mLast;
    int mLastWidth = 0, mLastHeight = 0;

private:
    cWindowSystem& mSystem;
    HWindow mWindow;
};
}  // namespace

D3DCOLOR ChooserToD3DColor(std::uint32_t Colour)
{
    return ((Colour & 0xFFu) << 16) | (Colour & 0xFF00u) | ((Colour >> 16) & 0xFFu);
}

cD3DViewer::cD3DViewer(cWindowSystem& System, HWindow Window, const tResourceTable* pInstance)
    : mSystem(System),
      mPresenter(new cWindowPresenter(System, Window)),
      mWindow(Window),
      mInstance(pInstance),
      mBitsPerPixel(System.GetDisplayBitsPerPixel(Window))
{
    // The layer's surfaces take the display's format; a depth the layer cannot make keeps its
    // own, and the texture writer then refuses the layout it is handed.
    RMSetDisplayBitsPerPixel(mBitsPerPixel);
}

bool cD3DViewer::LastPicture(int& Width, int& Height, std::vector<std::uint8_t>& Rgb) const
{
    const auto& Presenter = static_cast<const cWindowPresenter&>(*mPresenter);
    if (Presenter.mLast.empty())
        return false;
    Width = Presenter.mLastWidth;
    Height = Presenter.mLastHeight;
    Rgb.resize(Presenter.mLast.size() * 3);
    for (std::size_t i = 0; i < Presenter.mLast.size(); ++i)
    {
        Rgb[3 * i] = static_cast<std::uint8_t>(Presenter.mLast[i] >> 16);
        Rgb[3 * i + 1] = static_cast<std::uint8_t>(Presenter.mLast[i] >> 8);
        Rgb[3 * i + 2] = static_cast<std::uint8_t>(Presenter.mLast[i]);
    }
    return true;
}

cD3DViewer::~cD3DViewer()
{
    ReleaseAll();
}

void cD3DViewer::SetAmbientLight(float Red, float Green, float Blue)
{
    mAmbientRed = Red;
    mAmbientGreen = Green;
    mAmbientBlue = Blue;
    if (!mScene || !mD3DRM)
        return;
    if (mAmbientLight)
    {
        mScene->DeleteLight(mAmbientLight);
        ReleaseMember(mAmbientLight);
    }
    if (RMSucceeded(mD3DRM->CreateLightRGB(D3DRMLIGHT_AMBIENT, Red, Green, Blue, &mAmbientLight)))
        mScene->AddLight(mAmbientLight);
}

void cD3DViewer::SetBackgroundColor(std::uint32_t Colour)
{
    mBackground = Colour & 0x00FFFFFFu;
    if (mScene)
        mScene->SetSceneBackground(ChooserToD3DColor(mBackground));
}

void cD3DViewer::OnActivate(std::uintptr_t wParam)
{
    if (IDirect3DRMWinDevice* pWinDevice = QueryWinDevice())
    {
        pWinDevice->HandleActivate(static_cast<std::uint32_t>(wParam));
        pWinDevice->Release();
    }
}

IDirect3DRMWinDevice* cD3DViewer::QueryWinDevice()
{
    IDirect3DRMWinDevice* pWinDevice = nullptr;
    if (!mDevice ||
        RMFailed(mDevice->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&pWinDevice))))
        return nullptr;
    return pWinDevice;
}

void cD3DViewer::ReleaseAll()
{
    ReleaseMember(mScene);
    ReleaseMember(mCamera);
    ReleaseMember(mViewport);
    ReleaseMember(mDevice);
    ReleaseMember(mD3DDevice);
    ReleaseMember(mD3DRM);
    ReleaseMember(mAmbientLight);
    ReleaseMember(mModelFrame);
    ReleaseTextures();
    ReleaseMember(mDirect3D);
    ReleaseMember(mDirectDraw);
    ReleaseMember(mDirectDraw2);
    ReleaseMember(mClipper);
}

void cD3DViewer::ReleaseTextures()
{
    for (int n = 0; n < mNumTextures; ++n)
    {
        ReleaseMember(mTextures[n]);
        ReleaseMember(mTextureSurfaces[n]);
    }
    mNumTextures = 0;
}

IDirect3DRMTexture2* cD3DViewer::GetTexture(int TextureNum) const
{
    return TextureNum >= 0 && TextureNum < MAX_TEXTURES ? mTextures[TextureNum] : nullptr;
}

const char* cD3DViewer::GetDeviceName(int Index) const
{
    return Index >= 0 && Index < mNumDevices ? mDeviceNames[Index] : "";
}

int cD3DViewer::ShowMessage(const char* pszText, const char* pszCaption, unsigned Style)
{
    return mSystem.MessageBox(mWindow, pszText, pszCaption, Style);
}
