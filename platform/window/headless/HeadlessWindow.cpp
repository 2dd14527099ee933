// Headless back end: the main window, its menu bar, the OpenGL context and palettes, pictures
// presented without OpenGL, and the back-end selection. The queue is in HeadlessQueue.cpp,
// dialogs and choosers in HeadlessDialogs.cpp, pointer, drops, clipboard and settings in
// HeadlessInput.cpp.
#include "platform/window/headless/HeadlessWindow.h"

#include <stdexcept>

#include "platform/offscreen/OffscreenGL.h"
#include "platform/settings/SettingsFile.h"

namespace
{
// The headless window has no frame; only a menu bar takes room from the outer size.
constexpr int MENU_BAR_HEIGHT = 20;
}  // namespace

cHeadlessWindowSystem::cHeadlessWindowSystem()
{
    // A direct-colour format like a desktop's: no palette needed.
    mReportedFormat.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    mReportedFormat.cColorBits = 24;
    mReportedFormat.cRedBits = mReportedFormat.cGreenBits = mReportedFormat.cBlueBits = 8;
    mReportedFormat.cRedShift = 16;
    mReportedFormat.cGreenShift = 8;
    mReportedFormat.cDepthBits = 24;
}

cHeadlessWindowSystem::~cHeadlessWindowSystem() = default;

HWindow cHeadlessWindowSystem::CreateMainWindow(const tMainWindowDesc& Desc)
{
    if (mProc || !Desc.Proc || !Desc.pInstance)
        return HWindow::None;
    const tMenuTemplate* pMenu = Desc.pInstance->FindMenu(Desc.MenuId);
    if (!pMenu || !Desc.pInstance->FindIcon(Desc.IconId))
        return HWindow::None;

    for (const tMenuPopup& Popup : pMenu->Popups)
        mPopups.push_back(CopyPopup(Popup.pszText, Popup.Items));
    mMenuTemplate = pMenu;
    mWindowTitle = Desc.pszTitle;
    mWindowWidth = Desc.Width;
    mWindowHeight = Desc.Height;
    mWindowIconId = Desc.IconId;
    mClientWidth = Desc.Width;
    mClientHeight = Desc.Height > MENU_BAR_HEIGHT ? Desc.Height - MENU_BAR_HEIGHT : 0;
    mProc = Desc.Proc;

    if (CallProc(WM_CREATE, 0, 0) == -1)
    {
        DestroyWindow(MAIN_WINDOW);
        return HWindow::None;
    }
    const auto Size = static_cast<std::intptr_t>((mClientHeight << 16) | mClientWidth);
    CallProc(WM_SIZE, 0, Size);
    return MAIN_WINDOW;
}

void cHeadlessWindowSystem::ShowWindow(HWindow Window)
{
    if (IsMain(Window))
    {
        mWindowShown = true;
        mPaintPending = true;
    }
}

void cHeadlessWindowSystem::UpdateWindow(HWindow Window)
{
    if (IsMain(Window) && mPaintPending)
        CallProc(WM_PAINT, 0, 0);
}

void cHeadlessWindowSystem::DestroyWindow(HWindow Window)
{
    if (!IsMain(Window))
        return;
    mWindowShown = false;
    CallProc(WM_DESTROY, 0, 0);
    mWindowDestroyed = true;
    mPaintPending = false;
}

std::intptr_t cHeadlessWindowSystem::DefWindowProc(HWindow Window, std::uint32_t Msg,
                                                   std::uintptr_t wParam, std::intptr_t lParam)
{
    if (Msg == WM_CLOSE)
        DestroyWindow(Window);
    else if (Msg == WM_PAINT)
        ValidateRect(Window);
    return 0;
}

std::intptr_t cHeadlessWindowSystem::CallProc(std::uint32_t Msg, std::uintptr_t wParam,
                                              std::intptr_t lParam)
{
    if (mWindowDestroyed || !mProc)
        return 0;
    if (Msg == WM_PAINT)
        mPaintTimes.push_back(mNow);
    return mProc(MAIN_WINDOW, Msg, wParam, lParam);
}

