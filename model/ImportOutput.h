// Where the model import's diagnostic lines go ("Found animseq ...", "Texture ... assigned to
// slot ...", "Ignored ..."): standard output unless the program sets a sink of its own.
#pragma once

// Receives one diagnostic line, its newline included.
using ImportOutputProc = void (*)(const char* pszLine);

// Sends every later diagnostic line to Proc (nullptr: standard output, the default) and
// returns the sink set before, so a caller can put it back.
ImportOutputProc SetImportOutput(ImportOutputProc Proc);

// Formats one diagnostic line as printf does and hands it to the current sink.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
void ImportPrint(const char* pszFormat, ...);
