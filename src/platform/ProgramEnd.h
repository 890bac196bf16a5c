#pragma once

// Every way the program ends goes through here: the C streams are flushed,
// then the process ends with exit code 0 (the end is the program's answer,
// not a crash). No window is asked, nothing unloads and no caller code runs
// after it.
[[noreturn]] void EndProgramNow();

// Ends the program at once. The start-up window ends this way after a failed
// installation check; a test puts a hook here that records the end and
// throws instead.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    [[noreturn]] virtual void endNow() = 0;
};

// The program's own end: EndProgramNow.
class ExitProgramEnd : public ProgramEnd
{
public:
    [[noreturn]] void endNow() override;
};
