// Texts of DirectDraw, Direct3D and Retained Mode result codes, for message boxes.
#pragma once

#include <cstdint>

// The text of the code's row, or "Unrecognized error value." for any code without one. Never null.
const char* ErrorText(std::int32_t Code);
