#include "FileReader.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileReader::FileReader(const QString &path, const BeforeOpen &beforeOpen)
{
    if (beforeOpen)
        beforeOpen();
    // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer, a
    // serial device without waiting for its carrier. O_NOCTTY: a terminal in
    // the path's place never becomes the program's controlling terminal.
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_fd < 0) {
        const int error = errno;
        refuse(error, error == ENOENT || error == ENOTDIR || error == ENXIO);
        return;
    }
    struct stat status {
    };
    if (::fstat(m_fd, &status) != 0) {
        refuse(errno, false);
        return;
    }
    // What was opened decides, not what the path named when it was looked at.
    if (!S_ISREG(status.st_mode)) {
        refuse(ENOENT, true);
        return;
    }
    // Reads of a regular file never wait anyway; the flag goes so that none
    // of them can come back with EAGAIN.
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags < 0 || ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        refuse(errno, false);
        return;
    }
    m_size = status.st_size;
}

void FileReader::refuse(int error, bool namesNoFile)
{
    m_error = error;
    m_namesNoFile = namesNoFile;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

FileReader::~FileReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

qint64 FileReader::currentSize() const
{
    struct stat status {
    };
    if (m_fd < 0 || ::fstat(m_fd, &status) != 0)
        return -1;
    return status.st_size;
}

FileReader::Status FileReader::readExactly(unsigned char *buffer, qint64 size)
{
    return readLoop(-1, buffer, size);
}

FileReader::Status FileReader::readExactlyAt(qint64 offset, unsigned char *buffer, qint64 size)
{
    if (offset < 0) {
        m_error = EINVAL;
        return Status::Failed;
    }
    return readLoop(offset, buffer, size);
}

// offset -1: from the current position (read), otherwise positioned (pread).
FileReader::Status FileReader::readLoop(qint64 offset, unsigned char *buffer, qint64 size)
{
    if (m_fd < 0) {
        m_error = EBADF;
        return Status::Failed;
    }
    qint64 done = 0;
    while (done < size) {
        const size_t wanted = static_cast<size_t>(size - done);
        const ssize_t got = offset < 0 ? ::read(m_fd, buffer + done, wanted)
                                       : ::pread(m_fd, buffer + done, wanted, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            m_error = errno;
            return Status::Failed;
        }
        if (got == 0)
            return Status::Ended;
        done += got;
    }
    return Status::Done;
}
