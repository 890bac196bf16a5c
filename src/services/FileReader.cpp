#include "FileReader.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileReader::FileReader(const QString &path)
{
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = errno;
        return;
    }
    struct stat status {
    };
    if (::fstat(m_fd, &status) != 0) {
        m_error = errno;
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_size = status.st_size;
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
