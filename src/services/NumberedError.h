#pragma once

#include <QString>
#include <stdexcept>

// A failure that a shared service hands to its caller as a number and a text:
// the runtime's numbers for file problems (53 = file not found), the crypto
// library's code for a digest failure. The caller decides what the user sees.
struct NumberedError : std::runtime_error {
    NumberedError(qint64 number, const QString &description)
        : std::runtime_error(description.toStdString()), number(number), description(description)
    {
    }
    qint64 number;
    QString description;
};

// The runtime's numbers for the file problems the services raise.
namespace FileErrorNumber
{
constexpr qint64 FileNotFound = 53;     // no ordinary file at that path
constexpr qint64 DeviceIo = 57;         // the read itself failed
constexpr qint64 SizeChanged = 62;      // the file grew or got shorter while it was read
constexpr qint64 PermissionDenied = 70; // the file system refused to open it
constexpr qint64 PathFileAccess = 75;   // any other failure to open it
} // namespace FileErrorNumber
