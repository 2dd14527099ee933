// Builds the --info JSON from the model's accessors and frame 0's geometry.
#include "tools/render/ModelInfo.h"

#include <cstdio>
#include <set>
#include <sstream>

#include "model/ZentorMesh.h"
#include "render/FrameGeometry.h"

namespace
{
std::string Quote(const std::string& Text)
{
    std::string Out = "\"";
    for (unsigned char c : Text)
    {
        if (c == '"' || c == '\\')
        {
            Out += '\\';
            Out += static_cast<char>(c);
        }
        else if (c < 0x20)
        {
            char Escape[8];
            std::snprintf(Escape, sizeof Escape, "\\u%04x", c);
            Out += Escape;
        }
        else
            Out += static_cast<char>(c);
    }
    return Out + "\"";
}

// Frame 0 measured the way the OpenGL renderer measures it, without any GL.
class cInfoFrame : public cFrameGeometry
{
public:
    explicit cInfoFrame(cZentorMesh& Model) : cFrameGeometry(&Model, 0, MAX_TEXTURES)
    {
        mHeader = Model.GetDataHeader();
        BuildTris(TCOORD_OPENGL);
        ReleaseTris();
    }
};
}

std::string ModelInfoJson(cZentorMesh& Model, const std::string& ScriptPath)
{
    std::ostringstream Json;
    Json.precision(9);
    Json << "{\n  \"script\": " << Quote(ScriptPath) << ",\n";
    Json << "  \"frames\": " << Model.GetAnivHeader()->NumFrames << ",\n";
    Json << "  \"triangles\": " << Model.GetDataHeader()->NumPolys << ",\n";
    Json << "  \"vertices\": " << Model.GetDataHeader()->NumVertices << ",\n";
    // Texture numbers with an image, and how many distinct imported textures they use.
    std::set<const std::uint8_t*> Slots;
    Json << "  \"mapped_texture_numbers\": [";
    const char* pszSep = "";
    for (int TextureNum = 0; TextureNum < MAX_TEXTURES; ++TextureNum)
    {
        if (const std::uint8_t* pPixels = Model.GetTexture(TextureNum))
        {
            Json << pszSep << TextureNum;
            pszSep = ", ";
            Slots.insert(pPixels);
        }
    }
    Json << "],\n  \"mapped_texture_slots\": " << Slots.size() << ",\n";
    Json << "  \"sequences\": [";
    for (int SequenceNum = 0; SequenceNum < Model.GetNumSequences(); ++SequenceNum)
    {
        const AnimSeq* pSeq = Model.GetSequence(SequenceNum);
        Json << (SequenceNum ? ",\n" : "\n") << "    {\"name\": " << Quote(pSeq->pszName)
             << ", \"start\": " << pSeq->StartFrame << ", \"frames\": " << pSeq->NumFrames << "}";
    }
    Json << (Model.GetNumSequences() ? "\n  ],\n" : "],\n");
    const float* pScale = Model.GetScale();
    Json << "  \"scale\": [" << pScale[0] << ", " << pScale[1] << ", " << pScale[2] << "],\n";
    float Box[6];
    cInfoFrame Frame(Model);
    Frame.GetBounds(Box[0], Box[1], Box[2], Box[3], Box[4], Box[5]);
    Json << "  \"frame0_bounds\": {\"min\": [" << Box[0] << ", " << Box[2] << ", " << Box[4]
         << "], \"max\": [" << Box[1] << ", " << Box[3] << ", " << Box[5] << "]}\n}\n";
    return Json.str();
}
