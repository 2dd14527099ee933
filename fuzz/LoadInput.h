// One input of the load fuzz target: how to draw and the four files of one content tree. A
// ten-byte header comes first: the frame to draw (signed, 16 bits), the polygon filter (one
// byte), the switches (one byte), then the byte lengths of the script, the mesh data file and
// the animation file (16 bits each; numbers are little-endian). Those three files follow in that
// order, and whatever remains is the PCX texture. A length larger than what remains of the input
// takes what remains, so every input splits.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::size_t LOAD_INPUT_HEADER_BYTES = 10;

// Switch bits of the header.
constexpr std::uint8_t LOAD_TEXTURES_OFF = 1;     // "Textures On" is off during the load and draw
constexpr std::uint8_t LOAD_LOOP_SEQUENCE = 2;    // Loop Animation on, over the model's first sequence
// Bits 2 and 3: the Direct3D device's line in the chooser, modulo the number of devices.
constexpr int LOAD_DEVICE_SHIFT = 2;
constexpr std::uint8_t LOAD_DEVICE_MASK = 3;
// Bits 4 and 5: the display depth the Direct3D viewer finds, one of LOAD_DISPLAY_DEPTHS.
constexpr int LOAD_DEPTH_SHIFT = 4;
constexpr std::uint8_t LOAD_DEPTH_MASK = 3;
constexpr int LOAD_DISPLAY_DEPTHS[4] = {24, 16, 32, 8};

// Where the files go in the content tree: the names the generator gives a model named Fuzz
// with one texture, so a generated script names exactly these files.
constexpr const char* LOAD_MODEL_NAME = "Fuzz";
constexpr const char* LOAD_SCRIPT_FILE = "Pkg/Classes/Fuzz.zc";
constexpr const char* LOAD_DATA_FILE = "Pkg/Models/Fuzz_d.bin";
constexpr const char* LOAD_ANIV_FILE = "Pkg/Models/Fuzz_a.bin";
constexpr const char* LOAD_TEXTURE_FILE = "Pkg/Textures/Fuzz0.pcx";

struct cLoadInput
{
    int Frame = 0;
    int Filter = 0;
    std::uint8_t Switches = 0;
    std::vector<std::uint8_t> Script, Data, Aniv, Texture;
};

// Splits an input as the header says. False when the input is shorter than the header.
inline bool SplitLoadInput(const std::uint8_t* pData, std::size_t Size, cLoadInput& Input)
{
    if (Size < LOAD_INPUT_HEADER_BYTES)
        return false;
    auto Word = [pData](std::size_t At) {
        return static_cast<std::uint16_t>(pData[At] | pData[At + 1] << 8);
    };
    Input.Frame = static_cast<std::int16_t>(Word(0));
    Input.Filter = pData[2];
    Input.Switches = pData[3];
    const std::uint8_t* p = pData + LOAD_INPUT_HEADER_BYTES;
    const std::uint8_t* const pEnd = pData + Size;
    auto Take = [&p, pEnd](std::size_t Length, std::vector<std::uint8_t>& Part) {
        const std::size_t Taken = std::min<std::size_t>(Length, static_cast<std::size_t>(pEnd - p));
        Part.assign(p, p + Taken);
        p += Taken;
    };
    Take(Word(4), Input.Script);
    Take(Word(6), Input.Data);
    Take(Word(8), Input.Aniv);
    Take(static_cast<std::size_t>(pEnd - p), Input.Texture);
    return true;
}

// The input SplitLoadInput turns back into Input; the first three files must be shorter than
// 64 KiB each.
inline std::vector<std::uint8_t> JoinLoadInput(const cLoadInput& Input)
{
    auto Put = [](std::vector<std::uint8_t>& Out, std::size_t Word) {
        Out.push_back(static_cast<std::uint8_t>(Word & 0xFF));
        Out.push_back(static_cast<std::uint8_t>((Word >> 8) & 0xFF));
    };
    std::vector<std::uint8_t> Out;
    Put(Out, static_cast<std::uint16_t>(Input.Frame));
    Out.push_back(static_cast<std::uint8_t>(Input.Filter));
    Out.push_back(Input.Switches);
    Put(Out, Input.Script.size());
    Put(Out, Input.Data.size());
    Put(Out, Input.Aniv.size());
    for (const std::vector<std::uint8_t>* pPart : {&Input.Script, &Input.Data, &Input.Aniv, &Input.Texture})
        Out.insert(Out.end(), pPart->begin(), pPart->end());
    return Out;
}
