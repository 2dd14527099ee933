// The retained-mode layer's entry points, registered by library name with the running system.
#include "render_d3d/RMLibraries.h"

#include "platform/rm/D3DRM.h"
#include "platform/system/System.h"

namespace
{
template <class Function>
LIBPROC AsProc(Function* pFunction)
{
    return reinterpret_cast<LIBPROC>(pFunction);
}

const tLibraryEntry DDRAW_ENTRIES[] = {
    {"DirectDrawCreate", AsProc(&DirectDrawCreate)},
    {"DirectDrawCreateClipper", AsProc(&DirectDrawCreateClipper)},
};
const tLibraryEntry D3DRM_ENTRIES[] = {
    {"Direct3DRMCreate", AsProc(&Direct3DRMCreate)},
};
}  // namespace

void RegisterRMLibraries()
{
    static const bool bRegistered = [] {
        RegisterLibrary("DDRAW.DLL", DDRAW_ENTRIES, sizeof DDRAW_ENTRIES / sizeof DDRAW_ENTRIES[0]);
        RegisterLibrary("D3DRM.DLL", D3DRM_ENTRIES, sizeof D3DRM_ENTRIES / sizeof D3DRM_ENTRIES[0]);
        return true;
    }();
    (void)bRegistered;
}
