// Script directive reader: finds the "#exec" and "#alwaysexec" lines of a class script.
#pragma once

#include <functional>
#include <string>

// Lines are read in pieces of at most this many characters (a 1023-character read that keeps
// room for the terminator); a longer line arrives as several pieces.
constexpr std::size_t SCRIPT_PIECE_CHARS = 1022;

// Splits Text into line pieces as a text-mode line reader would (a CR directly before a
// newline is dropped) and calls Fn with the text after the keyword of every piece that starts
// with "#exec" or "#alwaysexec" in column 0, in order. Fn's text is zero-terminated and ends
// with the piece.
void ForEachDirective(const std::string& Text, const std::function<void(const char*)>& Fn);
