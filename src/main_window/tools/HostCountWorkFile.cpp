#include "HostCountWorkFile.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

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

    // One pass, each line appended once: the text grows with the output. A
    // line that would take the text past the bound ends it, so the box never
    // holds more than a page would (an output of empty LF lines doubles).
    QString text;
    text.reserve(std::min<qsizetype>(output.size() + output.size() / 8 + 2, HostCountWorkFileBound));
    const QLatin1String lineEnd("\r\n");
    const auto append = [&](QStringView line) {
        if (text.size() + line.size() + lineEnd.size() > HostCountWorkFileBound) {
            // A first line too long for the box is shown up to the bound.
            if (text.isEmpty())
                text.append(line.first(HostCountWorkFileBound - lineEnd.size())).append(lineEnd);
            return false;
        }
        text.append(line).append(lineEnd);
        return true;
    };
    qsizetype start = 0;
    for (qsizetype i = 0; i < output.size(); ++i) {
        const QChar c = output[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        if (!append(QStringView(output).sliced(start, i - start)))
            return text;
        if (c == QLatin1Char('\r') && i + 1 < output.size() && output[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < output.size())
        append(QStringView(output).sliced(start));
    return text;
}

QString ReadHostCountWorkFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return HostCountWorkFileText(file.read(HostCountWorkFileBound + 1));
}
