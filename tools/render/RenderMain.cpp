// tessaly-render: loads a class script the way the viewer does with OpenGL active and writes
// the picture of one frame, or of every frame of a sequence, as PNG; or prints a model summary.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include "model/ZentorMesh.h"
#include "platform/offscreen/OffscreenGL.h"
#include "render/GLDraw.h"
#include "render/GLModel.h"
#include "render/GLScene.h"
#include "render/RenderHooks.h"
#include "render/ViewState.h"
#include "tools/render/ModelInfo.h"
#include "tools/render/PngWrite.h"

namespace
{
const char* const USAGE =
    "usage: tessaly-render SCRIPT.zc -o OUT.png [--size WxH] [--frame N | --sequence NAME]\n"
    "           [--filter all|translucent|masked|two-sided|placeholder] [--angle-y DEG]\n"
    "           [--angle-x DEG] [--offset-y N] [--offset-z N] [--textures on|off]\n"
    "           [--background RRGGBB]\n"
    "       tessaly-render SCRIPT.zc --sequence NAME -o DIR/   (one PNG per frame)\n"
    "       tessaly-render SCRIPT.zc --info\n";

struct cUsageError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

struct cOptions
{
    std::string Script, Output, Sequence;
    int Width = 480, Height = 480;
    int Frame = 0;
    int Filter = 0;
    float AngleY = 0, AngleX = 0, OffsetY = 0, OffsetZ = 0;
    bool bTextures = true, bInfo = false;
    bool bBackground = false;
    unsigned Background = 0;
};

float ParseFloat(const std::string& Option, const std::string& Text)
{
    char* pEnd = nullptr;
    const float Value = std::strtof(Text.c_str(), &pEnd);
    if (Text.empty() || *pEnd)
        throw cUsageError(Option + " needs a number, not '" + Text + "'");
    return Value;
}

int ParseInt(const std::string& Option, const std::string& Text)
{
    char* pEnd = nullptr;
    const long Value = std::strtol(Text.c_str(), &pEnd, 10);
    if (Text.empty() || *pEnd || Value < -1000000 || Value > 1000000)
        throw cUsageError(Option + " needs a whole number, not '" + Text + "'");
    return static_cast<int>(Value);
}

cOptions ParseArgs(int Argc, char** Argv)
{
    cOptions Opt;
    for (int i = 1; i < Argc; ++i)
    {
        const std::string Arg = Argv[i];
        if (Arg == "--info")
        {
            Opt.bInfo = true;
            continue;
        }
        if (Arg.rfind("-", 0) != 0)
        {
            if (!Opt.Script.empty())
                throw cUsageError("only one script, please: '" + Arg + "'");
            Opt.Script = Arg;
            continue;
        }
        if (i + 1 >= Argc)
            throw cUsageError("missing value after " + Arg);
        const std::string Value = Argv[++i];
        if (Arg == "-o")
            Opt.Output = Value;
        else if (Arg == "--size")
        {
            const std::size_t x = Value.find('x');
            if (x == std::string::npos)
                throw cUsageError("--size needs WxH, not '" + Value + "'");
            Opt.Width = ParseInt(Arg, Value.substr(0, x));
            Opt.Height = ParseInt(Arg, Value.substr(x + 1));
            if (Opt.Width < 1 || Opt.Height < 1 || Opt.Width > 8192 || Opt.Height > 8192)
                throw cUsageError("--size must be 1x1 to 8192x8192");
        }
        else if (Arg == "--frame")
            Opt.Frame = ParseInt(Arg, Value);
        else if (Arg == "--sequence")
            Opt.Sequence = Value;
        else if (Arg == "--filter")
        {
            const char* const Names[] = {"all", "translucent", "masked", "two-sided", "placeholder"};
            const int Values[] = {0, 2, 3, 4, 8};
            int Found = -1;
            for (int n = 0; n < 5; ++n)
                Found = Value == Names[n] ? Values[n] : Found;
            if (Found < 0)
                throw cUsageError("unknown --filter '" + Value + "'");
            Opt.Filter = Found;
        }
        else if (Arg == "--angle-y")
            Opt.AngleY = ParseFloat(Arg, Value);
        else if (Arg == "--angle-x")
            Opt.AngleX = ParseFloat(Arg, Value);
        else if (Arg == "--offset-y")
            Opt.OffsetY = ParseFloat(Arg, Value);
        else if (Arg == "--offset-z")
            Opt.OffsetZ = ParseFloat(Arg, Value);
        else if (Arg == "--textures")
        {
            if (Value != "on" && Value != "off")
                throw cUsageError("--textures is on or off");
            Opt.bTextures = Value == "on";
        }
        else if (Arg == "--background")
        {
            char* pEnd = nullptr;
            Opt.Background = static_cast<unsigned>(std::strtoul(Value.c_str(), &pEnd, 16));
            if (Value.size() != 6 || *pEnd)
                throw cUsageError("--background needs RRGGBB in hex, not '" + Value + "'");
            Opt.bBackground = true;
        }
        else
            throw cUsageError("unknown option " + Arg);
    }
    if (Opt.Script.empty())
        throw cUsageError("a script is needed");
    if (!Opt.bInfo && Opt.Output.empty())
        throw cUsageError("-o is needed");
    return Opt;
}

// The import's diagnostic lines go to stderr while it lasts, so stdout carries only the JSON.
struct cStdoutToStderr
{
    cStdoutToStderr()
    {
        std::fflush(stdout);
        mSaved = dup(STDOUT_FILENO);
        dup2(STDERR_FILENO, STDOUT_FILENO);
    }
    ~cStdoutToStderr()
    {
        std::fflush(stdout);
        dup2(mSaved, STDOUT_FILENO);
        close(mSaved);
    }
    int mSaved;
};

bool MessageShown = false;

// Releases the model before the context goes, on every exit from the drawing path.
struct cModelReleaser
{
    ~cModelReleaser() { ReleaseModel(); }
};

// The viewer's message box text, on stderr.
void PrintMessage(const char* pszText, const char*)
{
    std::fprintf(stderr, "%s\n", pszText);
    MessageShown = true;
}

void WritePicture(const cOffscreenGL& GL, const std::string& Path)
{
    WritePng(Path, GL.GetWidth(), GL.GetHeight(), GL.ReadRGB());
}

int Run(const cOptions& Opt)
{
    ShowRendererMessage = PrintMessage;
    if (Opt.bInfo)
    {
        std::unique_ptr<cZentorMesh> pModel;
        {
            cStdoutToStderr Redirect;
            pModel = std::make_unique<cZentorMesh>(Opt.Script.c_str(), true);
        }
        cZentorMesh& Model = *pModel;
        std::fputs(ModelInfoJson(Model, Opt.Script).c_str(), stdout);
        return 0;
    }

    // Window creation, then the first size message.
    cOffscreenGL GL(Opt.Width, Opt.Height);
    GLInitState();
    GLInitTexturing();
    ResizeView(Opt.Width, Opt.Height);
    cModelReleaser Releaser;

    // The load flow with OpenGL active.
    ReleaseModel();
    TheModel = new cZentorMesh(Opt.Script.c_str(), true);
    GLBuildModel(Opt.Script.c_str());
    if (MessageShown)
        return 1;
    CurrentFrame = SequenceStart = 0;
    SequenceLength = 1;
    ResizeView(ClientWidth, ClientHeight);

    PolygonFilter = Opt.Filter;
    CameraAngleY = Opt.AngleY;
    CameraAngleX = Opt.AngleX;
    CameraOffsetY = Opt.OffsetY;
    CameraOffsetZ = Opt.OffsetZ;
    if (!Opt.bTextures)
    {
        TexturesOn = 0;
        GLSetTexturesOn(false);
    }
    if (Opt.bBackground)
        GLSetBackgroundColor((Opt.Background >> 16) & 0xFF, (Opt.Background >> 8) & 0xFF,
                             Opt.Background & 0xFF);

    if (Opt.Sequence.empty())
    {
        CurrentFrame = Opt.Frame;
        GLDrawFrame();
        GL.SwapBuffers();
        WritePicture(GL, Opt.Output);
        return 0;
    }

    const AnimSeq* pSeq = nullptr;
    for (int SequenceNum = 0; SequenceNum < TheModel->GetNumSequences() && !pSeq; ++SequenceNum)
        if (TheModel->GetSequence(SequenceNum)->pszName == Opt.Sequence)
            pSeq = TheModel->GetSequence(SequenceNum);
    if (!pSeq)
    {
        std::fprintf(stderr, "The script has no sequence named %s.\n", Opt.Sequence.c_str());
        return 1;
    }
    // Played as Loop Animation plays it: each picture steps one frame within the sequence.
    SequenceStart = CurrentFrame = pSeq->StartFrame;
    SequenceLength = pSeq->NumFrames;
    LoopAnimation = 1;
    const int NumPictures = pSeq->NumFrames < 1 ? 1
                            : pSeq->NumFrames > MAX_FRAMES ? MAX_FRAMES
                                                           : pSeq->NumFrames;
    std::string Dir = Opt.Output;
    if (!Dir.empty() && Dir.back() != '/')
        Dir += '/';
    for (int Picture = 0; Picture < NumPictures; ++Picture)
    {
        GLDrawFrame();
        GL.SwapBuffers();
        char Name[32];
        std::snprintf(Name, sizeof Name, "_%04d.png", Picture);
        WritePicture(GL, Dir + Opt.Sequence + Name);
    }
    return 0;
}

// Compiling display lists makes the GL library allocate and free one small block per vertex,
// thousands in a row; a deep per-thread cache of freed blocks keeps that off the allocator's
// slow paths (about a tenth of a large load). The allocator reads the setting only when a
// process starts, so the program starts itself again once with it, unless the caller chose
// allocator settings of its own.
void RestartWithBlockCache(char** Argv)
{
    if (std::getenv("GLIBC_TUNABLES"))
        return;
    if (setenv("GLIBC_TUNABLES", "glibc.malloc.tcache_count=65535", 1) != 0)
        return;
    execv("/proc/self/exe", Argv);
    // Could not start again: carry on with the allocator as it is.
    unsetenv("GLIBC_TUNABLES");
}
}

int main(int Argc, char** Argv)
{
    RestartWithBlockCache(Argv);
    try
    {
        return Run(ParseArgs(Argc, Argv));
    }
    catch (const cUsageError& Error)
    {
        std::fprintf(stderr, "tessaly-render: %s\n%s", Error.what(), USAGE);
        return 2;
    }
    catch (const std::exception& Error)
    {
        // Load failures carry the very text the viewer shows.
        std::fprintf(stderr, "%s\n", Error.what());
        return 1;
    }
}
