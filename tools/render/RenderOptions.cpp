// tessaly-render's command line: parsing and checking the options of one run.
#include "tools/render/RenderOptions.h"

#include <cstdlib>

#include "TessalyVersion.h"

const char* const RENDER_VERSION_TEXT = "tessaly-render (" TESSALY_VERSION_TEXT ")\n";

const char* const USAGE =
    "usage: tessaly-render SCRIPT.zc -o OUT.png [--renderer gl|d3d] [--size WxH | --square N]\n"
    "           [--frame N | --sequence NAME]\n"
    "           [--filter all|translucent|masked|two-sided|placeholder] [--angle-y DEG]\n"
    "           [--angle-x DEG] [--offset-y N] [--offset-z N] [--textures on|off]\n"
    "           [--background RRGGBB] [--device N] [--depth 16|24|32] [--verbose]\n"
    "       tessaly-render SCRIPT.zc --sequence NAME -o DIR/   (one PNG per frame)\n"
    "       tessaly-render SCRIPT.zc --info\n"
    "       tessaly-render --help | --version\n"
    "  --square    N: an N x N picture, the same as --size NxN (thumbnailers pass one size)\n"
    "  --verbose   prints the model's load lines (quiet otherwise; errors go to stderr)\n"
    "  --renderer  gl (default): OpenGL; d3d: the Direct3D renderer on the software device,\n"
    "              without OpenGL\n"
    "  --device    d3d only: the device's index in enumeration order (default 0, the first)\n"
    "  --depth     d3d only: the display depth the viewer sees (default: the window system's)\n";

namespace
{
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

int ParseFilter(const std::string& Value)
{
    const char* const Names[] = {"all", "translucent", "masked", "two-sided", "placeholder"};
    const int Values[] = {0, 2, 3, 4, 8};
    for (int n = 0; n < 5; ++n)
        if (Value == Names[n])
            return Values[n];
    throw cUsageError("unknown --filter '" + Value + "'");
}

// Reads the option Arg with its Value into Opt.
void ParseOption(const std::string& Arg, const std::string& Value, cOptions& Opt)
{
    if (Arg == "-o")
        Opt.Output = Value;
    else if (Arg == "--renderer")
    {
        if (Value != "gl" && Value != "d3d")
            throw cUsageError("--renderer is gl or d3d, not '" + Value + "'");
        Opt.Renderer = Value == "gl" ? eRenderer::OpenGL : eRenderer::Direct3D;
    }
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
    else if (Arg == "--square")
    {
        Opt.Width = Opt.Height = ParseInt(Arg, Value);
        if (Opt.Width < 1 || Opt.Width > 8192)
            throw cUsageError("--square must be 1 to 8192");
    }
    else if (Arg == "--frame")
        Opt.Frame = ParseInt(Arg, Value);
    else if (Arg == "--sequence")
        Opt.Sequence = Value;
    else if (Arg == "--filter")
        Opt.Filter = ParseFilter(Value);
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
    else if (Arg == "--device")
        Opt.Device = ParseInt(Arg, Value);
    else if (Arg == "--depth")
    {
        Opt.DisplayBits = ParseInt(Arg, Value);
        if (Opt.DisplayBits != 16 && Opt.DisplayBits != 24 && Opt.DisplayBits != 32)
            throw cUsageError("--depth is 16, 24 or 32, not '" + Value + "'");
    }
    else
        throw cUsageError("unknown option " + Arg);
}
}  // namespace

cOptions ParseArgs(int Argc, char** Argv)
{
    cOptions Opt;
    bool bDirect3DOnly = false;
    for (int i = 1; i < Argc; ++i)
    {
        const std::string Arg = Argv[i];
        if (Arg == "--help" || Arg == "-h")
        {
            Opt.bHelp = true;
            return Opt;
        }
        if (Arg == "--version")
        {
            Opt.bVersion = true;
            return Opt;
        }
        if (Arg == "--info" || Arg == "--verbose")
        {
            (Arg == "--info" ? Opt.bInfo : Opt.bVerbose) = true;
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
        bDirect3DOnly |= Arg == "--device" || Arg == "--depth";
        ParseOption(Arg, Argv[++i], Opt);
    }
    if (Opt.Script.empty())
        throw cUsageError("a script is needed");
    if (!Opt.bInfo && Opt.Output.empty())
        throw cUsageError("-o is needed");
    // Silently ignoring them would render with a device or depth the caller did not ask for.
    if (bDirect3DOnly && Opt.Renderer != eRenderer::Direct3D)
        throw cUsageError("--device and --depth need --renderer d3d");
    return Opt;
}
