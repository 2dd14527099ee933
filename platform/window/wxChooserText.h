// Text helpers of the wx back end's choosers, kept apart from the toolkit so they are tested
// on their own.
#pragma once

#include <string>
#include <vector>

// Makes a file pattern match letters of either case ("*.zc" gives "*.[zZ][cC]"), since the
// GTK chooser compares patterns case-sensitively while content may come from file systems that
// do not. Several patterns separated by ';' are each converted.
std::string CaseInsensitivePattern(const std::string& Pattern);
// Path with the extension of a "*.ext" pattern added unless it already ends in it (in any
// case); an empty path stays empty.
std::string WithExtension(const std::string& Path, const std::string& Pattern);
// The save chooser's answer: a name ending in the extension of one of the offered "*.ext"
// Patterns takes that type, whatever type is selected; any other name gets the selected
// type's extension. Returns the type's index and completes Path.
int SaveType(std::string& Path, const std::vector<std::string>& Patterns, int Selected);
