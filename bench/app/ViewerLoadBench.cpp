// How soon the viewer shows a model, completes it and plays it. The shell runs on the headless
// window system: the user picks SCRIPT in File > Open script (optionally after Options > Use
// Direct3D with the first device), the queued messages are handled until the first picture of
// frame 0 is drawn, then the loop's idle slices prepare the other frames until idle time has
// none left to prepare (every frame while the model fits the frame budget). With --full, every
// frame is prepared right after the load instead, before the first picture, as loads once did,
// whatever the budget. With --loop PASSES, the longest sequence plays under Loop Animation at
// the frame rate (20 per second) for PASSES times its length, the message loop's way: a paint
// when one is due, idle slices in between, a wait when neither.
//
// One load per process, so the peak resident memory is that load's own. Prints one line: the
// milliseconds (wall, and CPU of every thread) from the chosen file to the first picture and
// to the end; the idle slices, how many took over 10 ms (wall, and CPU), the longest of them
// and the most CPU time one took; the frames prepared at the end and their estimated bytes;
// the resident memory before the load and the process's peak (VmHWM), and the heap held
// through operator new at the end. Playing adds the pictures drawn, how many came over 10 ms
// after they were due, how many due pictures were dropped because none was drawn in their
// interval, and how many paints found their frame not prepared.
// bench/app/viewer_load_bench.sh runs it repeatedly and prints medians.
//
// Usage: bench_viewer_load SCRIPT [--renderer gl|d3d] [--full | --loop PASSES]
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

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

// Frames of the model on screen that are prepared completely.
int FramesPrepared()
{
    int Count = 0;
    for (int Frame = 0; Frame < MAX_FRAMES; ++Frame)
        Count += FramePrepared(Frame);
    return Count;
}

// The idle slices of the run.
struct tSlices
{
    int Count = 0;
    int Long = 0;      // over LONG_SLICE_MS of wall time
    int LongCpu = 0;   // over LONG_SLICE_MS of CPU time
    double LongestMs = 0;
    double LongestCpuMs = 0;

    // One idle slice of the message loop, timed; true while frames still wait.
    bool Run()
    {
        const tClock::time_point Start = tClock::now();
        const double CpuStart = CpuMs(CLOCK_THREAD_CPUTIME_ID);
        const bool bMore = PrepareFramesInIdleTime();
        const double SliceMs = MsSince(Start);
        const double SliceCpuMs = CpuMs(CLOCK_THREAD_CPUTIME_ID) - CpuStart;
        ++Count;
        Long += SliceMs > LONG_SLICE_MS;
        LongCpu += SliceCpuMs > LONG_SLICE_MS;
        LongestMs = std::max(LongestMs, SliceMs);
        LongestCpuMs = std::max(LongestCpuMs, SliceCpuMs);
        return bMore;
    }
};

// The pictures of the played sequence.
struct tPlayback
{
    int Pictures = 0;
    int Late = 0;       // drawn over LONG_SLICE_MS after they were due
    int Dropped = 0;    // due, but no picture was drawn in their interval
    int Unprepared = 0; // paints that had to prepare their frame first
};

// Selects the longest sequence, turns Loop Animation on and plays Passes times its length at
// the frame rate: each picture is due a frame interval after the one before, on a fixed
// schedule; between them the loop's idle slices run, or the thread sleeps.
tPlayback Play(cHeadlessWindowSystem& System, int Passes, tSlices& Slices)
{
    tPlayback Result;
    int Longest = 0;
    for (int Sequence = 1; Sequence < TheModel->GetNumSequences(); ++Sequence)
        if (TheModel->GetSequence(Sequence)->NumFrames > TheModel->GetSequence(Longest)->NumFrames)
            Longest = Sequence;
    HandleCommand(Shell.MainWindow, IDM_SEQUENCE_BASE + Longest);
    HandleCommand(Shell.MainWindow, IDM_LOOP);
    Pump(System);
    const auto Interval = std::chrono::milliseconds(View.FrameIntervalMs);
    tClock::time_point Due = tClock::now() + Interval;
    const int Total = Passes * View.SequenceLength;
    while (TheModel && Result.Pictures < Total)
    {
        const tClock::time_point Now = tClock::now();
        if (Now >= Due)
        {
            const double LateMs = std::chrono::duration<double, std::milli>(Now - Due).count();
            const int Missed = static_cast<int>(std::floor(LateMs / View.FrameIntervalMs));
            Result.Dropped += Missed;
            Result.Late += Missed == 0 && LateMs > LONG_SLICE_MS;
            Due += Interval * (Missed + 1);
            Result.Unprepared += !FramePrepared(View.CurrentFrame);
            System.InvalidateRect(Shell.MainWindow);
            Pump(System);
            ++Result.Pictures;
        }
        else if (FramesWaiting())
            Slices.Run();
        else
            std::this_thread::sleep_until(Due);
    }
    return Result;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: bench_viewer_load SCRIPT [--renderer gl|d3d] [--full | --loop PASSES]\n");
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
    int Passes = 0;
    for (int I = 1; I < Argc; ++I)
    {
        if (std::strcmp(Argv[I], "--full") == 0)
            bFull = true;
        else if (std::strcmp(Argv[I], "--loop") == 0 && I + 1 < Argc)
        {
            Passes = std::atoi(Argv[++I]);
            if (Passes <= 0)
                return Usage();
        }
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
    if (!pszScript || (bFull && Passes))
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

    tSlices Slices;
    tPlayback Playback;
    if (Passes)
        Playback = Play(System, Passes, Slices);
    else
        while (FramesWaiting() && Slices.Run())
        {
        }
    const double EndMs = MsSince(Chosen);
    const double EndCpuMs = CpuMs(CLOCK_PROCESS_CPUTIME_ID) - ChosenCpuMs;
    if (!TheModel)
        return Fail("the model was dropped");

    std::printf("renderer=%s mode=%s first_picture_ms=%.1f first_picture_cpu_ms=%.1f "
                "end_ms=%.1f end_cpu_ms=%.1f slices=%d long_slices=%d long_cpu_slices=%d "
                "longest_slice_ms=%.2f longest_slice_cpu_ms=%.2f frames=%d prepared=%d "
                "prepared_MiB=%.1f budget_MiB=%.0f pictures=%d late=%d dropped=%d "
                "unprepared=%d start_rss_MiB=%.1f peak_rss_MiB=%.1f heap_MiB=%.1f "
                "peak_heap_MiB=%.1f\n",
                bDirect3D ? "d3d" : "gl", bFull ? "full" : Passes ? "loop" : "idle",
                FirstPictureMs, FirstPictureCpuMs, EndMs, EndCpuMs, Slices.Count, Slices.Long,
                Slices.LongCpu, Slices.LongestMs, Slices.LongestCpuMs,
                std::min<int>(TheModel->GetAnivHeader()->NumFrames, MAX_FRAMES), FramesPrepared(),
                static_cast<double>(PreparedFrameBytes()) / MIB,
                static_cast<double>(FrameBudgetBytes()) / MIB, Playback.Pictures, Playback.Late,
                Playback.Dropped, Playback.Unprepared, StartResidentMiB, StatusMiB("VmHWM"),
                static_cast<double>(HeapBytes) / MIB, static_cast<double>(PeakHeapBytes) / MIB);

    System.DestroyWindow(Shell.MainWindow);
    return 0;
}
