// Content paths: the base path a script's content resolves against, and opening a joined
// content path on a case-sensitive file system with '/' separators.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Closes the stream when the handle goes out of scope, on every exit path.
struct cFileCloser
{
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
using cFileHandle = std::unique_ptr<std::FILE, cFileCloser>;

// The script's directory (everything up to and including the last '/' or '\'), then "..\".
std::string MakeBasePath(const char* pszScript);

// Opens Path for binary reading. Tries the path as given, then with every '\' turned into
// '/', then with each component matched case-insensitively against the directory entries.
// Only regular files are opened. Returns null when nothing fits.
cFileHandle OpenContentFile(const std::string& Path);

// The whole length of an open file in bytes; 0 when the system cannot tell.
std::uint64_t FileLength(std::FILE* pFile);

// Reads exactly Bytes bytes at Offset into pOut without moving the file position. False when
// the file holds fewer or the read fails.
bool ReadAt(std::FILE* pFile, std::uint64_t Offset, std::uint8_t* pOut, std::size_t Bytes);

// Reads from the current position to the end of the file, at most MaxBytes bytes. Memory grows
// with what is actually read, never with what a header claims.
std::vector<std::uint8_t> ReadRest(std::FILE* pFile, std::size_t MaxBytes);
