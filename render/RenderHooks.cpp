// Default values of the renderer's hooks: messages go to stderr until the shell takes over.
#include "render/RenderHooks.h"

#include <cstdio>

namespace
{
void PrintRendererMessage(const char* pszText, const char* pszCaption)
{
    std::fprintf(stderr, "%s: %s\n", pszCaption, pszText);
}
}

void (*ShowRendererMessage)(const char* pszText, const char* pszCaption) = PrintRendererMessage;
void (*BuildProgressHook)(int Done, int Total) = nullptr;
