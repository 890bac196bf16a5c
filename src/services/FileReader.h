#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// Runs just before the reader opens its path. The program passes none; tests
// put another kind of file in the path's place with it.
using BeforeOpen = std::function<void()>;

// One file opened for plain reads, closed with the object. It is never
// mapped: a file that shrinks under a mapping ends the program with SIGBUS,
// while a read just comes back short. The digest reads it front to back, the
// signature check at the offsets its headers name; both in bounded chunks.
//
// The open itself cannot block: the path may name a regular file when it is
// looked at and a FIFO (whose open waits for a writer) or a device the moment
// it is opened. The open is non-blocking and the opened descriptor must be a
// regular file; anything else is refused as a path that names no file.
class FileReader
{
public:
    // How a read of an exact number of bytes went.
    enum class Status {
        Done,   // every byte asked for
        Failed, // the read itself failed (error() tells why)
        Ended,  // the file ended first: it got shorter than it was at open
    };

    // Opens the path read-only and notes its size; isOpen() tells whether it
    // worked. beforeOpen runs right before the open.
    explicit FileReader(const QString &path, const BeforeOpen &beforeOpen = {});
    ~FileReader();
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // The open failed because the path names no regular file: nothing there,
    // a folder, a FIFO, a device, a socket.
    bool namesNoFile() const { return m_namesNoFile; }
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
    void refuse(int error, bool namesNoFile);

    int m_fd = -1;
    qint64 m_size = 0;
    int m_error = 0;
    bool m_namesNoFile = false;
};
