// Fuzz target: script text through the directive reader and the command reader.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "model/ExecCommand.h"
#include "model/ScriptReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t Size)
{
    const std::string Text(reinterpret_cast<const char*>(pData), Size);
    ForEachDirective(Text, [](const char* pszText) {
        const cCommand Cmd = ParseCommand(pszText);
        // Every value is a part of the directive it was read from.
        const std::size_t Length = std::strlen(pszText);
        if (Length > SCRIPT_PIECE_CHARS || Cmd.Name.size() > Length || Cmd.File.size() > Length ||
            Cmd.AnivFile.size() > Length)
            __builtin_trap();
    });
    return 0;
}
