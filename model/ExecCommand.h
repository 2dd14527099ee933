// Exec command interpreter, text side: turns the text of one directive into a command record.
#pragma once

#include <cstdint>
#include <string>

enum class eCommandKind
{
    Nothing,        // not one of the five commands, or a TEXTURE IMPORT without NAME= or FILE=
    MissingKey,     // a known MESHMAP or MESH command without one of its keys
    TextureImport,  // Name = NAME=, File = FILE=
    Scale,          // Scale = X=, Y=, Z=
    SetTexture,     // Name = TEXTURE=, Num = NUM=
    MeshImport,     // File = DATAFILE=, AnivFile = ANIVFILE=
    Sequence,       // Name = SEQ=, StartFrame, NumFrames
};

struct cCommand
{
    eCommandKind Kind = eCommandKind::Nothing;
    std::string Name;
    std::string File;
    std::string AnivFile;
    float Scale[3] = {0.0f, 0.0f, 0.0f};
    long Num = 0;
    std::int32_t StartFrame = 0;
    std::int32_t NumFrames = 0;
    std::string Diagnostic;  // for MissingKey: the line to print, newline included
};

// Reads the text after a directive keyword. Command words ignore case, keys do not; values
// end at whitespace or at the end of the text, which is never read past.
cCommand ParseCommand(const char* pszText);
