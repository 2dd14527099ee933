// The running system: reports itself as an NT-family version 5 system, offers the libraries
// registered with it under their names, and writes debugger output to standard error.
#include "platform/system/System.h"

#include <cstdio>
#include <cstring>
#include <strings.h>
#include <vector>

namespace
{
// One registered library; its address is the handle LoadLibraryA gives out.
struct tRegisteredLibrary
{
    const char* pszName;
    const tLibraryEntry* pEntries;
    std::size_t Count;
};

// Libraries live as long as the program, so their handles stay valid: the vector reserves
// room for every library the program will register and is never shrunk.
std::vector<tRegisteredLibrary>& Libraries()
{
    static std::vector<tRegisteredLibrary> List = [] {
        std::vector<tRegisteredLibrary> Empty;
        Empty.reserve(16);
        return Empty;
    }();
    return List;
}

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
        for (tRegisteredLibrary& Library : Libraries())
            if (strcasecmp(Library.pszName, pszName) == 0)
                return reinterpret_cast<HLIBRARY>(&Library);
        return nullptr;
    }

    LIBPROC GetProcAddress(HLIBRARY Library, const char* pszName) override
    {
        const tRegisteredLibrary* pLibrary = Find(Library);
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
    static const tRegisteredLibrary* Find(HLIBRARY Library)
    {
        for (const tRegisteredLibrary& Entry : Libraries())
            if (reinterpret_cast<HLIBRARY>(const_cast<tRegisteredLibrary*>(&Entry)) == Library)
                return &Entry;
        return nullptr;
    }
};

cRealSystem RealSystem;
cSystem* CurrentSystem = &RealSystem;
}  // namespace

void RegisterLibrary(const char* pszName, const tLibraryEntry* pEntries, std::size_t Count)
{
    std::vector<tRegisteredLibrary>& List = Libraries();
    for (tRegisteredLibrary& Library : List)
    {
        if (strcasecmp(Library.pszName, pszName) == 0)
        {
            Library.pEntries = pEntries;
            Library.Count = Count;
            return;
        }
    }
    // A full table would move every handle given out so far; such a library is not offered.
    if (List.size() < List.capacity())
        List.push_back({pszName, pEntries, Count});
}

cSystem& TheSystem()
{
    return *CurrentSystem;
}

void SubstituteSystem(cSystem* pSystem)
{
    CurrentSystem = pSystem ? pSystem : &RealSystem;
}
