// The import's progress lines routed through the model's diagnostic sink: dropped, left on
// stdout, or written to stderr.
#include "tools/render/ImportOutput.h"

#include <cstdio>

namespace
{
void DiscardLine(const char*) {}

void WriteToStderr(const char* pszLine)
{
    std::fputs(pszLine, stderr);
}

ImportOutputProc SinkFor(eImportLines Lines)
{
    switch (Lines)
    {
    case eImportLines::Discard:
        return DiscardLine;
    case eImportLines::ToStderr:
        return WriteToStderr;
    case eImportLines::ToStdout:
        break;
    }
    return nullptr;
}
}

cImportOutput::cImportOutput(eImportLines Lines) : mPrevious(SetImportOutput(SinkFor(Lines)))
{
}

cImportOutput::~cImportOutput()
{
    SetImportOutput(mPrevious);
}
