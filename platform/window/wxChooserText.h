// Text helpers of the wx back end's choosers, kept apart from the toolkit so they are tested
// on their own.
#pragma once

#include <string>

// Makes a file pattern match letters of either case ("*.zc" gives "*.[zZ][cC]"), since the
// GTK chooser compares patterns case-sensitively while content may come from file systems that
// do not. Several patterns separated by ';' are each converted.
std::string CaseInsensitivePattern(const std::string& Pattern);
