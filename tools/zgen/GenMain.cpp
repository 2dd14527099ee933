// tessaly-gen: command-line front end of the content generator.
#include "tools/zgen/ZentorGen.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    try
    {
        if (argc == 3 && std::string(argv[1]) == "--sample")
        {
            std::printf("%s\n", WriteSample(argv[2]).ScriptPath.c_str());
            return 0;
        }
        std::fprintf(stderr, "usage: tessaly-gen --sample DIR\n");
        return 2;
    }
    catch (const std::exception& Error)
    {
        std::fprintf(stderr, "tessaly-gen: %s\n", Error.what());
        return 1;
    }
}
