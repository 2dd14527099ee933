// Text scanning for directive lines: blanks, words, keys and the three kinds of values. Every
// function stops at the zero that ends the text and never reads past it.
#pragma once

#include <cstdint>
#include <string>

// Space, tab, newline, vertical tab, form feed or carriage return.
bool IsBlank(char c);
char LowerAscii(char c);
// Same length and same letters, A to Z folded to a to z.
bool EqualIgnoringCase(const std::string& A, const std::string& B);
const char* SkipBlanks(const char* p);
// Skips the word at p (up to the next blank) and the blanks after it.
const char* SkipWord(const char* p);
// True when p starts with Word, letters compared without regard to case. Only Word's length is
// compared, so a longer word that begins with it matches too.
bool BeginsWith(const char* p, const char* pszWord);
// The value text right after Key's first occurrence (case-sensitive), or null when absent.
const char* FindKey(const char* p, const char* pszKey);
// The text from p up to the first blank or the end.
std::string TextValue(const char* p);
// Decimal integer: blanks, optional sign, digits; no digits gives 0. Saturates like strtol.
long IntValue(const char* p);
// IntValue limited to the 32-bit range.
std::int32_t Int32Value(const char* p);
// Decimal real: blanks, optional sign, digits with an optional point, an optional exponent;
// reading stops at the first character that does not fit; no number gives 0. The locale never
// enters, so "0.25" reads the same on every system.
float RealValue(const char* p);
