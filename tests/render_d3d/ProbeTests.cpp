// The DirectX version probe against substitute systems answering like each kind of system it
// tells apart, and against the real one.
#include "render_d3d/Probe.h"
#include "render_d3d/RMLibraries.h"

#include "platform/rm/DirectDraw.h"
#include "platform/system/System.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace
{
// How the substitute DirectDraw behaves; read by the plain entry point below.
struct cDirectDrawBehaviour
{
    bool CreateFails = false;
    bool NoDirectDraw2 = false;
    bool CooperativeLevelFails = false;
    bool CreateSurfaceFails = false;
    bool NoSurface3 = false;  // a DirectX 3 system
};
cDirectDrawBehaviour Behaviour;
int LiveObjects = 0;

template <class Interface>
class cCounted : public Interface
{
public:
    cCounted() { ++LiveObjects; }
    ~cCounted() override { --LiveObjects; }
    std::uint32_t AddRef() override { return ++mCount; }
    std::uint32_t Release() override
    {
        const std::uint32_t Count = --mCount;
        if (Count == 0)
            delete this;
        return Count;
    }

private:
    std::uint32_t mCount = 1;
};

class cFakeSurface : public cCounted<IDirectDrawSurface3>
{
public:
    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override
    {
        *ppObject = nullptr;
        if (Iid != IID_IDirectDrawSurface3 || Behaviour.NoSurface3)
            return DDERR_UNSUPPORTED;
        AddRef();
        *ppObject = static_cast<IDirectDrawSurface3*>(this);
        return DD_OK;
    }
    RMRESULT Lock(RMRECT*, DDSURFACEDESC*, std::uint32_t, void*) override { return DDERR_UNSUPPORTED; }
    RMRESULT Unlock(void*) override { return DDERR_NOTLOCKED; }
    RMRESULT GetSurfaceDesc(DDSURFACEDESC*) override { return DDERR_UNSUPPORTED; }
};

class cFakeDirectDraw : public cCounted<IDirectDraw2>
{
public:
    RMRESULT QueryInterface(const RMGUID& Iid, void** ppObject) override
    {
        *ppObject = nullptr;
        if (Iid != IID_IDirectDraw2 || Behaviour.NoDirectDraw2)
            return DDERR_UNSUPPORTED;
        AddRef();
        *ppObject = static_cast<IDirectDraw2*>(this);
        return DD_OK;
    }
    RMRESULT SetCooperativeLevel(RMWINDOW, std::uint32_t Flags) override
    {
        EXPECT_EQ(Flags, DDSCL_NORMAL);
        return Behaviour.CooperativeLevelFails ? DDERR_GENERIC : DD_OK;
    }
    RMRESULT CreateSurface(DDSURFACEDESC* pDesc, IDirectDrawSurface** ppSurface, IRMUnknown*) override
    {
        EXPECT_EQ(pDesc->dwSize, 108u);
        EXPECT_EQ(pDesc->dwFlags, DDSD_CAPS);
        EXPECT_EQ(pDesc->ddsCaps.dwCaps, DDSCAPS_PRIMARYSURFACE);
        if (Behaviour.CreateSurfaceFails)
            return DDERR_GENERIC;
        *ppSurface = new cFakeSurface;
        return DD_OK;
    }
};

RMRESULT FakeDirectDrawCreate(const RMGUID* pGuid, IDirectDraw** ppDirectDraw, IRMUnknown* pOuter)
{
    EXPECT_EQ(pGuid, nullptr);
    EXPECT_EQ(pOuter, nullptr);
    if (Behaviour.CreateFails)
        return DDERR_GENERIC;
    *ppDirectDraw = new cFakeDirectDraw;
    return DD_OK;
}

void FakeDirectInputCreate() {}

// A system with a given version and libraries, recording what the probe does with it.
class cFakeSystem : public cSystem
{
public:
    bool GetVersionExA(OSVERSIONINFOA* pInfo) override
    {
        EXPECT_EQ(pInfo->dwOSVersionInfoSize, 148u);
        if (!mVersionAnswers)
            return false;
        pInfo->dwMajorVersion = mMajor;
        pInfo->dwBuildNumber = mBuild;
        pInfo->dwPlatformId = mPlatformId;
        return true;
    }
    HLIBRARY LoadLibraryA(const char* pszName) override
    {
        mLoaded.push_back(pszName);
        auto It = mLibraries.find(pszName);
        if (It == mLibraries.end())
            return nullptr;
        ++mOpen;
        return reinterpret_cast<HLIBRARY>(&It->second);
    }
    LIBPROC GetProcAddress(HLIBRARY Library, const char* pszName) override
    {
        auto* pEntries = reinterpret_cast<std::map<std::string, LIBPROC>*>(Library);
        auto It = pEntries->find(pszName);
        return It == pEntries->end() ? nullptr : It->second;
    }
    bool FreeLibrary(HLIBRARY Library) override
    {
        --mOpen;
        // An object of a library must not outlive the library's code.
        auto It = mLibraries.find("DDRAW.DLL");
        if (It != mLibraries.end() && Library == reinterpret_cast<HLIBRARY>(&It->second) && LiveObjects > 0)
            mFreedWhileInUse = true;
        return true;
    }
    void OutputDebugStringA(const char* pszText) override { mDebug += pszText; }

    void WithDirectDraw(LIBPROC Create = reinterpret_cast<LIBPROC>(&FakeDirectDrawCreate))
    {
        mLibraries["DDRAW.DLL"]["DirectDrawCreate"] = Create;
    }
    void WithDirectInput() { mLibraries["DINPUT.DLL"]["DirectInputCreateA"] = &FakeDirectInputCreate; }

    bool mVersionAnswers = true;
    std::uint32_t mMajor = 4;
    std::uint32_t mBuild = 950;
    std::uint32_t mPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    std::map<std::string, std::map<std::string, LIBPROC>> mLibraries;
    std::vector<std::string> mLoaded;
    int mOpen = 0;
    bool mFreedWhileInUse = false;
    std::string mDebug;
};

class Probe : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Behaviour = {};
        LiveObjects = 0;
    }
    // Runs the probe and checks it left nothing loaded or alive.
    void Run()
    {
        ProbeDirectXVersion(mSystem, &mVersion, &mPlatform);
        EXPECT_EQ(mSystem.mOpen, 0);
        EXPECT_EQ(LiveObjects, 0);
    }

    cFakeSystem mSystem;
    std::uint32_t mVersion = 0xDEAD;
    std::uint32_t mPlatform = 0xDEAD;
};
}

