// tessaly-render's command line: the options of one run and their parsing.
#pragma once

#include <stdexcept>
#include <string>

// The text --help prints and every usage error ends with.
extern const char* const USAGE;
// What --version prints.
extern const char* const RENDER_VERSION_TEXT;

// A command line the program cannot run; the message names what is wrong.
struct cUsageError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

enum class eRenderer
{
    OpenGL,
    Direct3D,
};

// What -o names: by its extension, or a folder of PNGs for --sequence and --turntable.
enum class eOutputKind
{
    PngFile,
    PngFolder,
    Gif,
    WebP,
};

struct cOptions
{
    std::string Script, Output, Sequence;
    eRenderer Renderer = eRenderer::OpenGL;
    int Width = 480, Height = 480;
    int Frame = 0;
    int Filter = 0;
    float AngleY = 0, AngleX = 0, OffsetY = 0, OffsetZ = 0;
    bool bTextures = true, bInfo = false, bHelp = false, bVersion = false;
    // The model import's progress lines are printed only when set.
    bool bVerbose = false;
    bool bBackground = false;
    unsigned Background = 0;   // 0xRRGGBB
    // Direct3D only: the device's index in enumeration order, and the display depth the
    // viewer sees (0: the window system's own).
    int Device = 0;
    int DisplayBits = 0;
    eOutputKind OutputKind = eOutputKind::PngFile;
    // Pictures a second for GIF and WebP.
    int Fps = 20;
    // The number of pictures of one turn about the vertical axis; 0: no turntable.
    int Turntable = 0;
    // The background is left out: PNG alpha, the GIF's transparent index, WebP alpha.
    bool bTransparent = false;
    // GIF: dithered onto the palette.
    bool bDither = false;
    // WebP: lossy at this quality (0..100); negative: lossless.
    int Quality = -1;
};

// Reads the arguments; --help and --version alone need nothing else. Throws cUsageError.
cOptions ParseArgs(int Argc, char** Argv);