// ---- menus ----------------------------------------------------------------------------------

HMenu cHeadlessWindowSystem::GetMenu(HWindow Window)
{
    return IsMain(Window) ? MENU_BAR : HMenu::None;
}

HMenu cHeadlessWindowSystem::GetSubMenu(HMenu Menu, int Position)
{
    if (Menu != MENU_BAR)
    {
        const tPopup* pPopup = FindPopup(Menu);
        if (!pPopup || Position < 0 || Position >= static_cast<int>(pPopup->Items.size()))
            return HMenu::None;
        const int Submenu = pPopup->Items[static_cast<std::size_t>(Position)].Submenu;
        return Submenu < 0 ? HMenu::None
                           : static_cast<HMenu>(SUBMENU_BASE + static_cast<std::uintptr_t>(Submenu));
    }
    if (Position < 0 || Position >= static_cast<int>(mPopups.size()))
        return HMenu::None;
    return static_cast<HMenu>(POPUP_BASE + static_cast<std::uintptr_t>(Position));
}

cHeadlessWindowSystem::tPopup cHeadlessWindowSystem::CopyPopup(const char* pszText,
                                                               const std::vector<tMenuItem>& Items)
{
    tPopup Copy{pszText, {}};
    for (const tMenuItem& Item : Items)
    {
        int Submenu = -1;
        if (Item.CommandId == ID_NONE)
        {
            tPopup Inner = CopyPopup(Item.pszText, Item.SubItems);
            mSubmenus.push_back(std::move(Inner));
            Submenu = static_cast<int>(mSubmenus.size()) - 1;
        }
        Copy.Items.push_back({Item.pszText, Item.CommandId, Item.bChecked, Item.Accelerator, Submenu});
    }
    return Copy;
}

cHeadlessWindowSystem::tPopup* cHeadlessWindowSystem::FindPopup(HMenu Menu)
{
    const auto Value = static_cast<std::uintptr_t>(Menu);
    if (Value >= SUBMENU_BASE && Value - SUBMENU_BASE < mSubmenus.size())
        return &mSubmenus[Value - SUBMENU_BASE];
    if (Value < POPUP_BASE || Value - POPUP_BASE >= mPopups.size())
        return nullptr;
    return &mPopups[Value - POPUP_BASE];
}

std::vector<cHeadlessWindowSystem::tPopup*> cHeadlessWindowSystem::AllPopups()
{
    std::vector<tPopup*> All;
    for (tPopup& Popup : mPopups)
        All.push_back(&Popup);
    for (tPopup& Popup : mSubmenus)
        All.push_back(&Popup);
    return All;
}

std::vector<const cHeadlessWindowSystem::tPopup*> cHeadlessWindowSystem::AllPopups() const
{
    std::vector<const tPopup*> All;
    for (const tPopup& Popup : mPopups)
        All.push_back(&Popup);
    for (const tPopup& Popup : mSubmenus)
        All.push_back(&Popup);
    return All;
}

cHeadlessWindowSystem::tItem* cHeadlessWindowSystem::FindItem(HMenu Menu, int CommandId)
{
    for (tPopup* pPopup : AllPopups())
    {
        if (Menu != MENU_BAR && FindPopup(Menu) != pPopup)
            continue;
        for (tItem& Item : pPopup->Items)
            if (Item.CommandId == CommandId)
                return &Item;
    }
    return nullptr;
}

void cHeadlessWindowSystem::CheckMenuItem(HMenu Menu, int CommandId, bool bChecked)
{
    if (tItem* pItem = FindItem(Menu, CommandId))
        pItem->bChecked = bChecked;
}

