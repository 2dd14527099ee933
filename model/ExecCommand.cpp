// Exec command interpreter: reads the five import commands and applies them to the model.
#include "model/ExecCommand.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "model/LoadError.h"
#include "model/ZentorMesh.h"

namespace
{

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipBlanks(const char* p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

const char* SkipWord(const char* p)
{
    while (*p != '\0' && !IsBlank(*p))
        ++p;
    return SkipBlanks(p);
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// True when p starts with Word, letters compared without regard to case. Only Word's length is
// compared, so a longer word that begins with it matches too.
bool BeginsWith(const char* p, const char* pszWord)
{
    for (; *pszWord != '\0'; ++p, ++pszWord)
        if (*p == '\0' || Lower(*p) != Lower(*pszWord))
            return false;
    return true;
}

// The value text right after Key's first occurrence, or null when the key is absent.
const char* FindKey(const char* p, const char* pszKey)
{
    const char* pKey = std::strstr(p, pszKey);
    return pKey ? pKey + std::strlen(pszKey) : nullptr;
}

std::string TextValue(const char* p)
{
    const char* pEnd = p;
    while (*pEnd != '\0' && !IsBlank(*pEnd))
        ++pEnd;
    return std::string(p, pEnd);
}

// Decimal integer: blanks, optional sign, digits; no digits gives 0. Saturates like strtol.
long IntValue(const char* p)
{
    p = SkipBlanks(p);
    const bool bNegative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long Value = 0;
    for (; IsDigit(*p); ++p)
    {
        const int Digit = *p - '0';
        if (bNegative ? Value < (LONG_MIN + Digit) / 10 : Value > (LONG_MAX - Digit) / 10)
            return bNegative ? LONG_MIN : LONG_MAX;
        Value = Value * 10 + (bNegative ? -Digit : Digit);
    }
    return Value;
}

std::int32_t Int32Value(const char* p)
{
    const long Value = IntValue(p);
    return static_cast<std::int32_t>(Value < INT32_MIN ? INT32_MIN : Value > INT32_MAX ? INT32_MAX : Value);
}

// Decimal real: blanks, optional sign, digits with an optional point, an optional exponent;
// reading stops at the first character that does not fit; no number gives 0. The locale never
// enters, so "0.25" reads the same on every system.
float RealValue(const char* p)
{
    p = SkipBlanks(p);
    const bool bNegative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    const char* pStart = p;
    int IntDigits = 0;
    int LeadingZeros = 0;
    bool bSignificant = false;
    int Digits = 0;
    for (; IsDigit(*p); ++p, ++Digits)
        if (bSignificant || *p != '0')
        {
            bSignificant = true;
            ++IntDigits;
        }
    if (*p == '.')
    {
        for (++p; IsDigit(*p); ++p, ++Digits)
        {
            if (!bSignificant && *p == '0')
                ++LeadingZeros;
            else
                bSignificant = true;
        }
    }
    if (Digits == 0)
        return 0.0f;
    long Exponent = 0;
    if ((*p == 'e' || *p == 'E') &&
        (IsDigit(p[1]) || ((p[1] == '+' || p[1] == '-') && IsDigit(p[2]))))
    {
        Exponent = IntValue(p + 1);
        ++p;
        if (*p == '+' || *p == '-')
            ++p;
        while (IsDigit(*p))
            ++p;
    }
    double Value = 0.0;
    const std::from_chars_result Result = std::from_chars(pStart, p, Value);
    if (Result.ec == std::errc::result_out_of_range)
    {
        // Too large or too small for a double: tell which from the decimal magnitude.
        const long Magnitude = (IntDigits > 0 ? IntDigits - 1 : -(LeadingZeros + 1)) +
                               std::max(-1000000L, std::min(1000000L, Exponent));
        Value = Magnitude >= 0 ? HUGE_VAL : 0.0;
    }
    else if (Result.ec != std::errc())
        Value = 0.0;
    if (Value > FLT_MAX)
        Value = HUGE_VAL;
    return static_cast<float>(bNegative ? -Value : Value);
}

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
        std::fputs(Cmd.Diagnostic.c_str(), stdout);
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
        std::printf("    Found animseq %s start %d len %d\n", Cmd.Name.c_str(),
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
        std::fputs("Ignored TEXTURE IMPORT: empty NAME=\n", stdout);
        return;
    }
    int Slot = 0;
    while (Slot < MAX_TEXTURES && !mTexSlots[Slot].Name.empty())
        ++Slot;
    if (Slot == MAX_TEXTURES)
    {
        std::printf("Ignored TEXTURE IMPORT of %s: all %d texture slots are in use\n",
                    Name.c_str(), MAX_TEXTURES);
        return;
    }
    const std::string Path = mBasePath + File;
    mTexSlots[Slot].pImage = std::make_unique<cPCXFile>(Path.c_str(), mFlipTextures);
    mTexSlots[Slot].Name = Name;
    std::printf("Texture %s assigned to slot %d\n", Path.c_str(), Slot);
}

void cZentorMesh::MapTexture(const std::string& Name, long TextureNum)
{
    if (TextureNum < 0 || TextureNum >= MAX_TEXTURES)
    {
        std::printf("Ignored SETTEXTURE: texture number %ld is outside 0 to %d\n", TextureNum,
                    MAX_TEXTURES - 1);
        return;
    }
    for (int Slot = 0; Slot < MAX_TEXTURES; ++Slot)
    {
        const std::string& SlotName = mTexSlots[Slot].Name;
        if (!Name.empty() && SlotName.size() == Name.size() &&
            std::equal(Name.begin(), Name.end(), SlotName.begin(),
                       [](char a, char b) { return Lower(a) == Lower(b); }))
        {
            mTexMap[TextureNum] = mTexSlots[Slot].pImage->GetPixels();
            std::printf("texture in slot %d mapped to texnum %ld\n", Slot, TextureNum);
            return;
        }
    }
    std::printf("Ignored SETTEXTURE: no texture named %s\n", Name.c_str());
}
