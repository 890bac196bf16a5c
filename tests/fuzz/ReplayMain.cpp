// Feeds every file of the given folders (or the given files) through a fuzz
// target's entry function once, so each build, sanitizers or not, replays the
// seed corpus and every input a fuzzer ever found. With --shapes it also
// feeds the hostile page shapes at full size, which are too big to commit.
//   replay_TARGET [--shapes] FOLDER|FILE...
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

void feed(const QByteArray &bytes)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), static_cast<size_t>(bytes.size()));
}

QByteArray repeatedTo(const QByteArray &unit, qsizetype size)
{
    QByteArray bytes;
    bytes.reserve(size + unit.size());
    while (bytes.size() < size)
        bytes += unit;
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    int fed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--shapes")) {
            for (const char *unit : {"<span>", "<span>x", "<div>", "<b>", "<font color=red>x", "<p><b>x</p>",
                                     "<table><tr><td>x", "<span><div>x</span>", "<svg><g>", "<a href=x>"}) {
                feed(repeatedTo(unit, 1 << 20));
                ++fed;
            }
            // Tags with a couple of hundred thousand attributes: one start
            // tag, one end tag, one cut off by the end, and html and body
            // tags each with one of their own.
            QByteArray names;
            for (int n = 0; names.size() < (1 << 20) - 32; ++n)
                names += " a" + QByteArray::number(n, 36);
            for (const QByteArray &page :
                 {"<div" + names + ">x", "x</div" + names + ">", "<script>x</script" + names + ">",
                  "<div" + names + " title=\"", "<table><input" + names + " type=hidden>"}) {
                feed(page);
                ++fed;
            }
            for (const char *tag : {"<html a", "<body a"}) {
                QByteArray page;
                for (int n = 0; page.size() < (1 << 20); ++n)
                    page += tag + QByteArray::number(n, 36) + '>';
                feed(page);
                ++fed;
            }
            continue;
        }
        QStringList files;
        if (QFileInfo(arg).isDir()) {
            const QDir dir(arg);
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
                files.append(dir.filePath(name));
        } else {
            files.append(arg);
        }
        for (const QString &path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            feed(file.readAll());
            ++fed;
        }
    }
    std::printf("%d inputs replayed\n", fed);
    return fed > 0 ? 0 : 1;
}
