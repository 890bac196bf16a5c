// The name-server lookup's work file as the host count reads and tidies it:
// the removed text first, then, after a NUL, the work file's bytes.
#include "FuzzInput.h"
#include "HostCountWorkFile.h"
#include "LookupOutputTidy.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QString removed = QString::fromUtf8(input.left(split < 0 ? input.size() : split));
    const QByteArray workFile = split < 0 ? QByteArray() : input.mid(split + 1);

    const QString read = HostCountWorkFileText(workFile);
    // The box text stays within the bound and is made of whole lines.
    if (read.size() > HostCountWorkFileBound || (!read.isEmpty() && !read.endsWith(QLatin1String("\r\n"))))
        std::abort();
    TidyLookupOutput(read, removed);
    return 0;
}