bool cHeadlessWindowSystem::RemoveMenuByCommand(HMenu Menu, int CommandId)
{
    for (tPopup* pPopup : AllPopups())
    {
        if (Menu != MENU_BAR && FindPopup(Menu) != pPopup)
            continue;
        std::vector<tItem>& Items = pPopup->Items;
        for (auto It = Items.begin(); It != Items.end(); ++It)
            if (It->CommandId == CommandId)
            {
                Items.erase(It);
                return true;
            }
    }
    return false;
}

bool cHeadlessWindowSystem::RemoveMenuByPosition(HMenu Menu, int Position)
{
    tPopup* pPopup = FindPopup(Menu);
    if (!pPopup || Position < 0 || Position >= static_cast<int>(pPopup->Items.size()))
        return false;
    pPopup->Items.erase(pPopup->Items.begin() + Position);
    return true;
}

void cHeadlessWindowSystem::AppendMenu(HMenu Menu, int CommandId, const char* pszText)
{
    if (tPopup* pPopup = FindPopup(Menu))
        pPopup->Items.push_back({pszText ? pszText : "", CommandId, false, {}, -1});
}

void cHeadlessWindowSystem::DrawMenuBar(HWindow Window)
{
    if (IsMain(Window))
        ++mDrawMenuBarCount;
}

bool cHeadlessWindowSystem::IsChecked(int CommandId) const
{
    for (const tPopup* pPopup : AllPopups())
        for (const tItem& Item : pPopup->Items)
            if (Item.CommandId == CommandId)
                return Item.bChecked;
    return false;
}

bool cHeadlessWindowSystem::HasItem(int CommandId) const
{
    for (const tPopup* pPopup : AllPopups())
        for (const tItem& Item : pPopup->Items)
            if (Item.CommandId == CommandId)
                return true;
    return false;
}

tAccelerator cHeadlessWindowSystem::ItemAccelerator(int CommandId) const
{
    for (const tPopup* pPopup : AllPopups())
        for (const tItem& Item : pPopup->Items)
            if (Item.CommandId == CommandId)
                return Item.Accelerator;
    return {};
}

std::vector<std::pair<int, std::string>> cHeadlessWindowSystem::PopupItems(int Position,
                                                                            int Item) const
{
    std::vector<std::pair<int, std::string>> Items;
    if (Position < 0 || Position >= static_cast<int>(mPopups.size()))
        return Items;
    const tPopup* pPopup = &mPopups[static_cast<std::size_t>(Position)];
    if (Item >= 0)
    {
        if (Item >= static_cast<int>(pPopup->Items.size()) ||
            pPopup->Items[static_cast<std::size_t>(Item)].Submenu < 0)
            return Items;
        pPopup = &mSubmenus[static_cast<std::size_t>(
            pPopup->Items[static_cast<std::size_t>(Item)].Submenu)];
    }
    for (const tItem& Entry : pPopup->Items)
        Items.emplace_back(Entry.CommandId, Entry.Text);
    return Items;
}

std::string cHeadlessWindowSystem::PopupText(int Position) const
{
    if (Position < 0 || Position >= static_cast<int>(mPopups.size()))
        return {};
    return mPopups[static_cast<std::size_t>(Position)].Text;
}

// ---- OpenGL and palettes ---------------------------------------------------------------------

bool cHeadlessWindowSystem::SetPixelFormat(HWindow Window, const tPixelFormat& Request)
{
    if (!IsMain(Window) || mFormatSet)
        return false;
    mFormatSet = true;
    return true;
}

bool cHeadlessWindowSystem::DescribePixelFormat(HWindow Window, tPixelFormat& Format)
{
    if (!IsMain(Window) || !mFormatSet)
        return false;
    Format = mReportedFormat;
    return true;
}

HGLContext cHeadlessWindowSystem::CreateGLContext(HWindow Window)
{
    if (!IsMain(Window) || !mFormatSet || mGL)
        return HGLContext::None;
    try
    {
        mGL = std::make_shared<cOffscreenGL>(mClientWidth > 0 ? mClientWidth : 1,
                                             mClientHeight > 0 ? mClientHeight : 1);
    }
    catch (const std::runtime_error&)
    {
        return HGLContext::None;
    }
    return GL_CONTEXT;
}

