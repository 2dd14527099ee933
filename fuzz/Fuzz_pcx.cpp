// Fuzz target: one PCX image from memory, flipped or not by the lowest bit of its first byte
// (the manufacturer byte, which the reader does not examine).
#include <cstddef>
#include <cstdint>

#include "model/LoadError.h"
#include "model/PCXFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t Size)
{
    try
    {
        const cPCXFile Image(pData, Size, Size > 0 && (pData[0] & 1), "fuzz.pcx");
        // The renderers read the whole texture; its last byte must be part of the buffer.
        volatile std::uint8_t Last = Image.GetPixels()[3 * PCX_TEXTURE_SIZE * PCX_TEXTURE_SIZE - 1];
        (void)Last;
    }
    catch (const cLoadError&)
    {
    }
    return 0;
}
