// Exec command interpreter: reads the five import commands and applies them to the model.
#include "model/ExecCommand.h"

#include <memory>

#include "model/ImportOutput.h"
#include "model/LoadError.h"
#include "model/TextScan.h"
#include "model/ZentorMesh.h"

namespace
{

cCommand Missing(const char* pszCommand, const char* pszKey)
{
    cCommand Cmd;
    Cmd.Kind = eCommandKind::MissingKey;
    Cmd.Diagnostic = std::string("Ignored ") + pszCommand + ": no " + pszKey + " key\n";
    return Cmd;
}

cCommand ParseMeshmap(const char* p)
{
    cCommand Cmd;
    if (BeginsWith(p, "SCALE"))
    {
        const char* Keys[3] = {"X=", "Y=", "Z="};
        for (int i = 0; i < 3; ++i)
        {
            const char* pValue = FindKey(p, Keys[i]);
            if (!pValue)
                return Missing("MESHMAP SCALE", Keys[i]);
            Cmd.Scale[i] = RealValue(pValue);
        }
        Cmd.Kind = eCommandKind::Scale;
    }
    else if (BeginsWith(p, "SETTEXTURE"))
    {
        const char* pNum = FindKey(p, "NUM=");
        if (!pNum)
            return Missing("MESHMAP SETTEXTURE", "NUM=");
        const char* pTexture = FindKey(p, "TEXTURE=");
        if (!pTexture)
            return Missing("MESHMAP SETTEXTURE", "TEXTURE=");
        Cmd.Kind = eCommandKind::SetTexture;
        Cmd.Num = IntValue(pNum);
        Cmd.Name = TextValue(pTexture);
    }
    return Cmd;
}

cCommand ParseMesh(const char* p)
{
    cCommand Cmd;
    if (BeginsWith(p, "IMPORT"))
    {
        const char* pAniv = FindKey(p, "ANIVFILE=");
        if (!pAniv)
            return Missing("MESH IMPORT", "ANIVFILE=");
        const char* pData = FindKey(p, "DATAFILE=");
        if (!pData)
            return Missing("MESH IMPORT", "DATAFILE=");
        Cmd.Kind = eCommandKind::MeshImport;
        Cmd.AnivFile = TextValue(pAniv);
        Cmd.File = TextValue(pData);
    }
    else if (BeginsWith(p, "SEQUENCE"))
    {
        const char* pSeq = FindKey(p, "SEQ=");
        if (!pSeq)
            return Missing("MESH SEQUENCE", "SEQ=");
        const char* pStart = FindKey(p, "STARTFRAME=");
        if (!pStart)
            return Missing("MESH SEQUENCE", "STARTFRAME=");
        const char* pCount = FindKey(p, "NUMFRAMES=");
        if (!pCount)
            return Missing("MESH SEQUENCE", "NUMFRAMES=");
        Cmd.Kind = eCommandKind::Sequence;
        Cmd.Name = TextValue(pSeq);
        Cmd.StartFrame = Int32Value(pStart);
        Cmd.NumFrames = Int32Value(pCount);
    }
    return Cmd;
}

} // namespace

cCommand ParseCommand(const char* pszText)
{
    const char* p = SkipBlanks(pszText);
    cCommand Cmd;
    if (BeginsWith(p, "TEXTURE"))
    {
        p = SkipWord(p);
        const char* pName = BeginsWith(p, "IMPORT") ? FindKey(p, "NAME=") : nullptr;
        const char* pFile = pName ? FindKey(p, "FILE=") : nullptr;
        if (pName && pFile)
        {
            Cmd.Kind = eCommandKind::TextureImport;
            Cmd.Name = TextValue(pName);
            Cmd.File = TextValue(pFile);
        }
    }
    else if (BeginsWith(p, "MESHMAP"))
        Cmd = ParseMeshmap(SkipWord(p));
    else if (BeginsWith(p, "MESH"))
        Cmd = ParseMesh(SkipWord(p));
    return Cmd;
}

void cZentorMesh::ExecCommand(const char* pszText, bool bMeshImported)
{
    const cCommand Cmd = ParseCommand(pszText);
    switch (Cmd.Kind)
    {
    case eCommandKind::Nothing:
        break;
    case eCommandKind::MissingKey:
        ImportPrint("%s", Cmd.Diagnostic.c_str());
        break;
    case eCommandKind::TextureImport:
        // Textures are taken only once a mesh is loaded; earlier imports are dropped silently.
        if (bMeshImported)
            ImportTexture(Cmd.Name, Cmd.File);
        break;
    case eCommandKind::Scale:
        for (int i = 0; i < 3; ++i)
            mScale[i] = Cmd.Scale[i];
        break;
    case eCommandKind::SetTexture:
        MapTexture(Cmd.Name, Cmd.Num);
        break;
    case eCommandKind::MeshImport:
        LoadMeshFiles(Cmd.File.c_str(), Cmd.AnivFile.c_str());
        mMeshImported = true;
        break;
    case eCommandKind::Sequence:
        mAnimSeqs.push_back(AnimSeq{Cmd.Name, Cmd.StartFrame, Cmd.NumFrames});
        ImportPrint("    Found animseq %s start %d len %d\n", Cmd.Name.c_str(),
                    static_cast<int>(Cmd.StartFrame), static_cast<int>(Cmd.NumFrames));
        break;
    }
}

void cZentorMesh::ImportTexture(const std::string& Name, const std::string& File)
{
    // A slot with an empty name counts as free, so a nameless texture could never be mapped
    // and would be overwritten by the next import.
    if (Name.empty())
    {
        ImportPrint("Ignored TEXTURE IMPORT: empty NAME=\n");
        return;
    }
    int Slot = 0;
    while (Slot < MAX_TEXTURES && !mTexSlots[Slot].Name.empty())
        ++Slot;
    if (Slot == MAX_TEXTURES)
    {
        ImportPrint("Ignored TEXTURE IMPORT of %s: all %d texture slots are in use\n",
                    Name.c_str(), MAX_TEXTURES);
        return;
    }
    const std::string Path = mBasePath + File;
    mTexSlots[Slot].pImage = std::make_unique<cPCXFile>(Path.c_str(), mFlipTextures);
    mTexSlots[Slot].Name = Name;
    ImportPrint("Texture %s assigned to slot %d\n", Path.c_str(), Slot);
}

void cZentorMesh::MapTexture(const std::string& Name, long TextureNum)
{
    if (TextureNum < 0 || TextureNum >= MAX_TEXTURES)
    {
        ImportPrint("Ignored SETTEXTURE: texture number %ld is outside 0 to %d\n", TextureNum,
                    MAX_TEXTURES - 1);
        return;
    }
    for (int Slot = 0; Slot < MAX_TEXTURES; ++Slot)
    {
        if (!Name.empty() && EqualIgnoringCase(mTexSlots[Slot].Name, Name))
        {
            mTexMap[TextureNum] = mTexSlots[Slot].pImage->GetPixels();
            ImportPrint("texture in slot %d mapped to texnum %ld\n", Slot, TextureNum);
            return;
        }
    }
    ImportPrint("Ignored SETTEXTURE: no texture named %s\n", Name.c_str());
}