bool cHeadlessWindowSystem::MakeCurrent(HWindow Window, HGLContext Context)
{
    if (Context == HGLContext::None)
        return true;
    return Context == GL_CONTEXT && mGL && IsMain(Window) && GLMakeCurrent();
}

void cHeadlessWindowSystem::DeleteGLContext(HGLContext Context)
{
    if (Context == GL_CONTEXT)
    {
        mGL.reset();
        mPicture.clear();
    }
}

void cHeadlessWindowSystem::SwapBuffers(HWindow Window)
{
    if (!IsMain(Window))
        return;
    ++mSwapCount;
    GLSwapAndRead();
}

bool cHeadlessWindowSystem::HasGL() const
{
    return mGL != nullptr;
}

std::vector<std::uint8_t> cHeadlessWindowSystem::ReadPicture() const
{
    return mPicture;
}

bool cHeadlessWindowSystem::GLMakeCurrent()
{
    return mGL->MakeCurrent();
}

void cHeadlessWindowSystem::GLSwapAndRead()
{
    if (!mGL)
        return;
    mGL->SwapBuffers();
    mPicture = mGL->ReadRGB();
    mShownPresented = false;
}

HPalette cHeadlessWindowSystem::CreatePalette(const tPaletteEntry* pEntries, int NumEntries)
{
    if (!pEntries || NumEntries <= 0)
        return HPalette::None;
    mLastPalette.assign(pEntries, pEntries + NumEntries);
    const std::uintptr_t Id = mNextPalette++;
    mPalettes[Id] = mLastPalette;
    return static_cast<HPalette>(Id);
}

void cHeadlessWindowSystem::SelectPalette(HWindow Window, HPalette Palette, bool bBackground)
{
    if (IsMain(Window) && mPalettes.count(static_cast<std::uintptr_t>(Palette)))
        mSelectedPalette = Palette;
}

int cHeadlessWindowSystem::RealizePalette(HWindow Window)
{
    ++mRealizeCount;
    const auto It = mPalettes.find(static_cast<std::uintptr_t>(mSelectedPalette));
    if (!IsMain(Window) || It == mPalettes.end() || !(mReportedFormat.dwFlags & PFD_NEED_PALETTE))
        return 0;
    return static_cast<int>(It->second.size());
}

void cHeadlessWindowSystem::UpdateColors(HWindow Window)
{
    ++mUpdateColorsCount;
}

void cHeadlessWindowSystem::DeletePalette(HPalette Palette)
{
    mPalettes.erase(static_cast<std::uintptr_t>(Palette));
    if (mSelectedPalette == Palette)
        mSelectedPalette = HPalette::None;
}

// ---- pictures drawn without OpenGL ----------------------------------------------------------

int cHeadlessWindowSystem::GetDisplayBitsPerPixel(HWindow Window)
{
    return mDisplayBitsPerPixel;
}

void cHeadlessWindowSystem::GetClientSize(HWindow Window, int& Width, int& Height)
{
    Width = IsMain(Window) ? mClientWidth : 0;
    Height = IsMain(Window) ? mClientHeight : 0;
}

void cHeadlessWindowSystem::PresentPicture(HWindow Window, const std::uint32_t* XRGB, int Width,
                                           int Height)
{
    if (!IsMain(Window) || XRGB == nullptr || Width <= 0 || Height <= 0)
        return;
    const std::size_t Count = static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height);
    mPresented.assign(XRGB, XRGB + Count);
    mPresentedWidth = Width;
    mPresentedHeight = Height;
    ++mPresentCount;
    mShownPresented = true;
}

std::unique_ptr<cWindowSystem> CreateWindowSystem(int argc, char** argv)
{
    return std::make_unique<cHeadlessWindowSystem>();
}
