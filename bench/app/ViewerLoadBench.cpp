// How soon the viewer shows a model and completes it. The shell runs on the headless window
// system: the user picks SCRIPT in File > Open script (optionally after Options > Use Direct3D
// with the first device), the queued messages are handled until the first picture of frame 0
// is drawn, then the loop's idle slices prepare every other frame. With --full, every frame is
// prepared right after the load instead, before the first picture, as loads once did.
//
// One load per process, so the peak resident memory is that load's own. Prints one line: the
// milliseconds (wall, and CPU of every thread) from the chosen file to the first picture and
// to every frame prepared; the idle slices, how many took over 10 ms, the longest of them and
// the most CPU time one took; the resident memory before the load and the process's peak
// (VmHWM), and the heap held through operator new, once every frame is prepared.
// bench/app/viewer_load_bench.sh runs it repeatedly and prints medians.
//
// Usage: bench_viewer_load SCRIPT [--renderer gl|d3d] [--full]
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "bench/common/HeapCount.h"
#include "model/ImportOutput.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "render/FramePreparation.h"
#include "render/Renderer.h"
#include "render/ViewState.h"
#include "render_d3d/D3DViewer.h"

namespace
{
using tClock = std::chrono::steady_clock;

constexpr double MIB = 1024.0 * 1024.0;
// An idle slice longer than this delays input and drawing noticeably.
constexpr double LONG_SLICE_MS = 10.0;

double MsSince(tClock::time_point Start)
{
    return std::chrono::duration<double, std::milli>(tClock::now() - Start).count();
}

// CPU time of Clock in milliseconds. Wall time far above it means other work on the machine
// kept the benchmark off the processor.
double CpuMs(clockid_t Clock)
{
    timespec Now{};
    clock_gettime(Clock, &Now);
    return static_cast<double>(Now.tv_sec) * 1000.0 + static_cast<double>(Now.tv_nsec) / 1e6;
}

// A memory figure of the process from /proc/self/status (VmRSS: resident now, VmHWM: the most
// resident so far), in MiB.
double StatusMiB(const std::string& Field)
{
    std::ifstream Status("/proc/self/status");
    std::string Line;
    while (std::getline(Status, Line))
        if (Line.compare(0, Field.size(), Field) == 0 && Line[Field.size()] == ':')
            return std::atof(Line.c_str() + Field.size() + 1) / 1024.0;
    return 0;
}

// The import's diagnostic lines would swamp the report.
void DiscardLine(const char*) {}

// Handles every waiting message as the message loop does, without its idle branch.
void Pump(cHeadlessWindowSystem& System)
{
    while (System.PeekMessage())
    {
        tMessage Msg;
        if (!System.GetMessage(Msg))
            return;
        System.TranslateMessage(Msg);
        System.DispatchMessage(Msg);
    }
    CheckFramePreparation();
}

// True when every frame of the model on screen is prepared for the active renderer.
bool EveryFramePrepared()
{
    if (!TheModel || FramesWaiting())
        return false;
    const int NumFrames = TheModel->GetAnivHeader()->NumFrames;
    for (int Frame = 0; Frame < NumFrames && Frame < MAX_FRAMES; ++Frame)
        if (!ActiveRenderer().IsFramePrepared(Frame))
            return false;
    return true;
}

int Usage()
{
    std::fprintf(stderr, "usage: bench_viewer_load SCRIPT [--renderer gl|d3d] [--full]\n");
    return 2;
}

int Fail(const char* pszWhat)
{
    std::fprintf(stderr, "bench_viewer_load: %s\n", pszWhat);
    return 1;
}
}  // namespace

