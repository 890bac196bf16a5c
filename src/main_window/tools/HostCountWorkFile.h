#pragma once

#include <QByteArray>
#include <QString>

// The host count's work file as its result box shows it, before the tidying:
// every line of the lookup's output followed by CR LF, however the lookup
// ended its lines (CR LF, LF or CR), decoded in the system's encoding, the
// one nslookup writes in.
//
// Only the first HostCountWorkFileBound bytes are read. Of a longer output
// the box gets the whole lines that end within them and nothing after; an
// output with no line break in them gives those bytes as one line.
//
//     box->setText(TidyLookupOutput(ReadHostCountWorkFile(path), tab));

// 1 MiB, the most a page may hold too.
inline constexpr qsizetype HostCountWorkFileBound = 1 << 20;

// The box text of the work file's bytes; bytes past the bound are not read.
QString HostCountWorkFileText(const QByteArray &bytes);

// The box text of the work file at path, reading no more than the bound and
// the one byte that tells the output is longer; empty when the file cannot be
// read.
QString ReadHostCountWorkFile(const QString &path);
