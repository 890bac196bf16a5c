#pragma once

#include "FatalEnd.h"

// The program's fatal end: the critical box, then the process ends at once.
// Nothing unloads and no caller code runs after it.
class BoxFatalEnd : public FatalEnd
{
public:
    [[noreturn]] void showAndEnd(const char *title, const char *text) override;
};