int main(int Argc, char** Argv)
{
    const char* pszScript = nullptr;
    bool bDirect3D = false, bFull = false;
    for (int I = 1; I < Argc; ++I)
    {
        if (std::strcmp(Argv[I], "--full") == 0)
            bFull = true;
        else if (std::strcmp(Argv[I], "--renderer") == 0 && I + 1 < Argc)
        {
            const std::string Renderer = Argv[++I];
            if (Renderer != "gl" && Renderer != "d3d")
                return Usage();
            bDirect3D = Renderer == "d3d";
        }
        else if (Argv[I][0] != '-' && !pszScript)
            pszScript = Argv[I];
        else
            return Usage();
    }
    if (!pszScript)
        return Usage();
    SetImportOutput(DiscardLine);

    cHeadlessWindowSystem System;
    if (!CreateShellWindow(System))
        return Fail("the main window could not be created");
    Pump(System);
    if (!System.HasGL())
        return Fail("no offscreen OpenGL context");
    if (bDirect3D)
    {
        System.mDialogScripts.push_back(
            {tDialogAction::SelectLine(DEVICE_LIST_ID, 0), {WM_COMMAND, IDOK, 0}});
        System.PostInput(WM_COMMAND, IDM_DIRECT3D);
        Pump(System);
        if (View.RenderMode != eRenderMode::Direct3D)
            return Fail("Options > Use Direct3D did not switch renderer");
    }

    // File > Open script with the chooser answering at once: the clock starts with the command.
    const double StartResidentMiB = StatusMiB("VmRSS");
    const int PaintsBefore = static_cast<int>(System.mPaintTimes.size());
    const int PicturesBefore = bDirect3D ? System.mPresentCount : System.mSwapCount;
    System.mFileAnswers.push_back(std::string(pszScript));
    const tClock::time_point Chosen = tClock::now();
    const double ChosenCpuMs = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
    HandleCommand(Shell.MainWindow, IDM_OPEN);
    if (bFull)
    {
        PrepareAllFrames();
        CheckFramePreparation();
    }
    Pump(System);
    const double FirstPictureMs = MsSince(Chosen);
    const double FirstPictureCpuMs = CpuMs(CLOCK_PROCESS_CPUTIME_ID) - ChosenCpuMs;
    if (!TheModel)
        return Fail(System.mMessageBoxes.empty() ? "no model was loaded"
                                                 : System.mMessageBoxes.back().Text.c_str());
    if (static_cast<int>(System.mPaintTimes.size()) == PaintsBefore ||
        (bDirect3D ? System.mPresentCount : System.mSwapCount) == PicturesBefore)
        return Fail("the model was not drawn");

    int Slices = 0, LongSlices = 0;
    double LongestSliceMs = 0, LongestSliceCpuMs = 0;
    bool bMore = FramesWaiting();
    while (bMore)
    {
        const tClock::time_point SliceStart = tClock::now();
        const double CpuStart = CpuMs(CLOCK_THREAD_CPUTIME_ID);
        bMore = PrepareFramesInIdleTime();
        const double SliceMs = MsSince(SliceStart);
        const double SliceCpuMs = CpuMs(CLOCK_THREAD_CPUTIME_ID) - CpuStart;
        ++Slices;
        LongSlices += SliceMs > LONG_SLICE_MS;
        if (SliceMs > LongestSliceMs)
            LongestSliceMs = SliceMs;
        if (SliceCpuMs > LongestSliceCpuMs)
            LongestSliceCpuMs = SliceCpuMs;
    }
    const double AllPreparedMs = MsSince(Chosen);
    const double AllPreparedCpuMs = CpuMs(CLOCK_PROCESS_CPUTIME_ID) - ChosenCpuMs;
    if (!EveryFramePrepared())
        return Fail("not every frame was prepared");

    std::printf("renderer=%s mode=%s first_picture_ms=%.1f first_picture_cpu_ms=%.1f "
                "all_prepared_ms=%.1f all_prepared_cpu_ms=%.1f slices=%d long_slices=%d "
                "longest_slice_ms=%.2f longest_slice_cpu_ms=%.2f start_rss_MiB=%.1f "
                "peak_rss_MiB=%.1f heap_MiB=%.1f peak_heap_MiB=%.1f\n",
                bDirect3D ? "d3d" : "gl", bFull ? "full" : "idle", FirstPictureMs,
                FirstPictureCpuMs, AllPreparedMs, AllPreparedCpuMs, Slices, LongSlices,
                LongestSliceMs, LongestSliceCpuMs, StartResidentMiB, StatusMiB("VmHWM"),
                static_cast<double>(HeapBytes) / MIB, static_cast<double>(PeakHeapBytes) / MIB);

    System.DestroyWindow(Shell.MainWindow);
    return 0;
}
