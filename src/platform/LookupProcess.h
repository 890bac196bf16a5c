#pragma once

#include <QString>

// The name-server lookup program, started for one domain with its standard
// output written into a file. The host-count tool gets one through its
// constructor, so a test can put a program of its own in its place.
class LookupProcess
{
public:
    virtual ~LookupProcess() = default;
    // Starts the lookup of domain and returns at once; its standard output
    // goes into outputPath (made anew). False when the program did not start.
    virtual bool start(const QString &domain, const QString &outputPath) = 0;
    // True while the started program runs. The answer changes only while
    // window events are processed.
    virtual bool running() const = 0;
    // Ends a program that still runs and waits for it.
    virtual void stop() = 0;
};
