// Script directive reader: reads the class script and hands each directive to the interpreter.
#include "model/ScriptReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "model/ContentPath.h"
#include "model/LoadError.h"
#include "model/ZentorMesh.h"

namespace
{

const char EXEC_KEYWORD[] = "#exec";
const char ALWAYSEXEC_KEYWORD[] = "#alwaysexec";

// Scripts are written with CR LF line ends; the reader sees a plain newline, as text mode would.
std::string DropCarriageReturns(const std::string& Text)
{
    std::string Out;
    Out.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size(); ++i)
        if (!(Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n'))
            Out += Text[i];
    return Out;
}

} // namespace

void ForEachDirective(const std::string& Text, const std::function<void(const char*)>& Fn)
{
    const std::string Lines = DropCarriageReturns(Text);
    std::size_t Start = 0;
    while (Start < Lines.size())
    {
        // A piece ends after its newline or at the read size, whichever comes first; only that
        // far is searched, so very long lines cost no more than short ones.
        std::size_t Length = std::min(SCRIPT_PIECE_CHARS, Lines.size() - Start);
        if (const void* pNewline = std::memchr(Lines.data() + Start, '\n', Length))
            Length = static_cast<std::size_t>(static_cast<const char*>(pNewline) - (Lines.data() + Start)) + 1;
        const std::string Piece = Lines.substr(Start, Length);
        Start += Length;

        // The keywords are compared case-sensitively at the very start of the piece; a zero
        // byte inside the piece ends its text, as it would for any C string.
        const char* pszPiece = Piece.c_str();
        if (std::strncmp(pszPiece, EXEC_KEYWORD, sizeof EXEC_KEYWORD - 1) == 0)
            Fn(pszPiece + sizeof EXEC_KEYWORD - 1);
        else if (std::strncmp(pszPiece, ALWAYSEXEC_KEYWORD, sizeof ALWAYSEXEC_KEYWORD - 1) == 0)
            Fn(pszPiece + sizeof ALWAYSEXEC_KEYWORD - 1);
    }
}

void cZentorMesh::ReadScript(const char* pszScript)
{
    cFileHandle File = OpenContentFile(pszScript);
    if (!File)
        throw cLoadError(std::string("Can't open file ") + pszScript);
    const std::string Text = [&] {
        const std::vector<std::uint8_t> Bytes = ReadRest(File.get(), SIZE_MAX);
        return std::string(Bytes.begin(), Bytes.end());
    }();
    File.reset();
    ForEachDirective(Text, [this](const char* pszText) { ExecCommand(pszText, mMeshImported); });
}
