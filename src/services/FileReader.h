#pragma once

#include <QString>
#include <QtGlobal>

// One file opened for plain reads, closed with the object. It is never
// mapped: a file that shrinks under a mapping ends the program with SIGBUS,
// while a read just comes back short. The digest reads it front to back, the
// signature check at the offsets its headers name; both in bounded chunks.
class FileReader
{
public:
    // How a read of an exact number of bytes went.
    enum class Status {
        Done,   // every byte asked for
        Failed, // the read itself failed (error() tells why)
        Ended,  // the file ended first: it got shorter than it was at open
    };

    // Opens the path read-only and notes its size; isOpen() tells whether it worked.
    explicit FileReader(const QString &path);
    ~FileReader();
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // The size at open.
    qint64 size() const { return m_size; }
    // The size now, -1 when it cannot be told: a file that changed size since open has been changed.
    qint64 currentSize() const;
    // errno of the failed open or of the last failed read.
    int error() const { return m_error; }

    // The next size bytes from the current position.
    Status readExactly(unsigned char *buffer, qint64 size);
    // size bytes from offset; the current position stays where it was.
    Status readExactlyAt(qint64 offset, unsigned char *buffer, qint64 size);

private:
    Status readLoop(qint64 offset, unsigned char *buffer, qint64 size);

    int m_fd = -1;
    qint64 m_size = 0;
    int m_error = 0;
};
