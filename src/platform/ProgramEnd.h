#pragma once

// Ends the program at once: no window is asked, nothing runs after it. The
// start-up window ends this way after a failed installation check; a test
// puts a hook here that records the end and throws instead.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    [[noreturn]] virtual void endNow() = 0;
};

// The process ends with exit code 0 (the end is the program's answer, not a crash).
class ExitProgramEnd : public ProgramEnd
{
public:
    [[noreturn]] void endNow() override;
};
