// Icon 111: 32 x 32 pixels in 16 colours, the main window's icon (a shaded triangle on blue).
// Each row is 32 hexadecimal digits, one palette index per pixel.
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"

namespace
{
const char* const ICON_ROWS[32] = {
    "00000000000000000000000000000000",
    "01111111111111111111111111111110",
    "01111111111111111111111111111110",
    "0111111111111111e111111111111110",
    "0111111111111111e111111111111110",
    "011111111111111eee11111111111110",
    "011111111111111e9e11111111111110",
    "01111111111111ee9ee1111111111110",
    "01111111111111e9a9e1111111111110",
    "0111111111111eea99ee111111111110",
    "0111111111111ea999ae111111111110",
    "011111111111ee999a9ee11111111110",
    "011111111111e999a999e11111111110",
    "01111111111e999a999a9e1111111110",
    "01111111111e99a999a99e1111111110",
    "0111111111e99a999a999ae111111110",
    "0111111111e9a999a999a9e111111110",
    "011111111e9a999a999a999e11111110",
    "011111111ea999a999a999ae11111110",
    "01111111ea999a999a999a99e1111110",
    "01111111e999a999a999a999e1111110",
    "0111111e999a999a999a999a9e111110",
    "0111111e99a999a999a999a99e111110",
    "011111e99a999a999a999a999ae11110",
    "011111e9a999a999a999a999a9e11110",
    "01111e9a999a999a999a999a999e1110",
    "01111ea999a999a999a999a999ae1110",
    "0111eeeeeeeeeeeeeeeeeeeeeeeee110",
    "011eeeeeeeeeeeeeeeeeeeeeeeeeee10",
    "01111111111111111111111111111110",
    "01111111111111111111111111111110",
    "00000000000000000000000000000000",};

int HexDigit(char Digit)
{
    return Digit <= '9' ? Digit - '0' : Digit - 'a' + 10;
}
}  // namespace

tIconTemplate MainIconResource()
{
    tIconTemplate Icon{IDI_MAINICON, 32, 32, {}, {}};
    // Colours 0x00BBGGRR: the usual 16-colour set.
    Icon.Palette = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                    0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF,
                    0xFFFF00, 0xFFFFFF};
    for (const char* pszRow : ICON_ROWS)
        for (int X = 0; X < 32; ++X)
            Icon.Pixels.push_back(static_cast<std::uint8_t>(HexDigit(pszRow[X])));
    return Icon;
}
