// Text scanning for directive lines: words, keys and integer, real and text values.
#include "model/TextScan.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace
{

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string& A, const std::string& B)
{
    return A.size() == B.size() &&
           std::equal(A.begin(), A.end(), B.begin(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

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

bool BeginsWith(const char* p, const char* pszWord)
{
    for (; *pszWord != '\0'; ++p, ++pszWord)
        if (*p == '\0' || LowerAscii(*p) != LowerAscii(*pszWord))
            return false;
    return true;
}

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

