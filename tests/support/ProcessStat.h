#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>

// What /proc/PID/stat says of a process, for the tests and benchmarks that
// watch the browser's processes.
struct ProcessStat {
    bool read = false; // false: no such process (or it could not be read)
    char state = 0;    // 'R', 'S', ... 'Z' for a zombie
    qint64 parent = 0;
    qint64 ticks = 0;  // utime + stime, clock ticks
    quint64 start = 0; // start time, clock ticks after boot
};

inline ProcessStat readProcessStat(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.read(4096);
    // The name in parentheses may hold blanks; the fields follow the last ')'.
    // From the state (field 3): the parent is field 4, utime 14, stime 15,
    // starttime 22.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20 || fields.at(0).isEmpty())
        return {};
    ProcessStat process;
    process.read = true;
    process.state = fields.at(0).at(0);
    process.parent = fields.at(1).toLongLong();
    process.ticks = fields.at(11).toLongLong() + fields.at(12).toLongLong();
    process.start = fields.at(19).toULongLong();
    return process;
}

// Every process under root, by the parent links in /proc.
inline QList<qint64> descendantsOf(qint64 root)
{
    QMap<qint64, qint64> parentOf;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        const ProcessStat stat = readProcessStat(pid);
        if (stat.read)
            parentOf.insert(pid, stat.parent);
    }
    QList<qint64> found;
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
        for (qint64 up = it.value(); up > 1; up = parentOf.value(up, 0)) {
            if (up == root) {
                found << it.key();
                break;
            }
        }
    }
    return found;
}
