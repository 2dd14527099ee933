// Toolkit key codes to virtual-key codes.
#include "platform/window/wxKeyMap.h"

#include <wx/defs.h>

#include "platform/window/Window.h"

namespace
{
// Codes the window interface does not name but a keyboard still sends.
constexpr std::uintptr_t VK_CONTROL = 0x11;
constexpr std::uintptr_t VK_PAUSE = 0x13;
constexpr std::uintptr_t VK_CAPITAL = 0x14;
constexpr std::uintptr_t VK_NUMPAD0 = 0x60;
constexpr std::uintptr_t VK_MULTIPLY = 0x6A;
constexpr std::uintptr_t VK_ADD = 0x6B;
constexpr std::uintptr_t VK_SUBTRACT = 0x6D;
constexpr std::uintptr_t VK_DECIMAL = 0x6E;
constexpr std::uintptr_t VK_DIVIDE = 0x6F;
constexpr std::uintptr_t VK_F1 = 0x70;

struct tKeyPair
{
    int WxKey;
    std::uintptr_t VirtualKey;
};

const tKeyPair KEY_TABLE[] = {
    {WXK_BACK, VK_BACK},         {WXK_TAB, VK_TAB},
    {WXK_RETURN, VK_RETURN},     {WXK_NUMPAD_ENTER, VK_RETURN},
    {WXK_ESCAPE, VK_ESCAPE},     {WXK_SPACE, VK_SPACE},
    {WXK_SHIFT, VK_SHIFT},       {WXK_CONTROL, VK_CONTROL},
    {WXK_PAUSE, VK_PAUSE},
    {WXK_CAPITAL, VK_CAPITAL},   {WXK_PAGEUP, VK_PRIOR},
    {WXK_NUMPAD_PAGEUP, VK_PRIOR}, {WXK_PAGEDOWN, VK_NEXT},
    {WXK_NUMPAD_PAGEDOWN, VK_NEXT}, {WXK_END, VK_END},
    {WXK_NUMPAD_END, VK_END},    {WXK_HOME, VK_HOME},
    {WXK_NUMPAD_HOME, VK_HOME},  {WXK_LEFT, VK_LEFT},
    {WXK_NUMPAD_LEFT, VK_LEFT},  {WXK_UP, VK_UP},
    {WXK_NUMPAD_UP, VK_UP},      {WXK_RIGHT, VK_RIGHT},
    {WXK_NUMPAD_RIGHT, VK_RIGHT}, {WXK_DOWN, VK_DOWN},
    {WXK_NUMPAD_DOWN, VK_DOWN},  {WXK_INSERT, VK_INSERT},
    {WXK_NUMPAD_INSERT, VK_INSERT}, {WXK_DELETE, VK_DELETE},
    {WXK_NUMPAD_DELETE, VK_DELETE}, {WXK_MULTIPLY, VK_MULTIPLY},
    {WXK_NUMPAD_MULTIPLY, VK_MULTIPLY}, {WXK_ADD, VK_ADD},
    {WXK_NUMPAD_ADD, VK_ADD},    {WXK_SUBTRACT, VK_SUBTRACT},
    {WXK_NUMPAD_SUBTRACT, VK_SUBTRACT}, {WXK_DECIMAL, VK_DECIMAL},
    {WXK_NUMPAD_DECIMAL, VK_DECIMAL}, {WXK_DIVIDE, VK_DIVIDE},
    {WXK_NUMPAD_DIVIDE, VK_DIVIDE},
    // Punctuation keys, by the character they type unshifted on a US layout.
    {';', 0xBA}, {'=', 0xBB}, {',', 0xBC}, {'-', 0xBD}, {'.', 0xBE}, {'/', 0xBF},
    {'`', 0xC0}, {'[', 0xDB}, {'\\', 0xDC}, {']', 0xDD}, {'\'', 0xDE},
};
}  // namespace

std::uintptr_t VirtualKeyFromWx(int WxKeyCode)
{
    if (WxKeyCode == WXK_ALT)
        return 0;
    if (WxKeyCode >= 'a' && WxKeyCode <= 'z')
        return static_cast<std::uintptr_t>(WxKeyCode - 'a' + 'A');
    if ((WxKeyCode >= 'A' && WxKeyCode <= 'Z') || (WxKeyCode >= '0' && WxKeyCode <= '9'))
        return static_cast<std::uintptr_t>(WxKeyCode);
    if (WxKeyCode >= WXK_NUMPAD0 && WxKeyCode <= WXK_NUMPAD9)
        return VK_NUMPAD0 + static_cast<std::uintptr_t>(WxKeyCode - WXK_NUMPAD0);
    if (WxKeyCode >= WXK_F1 && WxKeyCode <= WXK_F24)
        return VK_F1 + static_cast<std::uintptr_t>(WxKeyCode - WXK_F1);
    for (const tKeyPair& Pair : KEY_TABLE)
        if (Pair.WxKey == WxKeyCode)
            return Pair.VirtualKey;
    // Still a key press the shell must see (it redraws on every one); WXK_NONE is what the
    // toolkit gives for letters outside the Latin range.
    return VK_OTHER;
}
