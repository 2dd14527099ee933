// Headless back end: what the test does with keys held, the pointer and dropped files, the
// window's outer size, the picture on screen and the clipboard, and the settings store.
#include <utility>

#include "platform/settings/SettingsFile.h"
#include "platform/window/headless/HeadlessWindow.h"

void cHeadlessWindowSystem::PressKeyWith(std::uintptr_t VirtualKey, unsigned Modifiers)
{
    // As a real toolkit does it: the menu's accelerator takes the key before the window sees it.
    const int CommandId =
        mMenuTemplate ? mMenuTemplate->FindAccelerator(VirtualKey, Modifiers) : ID_NONE;
    if (CommandId != ID_NONE)
        PostInput(WM_COMMAND, static_cast<std::uintptr_t>(CommandId));
    else
        PressKey(VirtualKey);
}

void cHeadlessWindowSystem::Pointer(std::uint32_t Msg, int X, int Y, std::uintptr_t Keys)
{
    PostInput(Msg, Keys, MakePointParam(X, Y));
}

void cHeadlessWindowSystem::Wheel(int Rotation, int X, int Y, std::uintptr_t Keys)
{
    const auto Packed = static_cast<std::uintptr_t>(
        (static_cast<std::uint32_t>(Rotation) & 0xFFFFu) << 16 | (Keys & 0xFFFFu));
    PostInput(WM_MOUSEWHEEL, Packed, MakePointParam(X, Y));
}

void cHeadlessWindowSystem::DropFiles(std::vector<std::string> Paths)
{
    const std::uintptr_t Drop = mDrops.Add(std::move(Paths));
    PostInput(WM_DROPFILES, Drop);
}

std::vector<std::string> cHeadlessWindowSystem::TakeDroppedFiles(std::uintptr_t Drop)
{
    return mDrops.Take(Drop);
}

void cHeadlessWindowSystem::ResizeWindow(int Width, int Height)
{
    mWindowWidth = Width;
    mWindowHeight = Height;
    // Only the menu bar takes room from the outer size, as at creation.
    mClientWidth = Width;
    mClientHeight = Height > 20 ? Height - 20 : 0;
    PostInput(WM_SIZE, 0, MakePointParam(mClientWidth, mClientHeight));
}

void cHeadlessWindowSystem::GetWindowSize(HWindow Window, int& Width, int& Height)
{
    Width = IsMain(Window) ? mWindowWidth : 0;
    Height = IsMain(Window) ? mWindowHeight : 0;
}

bool cHeadlessWindowSystem::GetWindowPicture(HWindow Window, std::vector<std::uint8_t>& RGB,
                                             int& Width, int& Height)
{
    if (!IsMain(Window))
        return false;
    const int Swaps = mSwapCount, Presents = mPresentCount;
    mPaintPending = true;
    CallProc(WM_PAINT, 0, 0);
    if (mSwapCount == Swaps && mPresentCount == Presents)
        return false;
    if (!mShownPresented)
    {
        if (mPicture.empty())
            return false;
        Width = mClientWidth;
        Height = mClientHeight;
        RGB = mPicture;
        return RGB.size() == static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) * 3;
    }
    // The presented picture at the top-left corner, the rest of the client area black.
    Width = mClientWidth;
    Height = mClientHeight;
    RGB.assign(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) * 3, 0);
    for (int Y = 0; Y < Height && Y < mPresentedHeight; ++Y)
        for (int X = 0; X < Width && X < mPresentedWidth; ++X)
        {
            const std::uint32_t Pixel =
                mPresented[static_cast<std::size_t>(Y) * mPresentedWidth + X];
            std::uint8_t* pOut = &RGB[(static_cast<std::size_t>(Y) * Width + X) * 3];
            pOut[0] = static_cast<std::uint8_t>(Pixel >> 16);
            pOut[1] = static_cast<std::uint8_t>(Pixel >> 8);
            pOut[2] = static_cast<std::uint8_t>(Pixel);
        }
    return Width > 0 && Height > 0;
}

bool cHeadlessWindowSystem::SetClipboardPicture(const std::uint8_t* pRGB, int Width, int Height)
{
    if (mClipboardFails || pRGB == nullptr || Width <= 0 || Height <= 0)
        return false;
    const std::size_t Size = static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) * 3;
    mClipboard.push_back({std::vector<std::uint8_t>(pRGB, pRGB + Size), Width, Height});
    return true;
}

void cHeadlessWindowSystem::UseSettingsFile(const std::string& Path)
{
    mSettings = std::make_unique<cSettingsFile>(Path);
}

cSettingsFile& cHeadlessWindowSystem::Settings()
{
    if (!mSettings)
        mSettings = std::make_unique<cSettingsFile>(std::string());
    return *mSettings;
}

bool cHeadlessWindowSystem::GetSetting(const char* pszKey, std::string& Value)
{
    return pszKey != nullptr && Settings().Get(pszKey, Value);
}

void cHeadlessWindowSystem::SetSetting(const char* pszKey, const char* pszValue)
{
    if (pszKey != nullptr)
        Settings().Set(pszKey, pszValue);
}
