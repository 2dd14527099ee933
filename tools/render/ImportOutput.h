// Where the model import's progress lines go while tessaly-render loads a model: by default
// they would reach stdout, which a run keeps for its own output.
#pragma once

#include "model/ImportOutput.h"

enum class eImportLines
{
    Discard,   // the default: a run that succeeds prints nothing
    ToStdout,  // --verbose while rendering pictures
    ToStderr,  // --verbose with --info, whose stdout carries only the JSON
};

// Sends the import's lines where Lines says for as long as it lives, then puts back the sink
// that was set before.
class cImportOutput
{
public:
    explicit cImportOutput(eImportLines Lines);
    ~cImportOutput();
    cImportOutput(const cImportOutput&) = delete;
    cImportOutput& operator=(const cImportOutput&) = delete;

private:
    ImportOutputProc mPrevious = nullptr;
};