TEST_F(Probe, NTFamilyByMajorVersion)
{
    mSystem.mPlatformId = VER_PLATFORM_WIN32_NT;
    mSystem.WithDirectInput();
    Run();
    EXPECT_EQ(mVersion, 0x300u);
    EXPECT_EQ(mPlatform, 2u);
    EXPECT_EQ(mSystem.mDebug, "");

    mSystem.mLibraries.clear();
    Run();
    EXPECT_EQ(mVersion, 0x200u);
    EXPECT_EQ(mSystem.mDebug, "Couldn't LoadLibrary DInput\r\n");

    mSystem.mDebug.clear();
    mSystem.mLibraries["DINPUT.DLL"] = {};
    Run();
    EXPECT_EQ(mVersion, 0x200u);
    EXPECT_EQ(mSystem.mDebug, "Couldn't GetProcAddress DInputCreate\r\n");

    mSystem.mMajor = 3;
    Run();
    EXPECT_EQ(mVersion, 0u);
    EXPECT_EQ(mPlatform, 0u);

    mSystem.mMajor = 5;
    mSystem.mLoaded.clear();
    Run();
    EXPECT_EQ(mVersion, 0x501u);
    EXPECT_EQ(mPlatform, 2u);
    EXPECT_TRUE(mSystem.mLoaded.empty());
}

TEST_F(Probe, WindowsFamilyByBuildNumber)
{
    mSystem.mBuild = 0x7F000000u | 1354;  // only the low 16 bits count
    Run();
    EXPECT_EQ(mVersion, 0x501u);
    EXPECT_EQ(mPlatform, 1u);
    EXPECT_TRUE(mSystem.mLoaded.empty());

    mSystem.mBuild = 1353;
    mSystem.mPlatformId = 7;  // any id other than NT is the Windows family
    mSystem.WithDirectDraw();
    mSystem.WithDirectInput();
    Run();
    EXPECT_EQ(mVersion, 0x500u);
    EXPECT_EQ(mPlatform, 1u);
    EXPECT_EQ(mSystem.mLoaded, (std::vector<std::string>{"DDRAW.DLL", "DINPUT.DLL"}));
    EXPECT_EQ(mSystem.mDebug, "");
}

