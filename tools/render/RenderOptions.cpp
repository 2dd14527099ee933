// tessaly-render's command line: parsing and checking the options of one run.
#include "tools/render/RenderOptions.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "TessalyVersion.h"

const char* const RENDER_VERSION_TEXT = "tessaly-render (" TESSALY_VERSION_TEXT ")\n";

const char* const USAGE =
    "usage: tessaly-render SCRIPT.zc -o OUT.png|OUT.gif|OUT.webp [--renderer gl|d3d]\n"
    "           [--size WxH | --square N] [--frame N | --sequence NAME] [--turntable N]\n"
    "           [--filter all|translucent|masked|two-sided|placeholder] [--angle-y DEG]\n"
    "           [--angle-x DEG] [--offset-y N] [--offset-z N] [--textures on|off]\n"
    "           [--background RRGGBB | --transparent] [--fps N] [--dither] [--quality Q]\n"
    "           [--device N] [--depth 16|24|32] [--verbose]\n"
    "       tessaly-render SCRIPT.zc --sequence NAME|--turntable N -o DIR/   (one PNG each)\n"
    "       tessaly-render SCRIPT.zc --info\n"
    "       tessaly-render --help | --version\n"
    "  --square    N: an N x N picture, the same as --size NxN (thumbnailers pass one size)\n"
    "  --verbose   prints the model's load lines (quiet otherwise; errors go to stderr)\n"
    "  --renderer  gl (default): OpenGL; d3d: the Direct3D renderer on the software device,\n"
    "              without OpenGL\n"
    "  --device    d3d only: the device's index in enumeration order (default 0, the first)\n"
    "  --depth     d3d only: the display depth the viewer sees (default: the window system's)\n"
    "  -o          .png: one picture; .gif or .webp: the sequence (or the frame) animated,\n"
    "              looping for ever; a folder: one PNG per picture (--sequence, --turntable)\n"
    "  --fps       GIF and WebP: pictures a second, 1 to 60 (default 20)\n"
    "  --turntable N pictures of one turn about the vertical axis (2 to 720), at --frame or\n"
    "              while the --sequence plays\n"
    "  --transparent  no background: PNG alpha, a GIF transparent colour, WebP alpha\n"
    "  --dither    GIF only: dither onto the palette (the nearest colour otherwise)\n"
    "  --quality   WebP only: lossy at Q, 0 to 100 (lossless otherwise)\n";

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

bool EndsWith(const std::string& Text, const std::string& End)
{
    if (Text.size() < End.size())
        return false;
    return std::equal(End.begin(), End.end(), Text.end() - static_cast<std::ptrdiff_t>(End.size()),
                      [](char A, char B) { return std::tolower(static_cast<unsigned char>(A)) == B; });
}

// The file kind -o names; anything but a PNG, GIF or WebP file is a folder of PNGs, which
// only --sequence and --turntable write.
eOutputKind OutputKind(const cOptions& Opt)
{
    if (EndsWith(Opt.Output, ".gif"))
        return eOutputKind::Gif;
    if (EndsWith(Opt.Output, ".webp"))
        return eOutputKind::WebP;
    if (!Opt.Sequence.empty() || Opt.Turntable)
        return eOutputKind::PngFolder;
    if (EndsWith(Opt.Output, ".png"))
        return eOutputKind::PngFile;
    throw cUsageError("-o must end in .png, .gif or .webp (or name a folder for --sequence or "
                      "--turntable), not '" + Opt.Output + "'");
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
    else if (Arg == "--fps")
    {
        Opt.Fps = ParseInt(Arg, Value);
        if (Opt.Fps < 1 || Opt.Fps > 60)
            throw cUsageError("--fps must be 1 to 60, not '" + Value + "'");
    }
    else if (Arg == "--turntable")
    {
        Opt.Turntable = ParseInt(Arg, Value);
        if (Opt.Turntable < 2 || Opt.Turntable > 720)
            throw cUsageError("--turntable must be 2 to 720, not '" + Value + "'");
    }
    else if (Arg == "--quality")
    {
        Opt.Quality = ParseInt(Arg, Value);
        if (Opt.Quality < 0 || Opt.Quality > 100)
            throw cUsageError("--quality must be 0 to 100, not '" + Value + "'");
    }
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
    bool bDirect3DOnly = false, bAnimationOnly = false;
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
        if (Arg == "--info" || Arg == "--verbose" || Arg == "--transparent" || Arg == "--dither")
        {
            (Arg == "--info"          ? Opt.bInfo
             : Arg == "--verbose"     ? Opt.bVerbose
             : Arg == "--transparent" ? Opt.bTransparent
                                      : Opt.bDither) = true;
            bAnimationOnly |= Arg == "--dither";
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
        bAnimationOnly |= Arg == "--fps" || Arg == "--quality";
        ParseOption(Arg, Argv[++i], Opt);
    }
    if (Opt.Script.empty())
        throw cUsageError("a script is needed");
    if (!Opt.bInfo && Opt.Output.empty())
        throw cUsageError("-o is needed");
    // Silently ignoring them would render with a device or depth the caller did not ask for.
    if (bDirect3DOnly && Opt.Renderer != eRenderer::Direct3D)
        throw cUsageError("--device and --depth need --renderer d3d");
    if (Opt.bInfo)
        return Opt;
    Opt.OutputKind = OutputKind(Opt);
    // The same: a PNG has no frame rate, a GIF no quality, a WebP no palette to dither onto.
    const bool bAnimated = Opt.OutputKind == eOutputKind::Gif || Opt.OutputKind == eOutputKind::WebP;
    if (bAnimationOnly && !bAnimated)
        throw cUsageError("--fps, --dither and --quality need -o OUT.gif or OUT.webp");
    if (Opt.bDither && Opt.OutputKind != eOutputKind::Gif)
        throw cUsageError("--dither needs -o OUT.gif");
    if (Opt.Quality >= 0 && Opt.OutputKind != eOutputKind::WebP)
        throw cUsageError("--quality needs -o OUT.webp");
    if (Opt.bTransparent && Opt.bBackground)
        throw cUsageError("--transparent has no background: leave out --background");
    return Opt;
}
