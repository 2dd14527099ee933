// Turns toolkit key codes into the virtual-key codes WM_KEYDOWN carries.
#pragma once

#include <cstdint>

// The virtual-key code for a toolkit key code (wxKeyCode, or the character of a printable key).
// Letters map to their upper-case code and digits to their own; a key this map has no code for
// (WXK_NONE included: a letter of another script) gives VK_OTHER. Returns 0 only for Alt, which
// belongs to the menu bar and sends no key-down to the window.
std::uintptr_t VirtualKeyFromWx(int WxKeyCode);