TEST_F(Probe, WindowsFamilyStepsAndTheirFailures)
{
    struct
    {
        const char* pszCase;
        void (*Arrange)(cFakeSystem&);
        std::uint32_t Version, Platform;
        const char* pszDebug;
    } Cases[] = {
        {"no DDRAW.DLL", [](cFakeSystem& S) { S.mLibraries.erase("DDRAW.DLL"); }, 0, 0, ""},
        {"no DirectDrawCreate", [](cFakeSystem& S) { S.mLibraries["DDRAW.DLL"].clear(); }, 0, 0,
         "Couldn't LoadLibrary DDraw\r\n"},
        {"creation fails", [](cFakeSystem&) { Behaviour.CreateFails = true; }, 0, 0, "Couldn't create DDraw\r\n"},
        {"DirectX 1", [](cFakeSystem&) { Behaviour.NoDirectDraw2 = true; }, 0x100, 1, "Couldn't QI DDraw2\r\n"},
        {"no DINPUT.DLL", [](cFakeSystem& S) { S.mLibraries.erase("DINPUT.DLL"); }, 0x200, 1,
         "Couldn't LoadLibrary DInput\r\n"},
        {"no DirectInputCreateA", [](cFakeSystem& S) { S.mLibraries["DINPUT.DLL"].clear(); }, 0x200, 1,
         "Couldn't GetProcAddress DInputCreate\r\n"},
        {"cooperative level fails", [](cFakeSystem&) { Behaviour.CooperativeLevelFails = true; }, 0, 1,
         "Couldn't Set coop level\r\n"},
        {"primary surface fails", [](cFakeSystem&) { Behaviour.CreateSurfaceFails = true; }, 0, 1,
         "Couldn't CreateSurface\r\n"},
        {"DirectX 3", [](cFakeSystem&) { Behaviour.NoSurface3 = true; }, 0x300, 1, ""},
    };
    for (const auto& Case : Cases)
    {
        SetUp();
        mSystem = cFakeSystem();
        mSystem.WithDirectDraw();
        mSystem.WithDirectInput();
        Case.Arrange(mSystem);
        Run();
        EXPECT_EQ(mVersion, Case.Version) << Case.pszCase;
        EXPECT_EQ(mPlatform, Case.Platform) << Case.pszCase;
        EXPECT_EQ(mSystem.mDebug, Case.pszDebug) << Case.pszCase;
        EXPECT_FALSE(mSystem.mFreedWhileInUse) << Case.pszCase;
    }
}

TEST_F(Probe, FailingVersionQueryGivesNothing)
{
    mSystem.mVersionAnswers = false;
    Run();
    EXPECT_EQ(mVersion, 0u);
    EXPECT_EQ(mPlatform, 0u);
    EXPECT_TRUE(mSystem.mLoaded.empty());
}

// The Windows-family path through this program's own retained-mode layer: its DirectDraw
// object, interface query, cooperative level and primary surface give DirectX 5.
TEST_F(Probe, RetainedModeLayerPassesEveryStep)
{
    RegisterRMLibraries();
    HLIBRARY DDraw = TheSystem().LoadLibraryA("ddraw.dll");
    ASSERT_NE(DDraw, nullptr);
    mSystem.WithDirectDraw(TheSystem().GetProcAddress(DDraw, "DirectDrawCreate"));
    TheSystem().FreeLibrary(DDraw);
    mSystem.WithDirectInput();
    Run();
    EXPECT_EQ(mVersion, 0x500u);
    EXPECT_EQ(mSystem.mDebug, "");
}

TEST(ProbeRealSystem, ReportsDirectX5OrLater)
{
    std::uint32_t Version = 0, Platform = 0;
    ProbeDirectXVersion(&Version, &Platform);
    EXPECT_GE(Version, 0x500u);
    EXPECT_EQ(Platform, 2u);

    cSystem& System = TheSystem();
    HLIBRARY Library = System.LoadLibraryA("D3DRM.DLL");
    ASSERT_NE(Library, nullptr);
    EXPECT_NE(System.GetProcAddress(Library, "Direct3DRMCreate"), nullptr);
    EXPECT_EQ(System.GetProcAddress(Library, "DirectDrawCreate"), nullptr);
    EXPECT_TRUE(System.FreeLibrary(Library));
    EXPECT_FALSE(System.FreeLibrary(reinterpret_cast<HLIBRARY>(&Version)));
    EXPECT_EQ(System.LoadLibraryA("DINPUT.DLL"), nullptr);
    OSVERSIONINFOA Info = {};
    EXPECT_FALSE(System.GetVersionExA(&Info));  // size not announced
}
