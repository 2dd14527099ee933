// The main window's menu bar built from its resource, and the menu operations: check marks,
// removing and appending items. Items carry toolkit ids mapped from the program's commands;
// an item's accelerator is shown after its text (the canvas turns the key into the command).
#include <dlfcn.h>

#include <wx/frame.h>
#include <wx/menu.h>

#include "platform/window/wxMainFrame.h"
#include "platform/window/wxText.h"
#include "platform/window/wxWindowSystem.h"

namespace
{
// Menu texts are shown as written: an ampersand is not a mnemonic marker. An empty text (a
// sequence named by nothing) becomes a blank item: the toolkit refuses empty labels on items
// that are not its own stock ones.
wxString MenuText(const char* pszText)
{
    wxString Text = ToolkitText(pszText);
    if (Text.empty())
        return " ";
    Text.Replace("&", "&&");
    return Text;
}

// Places a menu bar pop-up at the right end of the bar. GTK's development headers are not
// part of the build; the toolkit library is already loaded by wx, so the call is looked up.
void PlaceAtRightEnd(wxMenu* pMenu)
{
    using tRightJustify = void (*)(void*, int);
    static const auto RightJustify =
        reinterpret_cast<tRightJustify>(dlsym(RTLD_DEFAULT, "gtk_menu_item_set_right_justified"));
    if (RightJustify != nullptr && pMenu->m_owner != nullptr)
        RightJustify(pMenu->m_owner, 1);
}

// The accelerator as the menu shows it, after a tab: "Ctrl+PgDn".
wxString AcceleratorText(const tAccelerator& Accelerator)
{
    if (Accelerator.VirtualKey == 0)
        return wxString();
    wxString Text = "\t";
    if (Accelerator.Modifiers & ACCEL_CONTROL)
        Text += "Ctrl+";
    if (Accelerator.Modifiers & ACCEL_SHIFT)
        Text += "Shift+";
    switch (Accelerator.VirtualKey)
    {
    case VK_PRIOR:
        return Text + "PgUp";
    case VK_NEXT:
        return Text + "PgDn";
    default:
        return Text + wxString(static_cast<char>(Accelerator.VirtualKey));
    }
}

int PositionOf(const wxMenu* pMenu, int ToolkitId)
{
    int Position = 0;
    for (const wxMenuItem* pItem : pMenu->GetMenuItems())
    {
        if (pItem->GetId() == ToolkitId)
            return Position;
        ++Position;
    }
    return -1;
}
}  // namespace

void cWxWindowSystem::BuildMenuBar(const tResourceTable& Resources, int MenuId)
{
    const tMenuTemplate* pTemplate = Resources.FindMenu(MenuId);
    if (pTemplate == nullptr)
        return;
    mMenuTemplate = pTemplate;
    auto* pBar = new wxMenuBar;
    for (const tMenuPopup& Popup : pTemplate->Popups)
    {
        wxMenu* pMenu = BuildPopup(Popup.Items);
        pBar->Append(pMenu, MenuText(Popup.pszText));
        if (Popup.bHelp)
            PlaceAtRightEnd(pMenu);
        mPopups.push_back(pMenu);
    }
    mFrame->SetMenuBar(pBar);
}

wxMenu* cWxWindowSystem::BuildPopup(const std::vector<tMenuItem>& Items)
{
    auto* pMenu = new wxMenu;
    for (const tMenuItem& Item : Items)
    {
        if (Item.CommandId == ID_NONE)
        {
            wxMenu* pInner = BuildPopup(Item.SubItems);
            mSubmenus.push_back(pInner);
            pMenu->AppendSubMenu(pInner, MenuText(Item.pszText));
            continue;
        }
        const int ToolkitId = mCommandIds.Acquire(Item.CommandId);
        if (ToolkitId < 0)
            continue;
        // Items the program checks get a check box from the start, so a toggle shows its
        // empty box while off; CheckMenuItem gives one to any other item it checks.
        pMenu->Append(ToolkitId, MenuText(Item.pszText) + AcceleratorText(Item.Accelerator),
                      wxString(), Item.bChecked || Item.bCheckable ? wxITEM_CHECK : wxITEM_NORMAL);
        if (Item.bChecked)
            pMenu->Check(ToolkitId, true);
        mLogicalChecks[Item.CommandId] = Item.bChecked;
    }
    return pMenu;
}

HMenu cWxWindowSystem::GetMenu(HWindow Window)
{
    return IsMain(Window) && !mPopups.empty() ? MENU_BAR : HMenu::None;
}

// Pop-up p of the menu bar is HMenu(2 + p); the pop-up s that an item opens is
// HMenu(SUBMENU_BASE + s).
constexpr std::uintptr_t SUBMENU_BASE = 1000;

