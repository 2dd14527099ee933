// The running system: reports itself as an NT-family version 5 system, offers the retained-mode
// layer's entry points under the library names they are asked for, and writes debugger output
// to standard error.
#include "System.h"

#include "D3DRM.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

namespace
{
struct cEntry
{
    const char* pszName;
    LIBPROC Proc;
};

// Each library's entry points; the count bounds every search.
struct tLibraryTable
{
    const char* pszName;
    const cEntry* pEntries;
    std::size_t Count;
};

template <class Function>
LIBPROC AsProc(Function* pFunction)
{
    return reinterpret_cast<LIBPROC>(pFunction);
}

const cEntry DDRAW_ENTRIES[] = {
    {"DirectDrawCreate", AsProc(&DirectDrawCreate)},
    {"DirectDrawCreateClipper", AsProc(&DirectDrawCreateClipper)},
};
const cEntry D3DRM_ENTRIES[] = {
    {"Direct3DRMCreate", AsProc(&Direct3DRMCreate)},
};
const tLibraryTable LIBRARIES[] = {
    {"DDRAW.DLL", DDRAW_ENTRIES, sizeof DDRAW_ENTRIES / sizeof DDRAW_ENTRIES[0]},
    {"D3DRM.DLL", D3DRM_ENTRIES, sizeof D3DRM_ENTRIES / sizeof D3DRM_ENTRIES[0]},
};

class cRealSystem final : public cSystem
{
public:
    bool GetVersionExA(OSVERSIONINFOA* pInfo) override
    {
        if (!pInfo || pInfo->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA))
            return false;
        // Version 5 of the NT family: the retained-mode layer is always built in.
        pInfo->dwMajorVersion = 5;
        pInfo->dwMinorVersion = 0;
        pInfo->dwBuildNumber = 2195;
        pInfo->dwPlatformId = VER_PLATFORM_WIN32_NT;
        std::memset(pInfo->szCSDVersion, 0, sizeof pInfo->szCSDVersion);
        return true;
    }

    HLIBRARY LoadLibraryA(const char* pszName) override
    {
        if (!pszName)
            return nullptr;
        for (const tLibraryTable& Library : LIBRARIES)
            if (strcasecmp(Library.pszName, pszName) == 0)
                return reinterpret_cast<HLIBRARY>(const_cast<tLibraryTable*>(&Library));
        return nullptr;
    }

    LIBPROC GetProcAddress(HLIBRARY Library, const char* pszName) override
    {
        const tLibraryTable* pLibrary = Find(Library);
        if (!pLibrary || !pszName)
            return nullptr;
        for (std::size_t i = 0; i < pLibrary->Count; ++i)
            if (std::strcmp(pLibrary->pEntries[i].pszName, pszName) == 0)
                return pLibrary->pEntries[i].Proc;
        return nullptr;
    }

    bool FreeLibrary(HLIBRARY Library) override { return Find(Library) != nullptr; }

    void OutputDebugStringA(const char* pszText) override
    {
        if (pszText)
            std::fputs(pszText, stderr);
    }

private:
    // Only handles this loader gave out are accepted.
    static const tLibraryTable* Find(HLIBRARY Library)
    {
        for (const tLibraryTable& Entry : LIBRARIES)
            if (reinterpret_cast<HLIBRARY>(const_cast<tLibraryTable*>(&Entry)) == Library)
                return &Entry;
        return nullptr;
    }
};
}

cSystem& TheSystem()
{
    static cRealSystem System;
    return System;
}
