// The dialog procedures (frame rate; about, key help and loading) and the Polygons radio
// group of the menu.
#include <string>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "render/ViewState.h"

namespace
{
constexpr int MIN_FRAME_RATE = 1;
constexpr int MAX_FRAME_RATE = 60;
constexpr int FRAME_RATE_PAGE = 5;

int ClampFrameRate(int Rate)
{
    return Rate < MIN_FRAME_RATE ? MIN_FRAME_RATE : Rate > MAX_FRAME_RATE ? MAX_FRAME_RATE : Rate;
}

void ShowFrameRate(HWindow Dialog, bool bRedraw)
{
    Shell.WindowSystem->SetScrollInfo(Dialog, IDC_FRAMERATE_SCROLL, MIN_FRAME_RATE, MAX_FRAME_RATE,
                                FRAME_RATE_PAGE, View.FrameRate, bRedraw);
    Shell.WindowSystem->SetDlgItemText(Dialog, IDC_FRAMERATE_EDIT, std::to_string(View.FrameRate).c_str());
}

// OK ends a dialog with 0, Cancel with 1.
bool EndOnButton(HWindow Dialog, std::uintptr_t Button)
{
    if (Button == IDOK)
        Shell.WindowSystem->EndDialog(Dialog, 0);
    else if (Button == IDCANCEL)
        Shell.WindowSystem->EndDialog(Dialog, 1);
    return false;
}
}  // namespace

bool FrameRateDialogProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam,
                         std::intptr_t lParam)
{
    switch (Msg)
    {
    case WM_INITDIALOG:
        ShowFrameRate(Dialog, false);
        return true;
    case WM_HSCROLL:
        switch (static_cast<int>(wParam & 0xFFFF))
        {
        case SB_LINELEFT:
            View.FrameRate = ClampFrameRate(View.FrameRate - 1);
            break;
        case SB_LINERIGHT:
            View.FrameRate = ClampFrameRate(View.FrameRate + 1);
            break;
        case SB_PAGELEFT:
            View.FrameRate = ClampFrameRate(View.FrameRate - FRAME_RATE_PAGE);
            break;
        case SB_PAGERIGHT:
            View.FrameRate = ClampFrameRate(View.FrameRate + FRAME_RATE_PAGE);
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            // Clamped too: a rate of 0 would divide by zero when the interval is derived.
            View.FrameRate = ClampFrameRate(static_cast<int>((wParam >> 16) & 0xFFFF));
            break;
        default:
            break;
        }
        ShowFrameRate(Dialog, true);
        return false;
    case WM_COMMAND:
        return EndOnButton(Dialog, wParam);
    default:
        return false;
    }
}

bool PlainDialogProc(HWindow Dialog, std::uint32_t Msg, std::uintptr_t wParam,
                     std::intptr_t lParam)
{
    if (Msg == WM_INITDIALOG)
        return true;
    if (Msg == WM_COMMAND)
        return EndOnButton(Dialog, wParam);
    return false;
}

void CheckPolygonMenuItem(int CommandId)
{
    static const int POLYGON_ITEMS[] = {IDM_POLY_ALL, IDM_POLY_TRANSLUCENT, IDM_POLY_MASKED,
                                        IDM_POLY_TWOSIDED, IDM_POLY_PLACEHOLDER};
    const HMenu Menu = Shell.WindowSystem->GetMenu(Shell.MainWindow);
    Shell.WindowSystem->CheckMenuItem(Menu, CommandId, true);
    for (int Item : POLYGON_ITEMS)
        if (Item != CommandId)
            Shell.WindowSystem->CheckMenuItem(Menu, Item, false);
}
