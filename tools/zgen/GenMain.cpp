// tessaly-gen: command-line front end of the content generator; prints the script path.
#include "tools/zgen/ZentorGen.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
const char USAGE[] =
    "usage: tessaly-gen --sample DIR\n"
    "       tessaly-gen DIR [--name N] [--frames F] [--tris T] [--vertices V] [--textures K]\n"
    "                   [--types 0,2,3,4,8] [--sequences S] [--scale X,Y,Z] [--seed N] [--figure]\n"
    "       tessaly-gen --help | --version\n"
    "Writes DIR/Pkg/Classes/<N>.zc with its mesh files and textures and prints the script path.\n";

// --help: the usage, then what each option does.
const char OPTIONS[] =
    "\n"
    "  --sample DIR     the bundled sample: the figure Wanderer with its sequences\n"
    "  --name N         the class name, which names the script and its files (default Sample)\n"
    "  --frames F       animation frames, 0 to 1200 (default 8)\n"
    "  --tris T         triangles, 0 to 65535 (default 64)\n"
    "  --vertices V     vertices, 0 to 16383, at least 1 with triangles (default 66)\n"
    "  --textures K     textures, 1 to 9 (default 1)\n"
    "  --types LIST     the triangles' type bytes (0 to 255), cycled over them (default 0)\n"
    "  --sequences S    animation sequences sharing the frames, 0 to F (default 1)\n"
    "  --scale X,Y,Z    the model's scale in the script (default 1,1,1)\n"
    "  --seed N         the seed of the random shapes and colours (default 1)\n"
    "  --figure         a character-like figure instead of a generic mesh\n"
    "  -h, --help       prints this help and exits\n"
    "  --version        prints the version and exits\n";

const char VERSION_TEXT[] = "tessaly-gen (Tessaly v" TESSALY_VERSION ")\n";

struct cUsageError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// A whole-text integer; decimal, or hexadecimal with 0x. A leading zero stays decimal ("010"
// is ten), which base 0 of strtol would read as octal.
long ParseInt(const std::string& Text, const std::string& Option)
{
    const std::size_t Digits = Text.find_first_not_of("+-");
    const bool bHex = Digits != std::string::npos && Text.compare(Digits, 2, "0x") == 0;
    errno = 0;
    char* pEnd = nullptr;
    const long Value = std::strtol(Text.c_str(), &pEnd, bHex ? 16 : 10);
    if (Text.empty() || *pEnd != '\0' || errno == ERANGE || Value < -2147483647L || Value > 2147483647L)
        throw cUsageError(Option + " needs a whole number, not '" + Text + "'");
    return Value;
}

float ParseReal(const std::string& Text, const std::string& Option)
{
    char* pEnd = nullptr;
    const float Value = std::strtof(Text.c_str(), &pEnd);
    if (Text.empty() || *pEnd != '\0')
        throw cUsageError(Option + " needs numbers, not '" + Text + "'");
    return Value;
}

std::vector<std::string> SplitCommas(const std::string& Text)
{
    std::vector<std::string> Parts;
    std::size_t Start = 0;
    for (;;)
    {
        const std::size_t Comma = Text.find(',', Start);
        Parts.push_back(Text.substr(Start, Comma - Start));
        if (Comma == std::string::npos)
            return Parts;
        Start = Comma + 1;
    }
}

int ToInt(long Value) { return static_cast<int>(Value); }

cGenResult Run(const std::vector<std::string>& Args)
{
    if (Args.size() == 2 && Args[0] == "--sample")
        return WriteSample(Args[1]);
    if (Args.empty() || Args[0].rfind("--", 0) == 0)
        throw cUsageError("a content directory is needed");
    cGenParams Params;
    for (std::size_t i = 1; i < Args.size(); ++i)
    {
        const std::string& Option = Args[i];
        if (Option == "--figure")
        {
            Params.Figure = true;
            continue;
        }
        if (i + 1 >= Args.size())
            throw cUsageError("missing value after " + Option);
        const std::string& Value = Args[++i];
        if (Option == "--name")
            Params.Name = Value;
        else if (Option == "--frames")
            Params.NumFrames = ToInt(ParseInt(Value, Option));
        else if (Option == "--tris")
            Params.NumTris = ToInt(ParseInt(Value, Option));
        else if (Option == "--vertices")
            Params.NumVertices = ToInt(ParseInt(Value, Option));
        else if (Option == "--textures")
            Params.NumTextures = ToInt(ParseInt(Value, Option));
        else if (Option == "--sequences")
            Params.NumSequences = ToInt(ParseInt(Value, Option));
        else if (Option == "--seed")
            Params.Seed = static_cast<std::uint32_t>(ParseInt(Value, Option));
        else if (Option == "--types")
        {
            Params.TypeMix.clear();
            for (const std::string& Part : SplitCommas(Value))
                Params.TypeMix.push_back(ToInt(ParseInt(Part, Option)));
        }
        else if (Option == "--scale")
        {
            const std::vector<std::string> Parts = SplitCommas(Value);
            if (Parts.size() != 3)
                throw cUsageError("--scale needs three numbers X,Y,Z");
            for (int k = 0; k < 3; ++k)
                Params.Scale[k] = ParseReal(Parts[static_cast<std::size_t>(k)], Option);
        }
        else
            throw cUsageError("unknown option " + Option);
    }
    return WriteModel(Args[0], Params);
}
} // namespace

int main(int argc, char** argv)
{
    try
    {
        const std::vector<std::string> Args(argv + 1, argv + argc);
        if (Args.size() == 1 && (Args[0] == "--help" || Args[0] == "-h"))
        {
            std::printf("%s%s", USAGE, OPTIONS);
            return 0;
        }
        if (Args.size() == 1 && Args[0] == "--version")
        {
            std::fputs(VERSION_TEXT, stdout);
            return 0;
        }
        const cGenResult Result = Run(Args);
        std::printf("%s\n", Result.ScriptPath.c_str());
        return 0;
    }
    catch (const cUsageError& Error)
    {
        std::fprintf(stderr, "tessaly-gen: %s\n%s", Error.what(), USAGE);
        return 2;
    }
    catch (const std::invalid_argument& Error)
    {
        std::fprintf(stderr, "tessaly-gen: %s\n%s", Error.what(), USAGE);
        return 2;
    }
    catch (const std::exception& Error)
    {
        std::fprintf(stderr, "tessaly-gen: %s\n", Error.what());
        return 1;
    }
}
