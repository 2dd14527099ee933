// The model import's diagnostic sink: standard output by default, or the program's own.
#include "model/ImportOutput.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace
{
// The default sink: standard output through stdio, buffered as any other output of the program.
void WriteToStdout(const char* pszLine)
{
    std::fputs(pszLine, stdout);
}

ImportOutputProc Sink = WriteToStdout;
}

ImportOutputProc SetImportOutput(ImportOutputProc Proc)
{
    const ImportOutputProc Previous = Sink == WriteToStdout ? nullptr : Sink;
    Sink = Proc ? Proc : WriteToStdout;
    return Previous;
}

void ImportPrint(const char* pszFormat, ...)
{
    std::va_list Args;
    va_start(Args, pszFormat);
    std::va_list Measure;
    va_copy(Measure, Args);
    const int Length = std::vsnprintf(nullptr, 0, pszFormat, Measure);
    va_end(Measure);
    if (Length < 0)
    {
        va_end(Args);
        return;
    }
    std::string Line(static_cast<std::size_t>(Length) + 1, '\0');
    std::vsnprintf(Line.data(), Line.size(), pszFormat, Args);
    va_end(Args);
    Line.resize(static_cast<std::size_t>(Length));
    Sink(Line.c_str());
}
