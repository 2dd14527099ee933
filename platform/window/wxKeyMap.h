// Turns toolkit key codes into the virtual-key codes WM_KEYDOWN carries.
#pragma once

#include <cstdint>

// The virtual-key code for a toolkit key code (wxKeyCode, or the character of a printable key).
// Letters map to their upper-case code and digits to their own. Returns 0 for keys that send no
// key-down to the window: Alt, which belongs to the menu bar, and codes this map does not know.
std::uintptr_t VirtualKeyFromWx(int WxKeyCode);
