// Where the model import's progress lines go while tessaly-render loads a model: the import
// writes them to stdout, which a run keeps for its own output.
#pragma once

enum class eImportLines
{
    Discard,   // the default: a run that succeeds prints nothing
    ToStdout,  // --verbose while rendering pictures
    ToStderr,  // --verbose with --info, whose stdout carries only the JSON
};

// Sends stdout where Lines says for as long as it lives, then restores it.
class cImportOutput
{
public:
    explicit cImportOutput(eImportLines Lines);
    ~cImportOutput();
    cImportOutput(const cImportOutput&) = delete;
    cImportOutput& operator=(const cImportOutput&) = delete;

private:
    int mSaved = -1;
};
