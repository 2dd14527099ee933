// Text helpers of the wx back end's choosers.
#include "platform/window/wxChooserText.h"

#include <cctype>

std::string CaseInsensitivePattern(const std::string& Pattern)
{
    std::string Result;
    bool bInBracket = false;
    for (char Char : Pattern)
    {
        const auto Byte = static_cast<unsigned char>(Char);
        if (Char == '[')
            bInBracket = true;
        else if (Char == ']')
            bInBracket = false;
        // Letters already inside a bracket expression are left as the pattern wrote them.
        if (!bInBracket && std::isalpha(Byte))
        {
            Result += '[';
            Result += static_cast<char>(std::tolower(Byte));
            Result += static_cast<char>(std::toupper(Byte));
            Result += ']';
        }
        else
            Result += Char;
    }
    return Result;
}

std::string WithExtension(const std::string& Path, const std::string& Pattern)
{
    if (Path.empty() || Pattern.rfind("*.", 0) != 0)
        return Path;
    const std::string Extension = Pattern.substr(1);
    if (Path.size() > Extension.size())
    {
        std::string End = Path.substr(Path.size() - Extension.size());
        for (char& Char : End)
            Char = static_cast<char>(std::tolower(static_cast<unsigned char>(Char)));
        if (End == Extension)
            return Path;
    }
    return Path + Extension;
}

int SaveType(std::string& Path, const std::vector<std::string>& Patterns, int Selected)
{
    for (std::size_t Index = 0; Index < Patterns.size(); ++Index)
        if (!Path.empty() && WithExtension(Path, Patterns[Index]) == Path)
            return static_cast<int>(Index);
    if (Selected >= 0 && Selected < static_cast<int>(Patterns.size()))
        Path = WithExtension(Path, Patterns[static_cast<std::size_t>(Selected)]);
    return Selected;
}
