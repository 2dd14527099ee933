// The software devices this layer offers, with their identities and limits.
#include "platform/rm/RMDevices.h"

namespace
{
// The full-colour and brightness-lit devices take any window of the largest screens, at a
// desktop scale of 2 included.
constexpr int MAX_SOFTWARE_SIDE = 8192;

// The compact device has a small largest size, like display hardware with little memory, so
// that a caller's fallback to the default device is reached at ordinary window sizes.
const cRMDeviceInfo DEVICES[] = {
    {{0x7D1C0A01, 0x3B2E, 0x4F60, {0xA1, 0x55, 0x03, 0x9E, 0x20, 0x7C, 0x44, 0x01}},
     "Software rasterizer, full colour", "Software RGB Renderer", MAX_SOFTWARE_SIDE,
     MAX_SOFTWARE_SIDE, false},
    {{0x7D1C0A02, 0x3B2E, 0x4F60, {0xA1, 0x55, 0x03, 0x9E, 0x20, 0x7C, 0x44, 0x02}},
     "Software rasterizer, lights by brightness", "Software Mono Renderer",
     MAX_SOFTWARE_SIDE, MAX_SOFTWARE_SIDE, true},
    {{0x7D1C0A03, 0x3B2E, 0x4F60, {0xA1, 0x55, 0x03, 0x9E, 0x20, 0x7C, 0x44, 0x03}},
     "Software rasterizer, 640 x 480 at most", "Compact RGB Renderer", 640, 480, false},
};
}

const cRMDeviceInfo* RMGetDevices(std::size_t& Count)
{
    Count = sizeof DEVICES / sizeof DEVICES[0];
    return DEVICES;
}

const cRMDeviceInfo* RMFindDevice(const RMGUID* pGuid)
{
    if (!pGuid)
        return &DEVICES[0];
    for (const cRMDeviceInfo& Info : DEVICES)
        if (Info.Guid == *pGuid)
            return &Info;
    return nullptr;
}
