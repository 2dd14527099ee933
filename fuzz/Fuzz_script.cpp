// Fuzz target: script text. The text goes through the directive reader and the command reader
// in memory, then is written as the script of a small generated content tree and loaded as a
// whole model, so the commands also run against real mesh and texture files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "FuzzContent.h"
#include "model/ExecCommand.h"
#include "model/LoadError.h"
#include "model/ScriptReader.h"

namespace
{

class cContentTree
{
public:
    cContentTree()
    {
        std::string Template = (std::filesystem::temp_directory_path() / "tessaly-fuzz-XXXXXX").string();
        if (!mkdtemp(Template.data()))
            std::abort();
        mRoot = Template;
        mScript = WriteModel(mRoot, FuzzModelParams()).ScriptPath;
        // The load diagnostics would flood the fuzzer's output.
        if (!std::freopen("/dev/null", "w", stdout))
            std::abort();
    }
    ~cContentTree()
    {
        std::error_code Error;
        std::filesystem::remove_all(mRoot, Error);
    }
    const std::string& Script() const { return mScript; }

private:
    std::string mRoot;
    std::string mScript;
};

void CheckPieces(const std::string& Text)
{
    ForEachDirective(Text, [](const char* pszText) {
        const cCommand Cmd = ParseCommand(pszText);
        // Every value is a part of the directive it was read from.
        const std::size_t Length = std::strlen(pszText);
        if (Length > SCRIPT_PIECE_CHARS || Cmd.Name.size() > Length || Cmd.File.size() > Length ||
            Cmd.AnivFile.size() > Length)
            __builtin_trap();
    });
}

void LoadModel(const std::string& Script, const std::string& Text, bool bFlip)
{
    std::FILE* pFile = std::fopen(Script.c_str(), "wb");
    if (!pFile || std::fwrite(Text.data(), 1, Text.size(), pFile) != Text.size() || std::fclose(pFile) != 0)
        std::abort();
    try
    {
        cZentorMesh Model(Script.c_str(), bFlip);
        // Whatever the script said, every texture number and triangle must be safe to read.
        for (int n = 0; n < MAX_TEXTURES; ++n)
            if (const std::uint8_t* pPixels = Model.GetTexture(n))
            {
                volatile std::uint8_t Last = pPixels[3 * PCX_TEXTURE_SIZE * PCX_TEXTURE_SIZE - 1];
                (void)Last;
            }
        for (int f = 0; f < Model.GetAnivHeader()->NumFrames; ++f)
            for (int t = 0; t < Model.GetDataHeader()->NumPolys; ++t)
                if (!Model.GetTriangle(f, t))
                    __builtin_trap();
        for (int s = 0; s < Model.GetNumSequences(); ++s)
            if (!Model.GetSequence(s))
                __builtin_trap();
    }
    catch (const cLoadError&)
    {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t Size)
{
    static const cContentTree Tree;
    const std::string Text(reinterpret_cast<const char*>(pData), Size);
    CheckPieces(Text);
    LoadModel(Tree.Script(), Text, Size % 2 == 1);
    return 0;
}
