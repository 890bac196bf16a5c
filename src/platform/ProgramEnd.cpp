#include "ProgramEnd.h"

#include <cstdio>
#include <unistd.h>

void EndProgramNow()
{
    std::fflush(nullptr);
    ::_exit(0);
}

void ExitProgramEnd::endNow()
{
    EndProgramNow();
}
