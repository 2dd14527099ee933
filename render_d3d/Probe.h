// Finds which DirectX version the system offers, from its version and the libraries present.
#pragma once

#include <cstdint>

class cSystem;

// Writes the version (0, 0x100, 0x200, 0x300, 0x500 or 0x501) and the platform (0 none,
// 1 Windows family, 2 NT family). Creates and loads nothing that outlives the call; failures
// go to the debugger output only.
void ProbeDirectXVersion(std::uint32_t* pVersion, std::uint32_t* pPlatform);
// The same against a given system.
void ProbeDirectXVersion(cSystem& System, std::uint32_t* pVersion, std::uint32_t* pPlatform);
