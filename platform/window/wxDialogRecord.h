// What the wx back end keeps about one dialog built from a resource template.
#pragma once

#include <cstdint>
#include <map>

#include "platform/window/Window.h"

class wxDialog;
class wxWindow;

struct tWxDialogRecord
{
    HWindow Handle = HWindow::None;
    wxDialog* pDialog = nullptr;   // owned by the toolkit; destroyed by CloseDialog
    DialogProc Proc = nullptr;
    bool bModal = false;
    bool bEnded = false;           // EndDialog was called
    std::intptr_t Result = 0;      // the value given to EndDialog
    std::map<int, wxWindow*> Controls;   // by the resource's control id
    std::map<int, int> ControlIds;       // toolkit id to the resource's control id
};