HMenu cWxWindowSystem::GetSubMenu(HMenu Menu, int Position)
{
    if (Menu != MENU_BAR)
    {
        const wxMenu* pMenu = PopupOf(Menu);
        if (pMenu == nullptr || Position < 0 ||
            Position >= static_cast<int>(pMenu->GetMenuItemCount()))
            return HMenu::None;
        const wxMenu* pInner =
            pMenu->FindItemByPosition(static_cast<size_t>(Position))->GetSubMenu();
        for (std::size_t S = 0; S < mSubmenus.size(); ++S)
            if (pInner != nullptr && mSubmenus[S] == pInner)
                return static_cast<HMenu>(SUBMENU_BASE + S);
        return HMenu::None;
    }
    if (Position < 0 || Position >= static_cast<int>(mPopups.size()))
        return HMenu::None;
    return static_cast<HMenu>(2 + Position);
}

wxMenu* cWxWindowSystem::PopupOf(HMenu Menu) const
{
    const auto Index = static_cast<std::uintptr_t>(Menu);
    if (Index >= SUBMENU_BASE && Index - SUBMENU_BASE < mSubmenus.size())
        return mSubmenus[Index - SUBMENU_BASE];
    if (Index < 2 || Index - 2 >= mPopups.size())
        return nullptr;
    return mPopups[Index - 2];
}

bool cWxWindowSystem::FindItem(HMenu Menu, int ToolkitId, wxMenu*& pOwner, int& Position) const
{
    if (Menu == MENU_BAR)
    {
        for (const std::vector<wxMenu*>* pMenus : {&mPopups, &mSubmenus})
            for (wxMenu* pMenu : *pMenus)
            {
                Position = PositionOf(pMenu, ToolkitId);
                if (Position >= 0)
                {
                    pOwner = pMenu;
                    return true;
                }
            }
        return false;
    }
    pOwner = PopupOf(Menu);
    Position = pOwner != nullptr ? PositionOf(pOwner, ToolkitId) : -1;
    return Position >= 0;
}

void cWxWindowSystem::CheckMenuItem(HMenu Menu, int CommandId, bool bChecked)
{
    const int ToolkitId = mCommandIds.ToToolkit(CommandId);
    wxMenu* pOwner = nullptr;
    int Position = 0;
    if (ToolkitId < 0 || !FindItem(Menu, ToolkitId, pOwner, Position))
        return;
    mLogicalChecks[CommandId] = bChecked;
    wxMenuItem* pItem = pOwner->FindItemByPosition(static_cast<size_t>(Position));
    if (!pItem->IsCheckable())
    {
        if (!bChecked)
            return;
        const wxString Label = pItem->GetItemLabel();
        pOwner->Destroy(pItem);
        pItem = pOwner->Insert(static_cast<size_t>(Position), ToolkitId, Label, wxString(),
                               wxITEM_CHECK);
    }
    pItem->Check(bChecked);
}

bool cWxWindowSystem::RemoveMenuByCommand(HMenu Menu, int CommandId)
{
    const int ToolkitId = mCommandIds.ToToolkit(CommandId);
    wxMenu* pOwner = nullptr;
    int Position = 0;
    if (ToolkitId < 0 || !FindItem(Menu, ToolkitId, pOwner, Position))
        return false;
    pOwner->Destroy(pOwner->FindItemByPosition(static_cast<size_t>(Position)));
    mCommandIds.Release(CommandId);
    if (mCommandIds.ToToolkit(CommandId) < 0)
        mLogicalChecks.erase(CommandId);
    return true;
}

bool cWxWindowSystem::RemoveMenuByPosition(HMenu Menu, int Position)
{
    wxMenu* pMenu = PopupOf(Menu);
    if (pMenu == nullptr || Position < 0 ||
        Position >= static_cast<int>(pMenu->GetMenuItemCount()))
        return false;
    wxMenuItem* pItem = pMenu->FindItemByPosition(static_cast<size_t>(Position));
    int CommandId = 0;
    const bool bOurs = mCommandIds.ToCommand(pItem->GetId(), CommandId);
    pMenu->Destroy(pItem);
    if (bOurs)
    {
        mCommandIds.Release(CommandId);
        if (mCommandIds.ToToolkit(CommandId) < 0)
            mLogicalChecks.erase(CommandId);
    }
    return true;
}

void cWxWindowSystem::AppendMenu(HMenu Menu, int CommandId, const char* pszText)
{
    wxMenu* pMenu = PopupOf(Menu);
    if (pMenu == nullptr)
        return;
    const int ToolkitId = mCommandIds.Acquire(CommandId);
    if (ToolkitId >= 0)
        pMenu->Append(ToolkitId, MenuText(pszText));
}

void cWxWindowSystem::DrawMenuBar(HWindow Window)
{
    // The toolkit shows menu changes as they are made; nothing is left to draw.
}
