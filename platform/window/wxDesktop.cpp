// The wx back end's pointer and dropped files, the picture on screen and the clipboard, the
// window's outer size and the settings file.
#include <algorithm>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/filename.h>
#include <wx/glcanvas.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/stdpaths.h>

#include "platform/settings/SettingsFile.h"
#include "platform/window/wxGLX.h"
#include "platform/window/wxMainFrame.h"
#include "platform/window/wxWindowSystem.h"

void cWxWindowSystem::OnPointer(std::uint32_t Msg, int X, int Y, std::uintptr_t Keys)
{
    if (!mDestroyed)
        PostMessage(MAIN_WINDOW, Msg, Keys, MakePointParam(X, Y));
}

void cWxWindowSystem::OnWheel(int Rotation, int X, int Y, std::uintptr_t Keys)
{
    if (mDestroyed)
        return;
    const auto Packed = static_cast<std::uintptr_t>(
        (static_cast<std::uint32_t>(Rotation) & 0xFFFFu) << 16 | (Keys & 0xFFFFu));
    PostMessage(MAIN_WINDOW, WM_MOUSEWHEEL, Packed, MakePointParam(X, Y));
}

void cWxWindowSystem::OnDropFiles(std::vector<std::string> Paths)
{
    if (mDestroyed || Paths.empty())
        return;
    const std::uintptr_t Drop = mDrops.Add(std::move(Paths));
    PostMessage(MAIN_WINDOW, WM_DROPFILES, Drop, 0);
}

std::vector<std::string> cWxWindowSystem::TakeDroppedFiles(std::uintptr_t Drop)
{
    return mDrops.Take(Drop);
}

void cWxWindowSystem::GetWindowSize(HWindow Window, int& Width, int& Height)
{
    Width = Height = 0;
    // Still answered while the window's destruction is handled, so its last size can be kept.
    if (!IsMain(Window))
        return;
    const wxSize Size = mFrame->GetSize();
    Width = Size.GetWidth();
    Height = Size.GetHeight();
}

bool cWxWindowSystem::GetWindowPicture(HWindow Window, std::vector<std::uint8_t>& RGB,
                                       int& Width, int& Height)
{
    if (!IsMain(Window) || mDestroyed || mCanvas == nullptr)
        return false;
    // The window is drawn again at once and its picture kept as it goes to the screen: a
    // window's front buffer cannot be read back reliably (with X it is the window itself).
    mCaptured.clear();
    mbCaptureNext = true;
    mQueue.Invalidate(MAIN_WINDOW);
    DispatchMessage({MAIN_WINDOW, WM_PAINT, 0, 0});
    mbCaptureNext = false;
    if (mCaptured.empty())
        return false;
    RGB = std::move(mCaptured);
    Width = mCapturedWidth;
    Height = mCapturedHeight;
    return true;
}

void cWxWindowSystem::CaptureBackBuffer()
{
    if (!mbCaptureNext)
        return;
    mbCaptureNext = false;
    int Width = 0, Height = 0;
    GetClientSize(MAIN_WINDOW, Width, Height);
    if (Width <= 0 || Height <= 0)
        return;
    std::vector<std::uint8_t> BottomUp(static_cast<std::size_t>(Width) * Height * 3);
    glPushAttrib(GL_PIXEL_MODE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, BottomUp.data());
    glPopClientAttrib();
    glPopAttrib();
    // OpenGL's rows run bottom to top.
    const std::size_t Row = static_cast<std::size_t>(Width) * 3;
    mCaptured.resize(BottomUp.size());
    for (int Y = 0; Y < Height; ++Y)
        std::copy_n(&BottomUp[static_cast<std::size_t>(Height - 1 - Y) * Row], Row,
                    &mCaptured[static_cast<std::size_t>(Y) * Row]);
    mCapturedWidth = Width;
    mCapturedHeight = Height;
}

bool cWxWindowSystem::SetClipboardPicture(const std::uint8_t* pRGB, int Width, int Height)
{
    if (pRGB == nullptr || Width <= 0 || Height <= 0)
        return false;
    // The clipboard offers the picture as PNG, which needs the toolkit's PNG handler.
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
    wxImage Image(Width, Height);
    std::copy_n(pRGB, static_cast<std::size_t>(Width) * Height * 3, Image.GetData());
    wxClipboardLocker Lock;
    if (!Lock)
        return false;
    const bool bSet = wxTheClipboard->SetData(new wxBitmapDataObject(wxBitmap(Image)));
    // Handed to the desktop's clipboard keeper when there is one, so a paste after the program
    // has ended still finds the picture.
    wxTheClipboard->Flush();
    return bSet;
}

bool cWxWindowSystem::GetSetting(const char* pszKey, std::string& Value)
{
    if (pszKey == nullptr)
        return false;
    if (!mSettings)
    {
        wxStandardPaths& Paths = wxStandardPaths::Get();
        Paths.SetFileLayout(wxStandardPaths::FileLayout_XDG);
        const wxString File =
            wxFileName(Paths.GetUserConfigDir() + "/tessaly", "tessaly.conf").GetFullPath();
        const wxCharBuffer Native = File.fn_str();
        mSettings = std::make_unique<cSettingsFile>(Native.data() != nullptr ? Native.data() : "");
    }
    return mSettings->Get(pszKey, Value);
}

void cWxWindowSystem::SetSetting(const char* pszKey, const char* pszValue)
{
    std::string Ignored;
    // The first use reads the file, whichever operation it is.
    GetSetting(pszKey, Ignored);
    if (pszKey != nullptr)
        mSettings->Set(pszKey, pszValue);
}
