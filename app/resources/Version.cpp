// The version record of the program.
#include "app/resources/Resources.h"

tVersionRecord VersionResource()
{
    return {{1, 0, 0, 1},
            {1, 0, 0, 1},
            true,
            "Tessaly",
            "Tessaly.exe",
            "Tessaly",
            "The Tessaly developers",
            "Copyright the Tessaly developers"};
}
