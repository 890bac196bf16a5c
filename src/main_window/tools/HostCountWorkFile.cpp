#include "HostCountWorkFile.h"

#include <QFile>
#include <QStringDecoder>

QString HostCountWorkFileText(const QByteArray &bytes)
{
    QByteArrayView read(bytes);
    if (read.size() > HostCountWorkFileBound) {
        // Cut behind the last line break within the bound, so no half line
        // (and no half character) is shown.
        read = read.first(HostCountWorkFileBound);
        const qsizetype lastBreak = std::max(read.lastIndexOf('\n'), read.lastIndexOf('\r'));
        if (lastBreak >= 0)
            read = read.first(lastBreak + 1);
    }
    QStringDecoder decoder(QStringDecoder::System);
    const QString output = decoder.decode(read);

    // One pass, each line appended once: the text grows with the output.
    QString text;
    text.reserve(output.size() + output.size() / 8 + 2);
    const QLatin1String lineEnd("\r\n");
    qsizetype start = 0;
    for (qsizetype i = 0; i < output.size(); ++i) {
        const QChar c = output[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        text.append(QStringView(output).sliced(start, i - start));
        text.append(lineEnd);
        if (c == QLatin1Char('\r') && i + 1 < output.size() && output[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < output.size()) {
        text.append(QStringView(output).sliced(start));
        text.append(lineEnd);
    }
    return text;
}

QString ReadHostCountWorkFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return HostCountWorkFileText(file.read(HostCountWorkFileBound + 1));
}
