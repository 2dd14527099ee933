// The shape of the program's user-interface resources: menu bar, dialog templates, icon and
// version record. The program keeps its resources as data (app/resources/); every window
// system back end builds its menus, dialogs and icon from these records, so each text and
// identifier is written in one place only.
#pragma once

#include <cstdint>
#include <vector>

// Control id of controls the program never addresses, and of menu items that open a pop-up.
constexpr int ID_NONE = -1;

// Modifier keys of a menu item's accelerator.
enum : unsigned { ACCEL_CONTROL = 0x1, ACCEL_SHIFT = 0x2 };

// A key that chooses a menu item: the virtual-key code (VK_*, or a letter's upper-case code)
// with exactly these modifiers held. The window system turns it into the item's WM_COMMAND
// instead of a key-down, and the menu shows it beside the item's text.
struct tAccelerator
{
    std::uintptr_t VirtualKey = 0;   // 0: none
    unsigned Modifiers = 0;          // ACCEL_*
};

// One item of a pop-up menu. An item with the command id ID_NONE opens a pop-up of its own,
// which starts with SubItems (none at all is fine: the program may fill it later).
struct tMenuItem
{
    const char* pszText;
    int CommandId;
    bool bChecked;            // initial check mark
    bool bCheckable = false;  // the program may check it: shown with a check box from the start
    tAccelerator Accelerator = {};
    std::vector<tMenuItem> SubItems = {};
};

// One top-level pop-up of the menu bar.
struct tMenuPopup
{
    const char* pszText;
    std::vector<tMenuItem> Items;
    bool bHelp;      // placed at the right end of the menu bar
};

struct tMenuTemplate
{
    int ResourceId;
    std::vector<tMenuPopup> Popups;   // left to right; positions count from 0

    // The command of the item whose accelerator is this key with exactly these modifiers;
    // ID_NONE when no item has it.
    int FindAccelerator(std::uintptr_t VirtualKey, unsigned Modifiers) const
    {
        for (const tMenuPopup& Popup : Popups)
        {
            const int CommandId = FindAcceleratorIn(Popup.Items, VirtualKey, Modifiers);
            if (CommandId != ID_NONE)
                return CommandId;
        }
        return ID_NONE;
    }

private:
    static int FindAcceleratorIn(const std::vector<tMenuItem>& Items, std::uintptr_t VirtualKey,
                                 unsigned Modifiers)
    {
        for (const tMenuItem& Item : Items)
        {
            if (Item.Accelerator.VirtualKey != 0 && Item.Accelerator.VirtualKey == VirtualKey &&
                Item.Accelerator.Modifiers == Modifiers)
                return Item.CommandId;
            const int Inner = FindAcceleratorIn(Item.SubItems, VirtualKey, Modifiers);
            if (Inner != ID_NONE)
                return Inner;
        }
        return ID_NONE;
    }
};

enum class eControlType
{
    PushButton,        // sends WM_COMMAND with its id when pressed
    DefPushButton,     // the same, and pressed by Return
    Static,            // one line of text, left-aligned
    GroupBox,          // frame with a caption around other controls
    ReadOnlyEdit,      // a single-line number/text box the user cannot type into
    HScrollBar,        // horizontal scroll bar: sends WM_HSCROLL with its scroll codes
    ListBox,           // sorted list, vertical and horizontal scroll bars
    ProgressBar,       // horizontal bar set by cWindowSystem::SetProgress
};


// One control of a dialog. Positions and sizes are in dialog units: a quarter of the dialog
// font's average character width horizontally, an eighth of its height vertically.
struct tDialogControl
{
    eControlType Type;
    int Id;
    const char* pszText;   // "" for none
    int X, Y, Width, Height;
};

struct tDialogTemplate
{
    int ResourceId;
    const char* pszCaption;
    int Width, Height;     // client size in dialog units
    bool bSystemMenu;      // the frame offers the close box (which sends IDCANCEL)
    bool bVisible;         // shown at creation (modeless windows)
    const char* pszFont;   // the dialog font's face name and point size
    int FontPoints;
    std::vector<tDialogControl> Controls;   // in tab order, top to bottom
};

// A 16-colour image: NumColors palette entries 0x00BBGGRR and one palette index per pixel,
// rows top to bottom.
struct tIconTemplate
{
    int ResourceId;
    int Width, Height;
    std::vector<std::uint32_t> Palette;
    std::vector<std::uint8_t> Pixels;
};

struct tVersionRecord
{
    int FileVersion[4];
    int ProductVersion[4];
    bool bDebug;
    const char* pszFileDescription;
    const char* pszOriginalFilename;
    const char* pszProductName;
    const char* pszCompanyName;
    const char* pszLegalCopyright;
};

// Everything a program hands to the window system as its resources.
struct tResourceTable
{
    std::vector<tMenuTemplate> Menus;
    std::vector<tDialogTemplate> Dialogs;
    std::vector<tIconTemplate> Icons;
    tVersionRecord Version;

    // Look-ups by resource id; null when there is no such resource.
    const tMenuTemplate* FindMenu(int ResourceId) const
    {
        for (const tMenuTemplate& Menu : Menus)
            if (Menu.ResourceId == ResourceId)
                return &Menu;
        return nullptr;
    }
    const tDialogTemplate* FindDialog(int ResourceId) const
    {
        for (const tDialogTemplate& Dialog : Dialogs)
            if (Dialog.ResourceId == ResourceId)
                return &Dialog;
        return nullptr;
    }
    const tIconTemplate* FindIcon(int ResourceId) const
    {
        for (const tIconTemplate& Icon : Icons)
            if (Icon.ResourceId == ResourceId)
                return &Icon;
        return nullptr;
    }
};
