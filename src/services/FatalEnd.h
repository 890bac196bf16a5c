#pragma once

// What happens when the program cannot go on: it tells the user and ends at
// once. The program's own implementation shows the box and exits the process;
// a test puts a recorder here that throws, so no caller code runs after it.
class FatalEnd
{
public:
    virtual ~FatalEnd() = default;
    // Shows the critical box (title, text) and never returns.
    [[noreturn]] virtual void showAndEnd(const char *title, const char *text) = 0;
};
