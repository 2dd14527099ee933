// ScriptText: composes a model's class script the way hand-written content looks: class
// declaration and code around the import directives, comments, directives meant for other
// tools, CR LF line ends and backslash-separated content paths.
#include "tools/zgen/GenParts.h"

#include <cstdio>
#include <cstdlib>

namespace
{
class cScriptLines
{
public:
    void Add(const std::string& Line) { mText += Line + "\r\n"; }
    std::string Take() { return std::move(mText); }

private:
    std::string mText;
};

// The shortest text that reads back as the same float, so the script carries the exact scale
// (nine significant digits always do).
std::string FormatReal(float Value)
{
    char Text[32];
    for (int Digits = 6; Digits <= 9; ++Digits)
    {
        std::snprintf(Text, sizeof Text, "%.*g", Digits, static_cast<double>(Value));
        if (std::strtof(Text, nullptr) == Value)
            break;
    }
    return Text;
}
} // namespace

std::string ComposeScript(const cScriptDeclarations& Declared)
{
    const std::string& N = Declared.Name;
    cScriptLines L;
    L.Add("//=============================================================================");
    L.Add("// " + N + (Declared.Figure ? ": a wandering adventurer." : ": a test shape."));
    L.Add("// Written by tessaly-gen; regenerate it rather than editing by hand.");
    L.Add("//=============================================================================");
    L.Add("class " + N + " expands Actor;");
    L.Add("");
    L.Add("/*");
    L.Add("   Import directives. The mesh and animation files come from the modelling");
    L.Add("   exporter; textures are 256 x 256 palette images.");
    L.Add("   Textures must be imported after the mesh they belong to.");
    L.Add("*/");
    L.Add("");
    L.Add("#exec AUDIO IMPORT FILE=Sounds\\" + N + "Step.wav NAME=" + N + "Step");
    L.Add("#exec MESH IMPORT MESH=" + N + " ANIVFILE=Models\\" + N + "_a.bin DATAFILE=Models\\" + N +
          "_d.bin X=0 Y=0 Z=0");
    L.Add("#exec MESH ORIGIN MESH=" + N + " X=0 Y=0 Z=0 PITCH=0");
    L.Add("");
    for (const cGenSequence& Seq : Declared.Sequences)
        L.Add("#exec MESH SEQUENCE MESH=" + N + " SEQ=" + Seq.Name + " STARTFRAME=" +
              std::to_string(Seq.StartFrame) + " NUMFRAMES=" + std::to_string(Seq.NumFrames));
    L.Add("");
    L.Add("#exec MESHMAP NEW MESHMAP=" + N + " MESH=" + N);
    L.Add("#alwaysexec MESHMAP SCALE MESHMAP=" + N + " X=" + FormatReal(Declared.Scale[0]) +
          " Y=" + FormatReal(Declared.Scale[1]) + " Z=" + FormatReal(Declared.Scale[2]));
    L.Add("");
    for (std::size_t i = 0; i < Declared.TextureNames.size(); ++i)
        L.Add("#exec TEXTURE IMPORT NAME=" + Declared.TextureNames[i] +
              " FILE=" + Declared.TextureFiles[i] + " FLAGS=2");
    for (const auto& Mapping : Declared.Mappings)
        L.Add("#exec MESHMAP SETTEXTURE MESHMAP=" + N + " NUM=" + std::to_string(Mapping.first) +
              " TEXTURE=" + Mapping.second);
    // A retired mapping left commented out, as real scripts often carry.
    L.Add("// #exec MESHMAP SETTEXTURE MESHMAP=" + N + " NUM=8 TEXTURE=" + N + "Old");
    L.Add("");
    L.Add("var float StrideLength;");
    L.Add("var int StepsTaken;");
    L.Add("");
    L.Add("function TakeStep()");
    L.Add("{");
    L.Add("    StepsTaken = StepsTaken + 1;");
    L.Add("}");
    L.Add("");
    L.Add("defaults");
    L.Add("{");
    L.Add("    StrideLength = 64.0;");
    L.Add("    Mesh = " + N + ";");
    L.Add("}");
    return L.Take();
}
