// The import's progress lines redirected at the file descriptor, so that lines written
// through any stdio call of the import are caught.
#include "tools/render/ImportOutput.h"

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

cImportOutput::cImportOutput(eImportLines Lines)
{
    if (Lines == eImportLines::ToStdout)
        return;
    std::fflush(stdout);
    const int Target =
        Lines == eImportLines::ToStderr ? STDERR_FILENO : open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (Target < 0)
        return;
    mSaved = dup(STDOUT_FILENO);
    if (mSaved >= 0)
        dup2(Target, STDOUT_FILENO);
    if (Target != STDERR_FILENO)
        close(Target);
}

cImportOutput::~cImportOutput()
{
    if (mSaved < 0)
        return;
    std::fflush(stdout);
    dup2(mSaved, STDOUT_FILENO);
    close(mSaved);
}
