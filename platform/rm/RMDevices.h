// The software devices this layer offers, with their identities and limits.
#pragma once

#include "platform/rm/RMTypes.h"

#include <cstddef>

struct cRMDeviceInfo
{
    RMGUID Guid;
    const char* pszDescription;
    const char* pszName;
    int MaxWidth;  // largest device this rasterizer accepts
    int MaxHeight;
    bool Mono;     // lights act by their brightness only, not their colour
};

// In enumeration order; entry 0 is the default device.
const cRMDeviceInfo* RMGetDevices(std::size_t& Count);
// The device with this GUID, the default one for null, or null when unknown.
const cRMDeviceInfo* RMFindDevice(const RMGUID* pGuid);
