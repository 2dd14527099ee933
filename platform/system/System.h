// Operating-system services the version probe asks for: the system version, libraries loaded
// by name with their entry points, and debugger output.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

// The system version record; the caller sets dwOSVersionInfoSize to its size (148) first.
struct OSVERSIONINFOA
{
    std::uint32_t dwOSVersionInfoSize;
    std::uint32_t dwMajorVersion;
    std::uint32_t dwMinorVersion;
    std::uint32_t dwBuildNumber;
    std::uint32_t dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record has the size callers announce");

// A loaded library; null is "not loaded".
using HLIBRARY = struct tLibrary*;
// An entry point as found; the caller converts it to the function type it knows it has.
using LIBPROC = void (*)();

class cSystem
{
public:
    virtual ~cSystem() = default;
    // False when the record's size field is not the record's size.
    virtual bool GetVersionExA(OSVERSIONINFOA* pInfo) = 0;
    // Null when no library of that name (compared without regard to case) is present.
    virtual HLIBRARY LoadLibraryA(const char* pszName) = 0;
    // Null when the library has no such entry point.
    virtual LIBPROC GetProcAddress(HLIBRARY Library, const char* pszName) = 0;
    virtual bool FreeLibrary(HLIBRARY Library) = 0;
    virtual void OutputDebugStringA(const char* pszText) = 0;
};

// One entry point a library offers.
struct tLibraryEntry
{
    const char* pszName;
    LIBPROC Proc;
};

// Makes a library loadable by name on the running system: pszName (compared without regard
// to case) offers the Count entries. The strings and the table must outlive the program.
// Registering a name again replaces its entries.
void RegisterLibrary(const char* pszName, const tLibraryEntry* pEntries, std::size_t Count);

// The system this program runs on.
cSystem& TheSystem();
// Makes pSystem the one TheSystem returns, so a test can stand in an older system; null puts
// the running system back.
void SubstituteSystem(cSystem* pSystem);
