// The shell's state and its start values.
#include "app/ShellState.h"

cShellState Shell;

void ResetShellState()
{
    Shell = cShellState{};
}
