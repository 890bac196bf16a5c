#pragma once

#include <QByteArray>
#include <QString>

// The host count's work file as its result box shows it, before the tidying:
// every line of the lookup's output followed by CR LF, however the lookup
// ended its lines (CR LF, LF or CR), decoded in the system's encoding, the
// one nslookup writes in.
//
// Both what is read and what is shown are bounded by HostCountWorkFileBound:
// only that many bytes of the output are read, and of a longer output only
// the whole lines that end within them; the box text, CR LF after every line,
// holds the lines that fit in that many characters, in order, and nothing
// after the first that does not. A first line too long for it is shown cut
// at the bound.
//
//     box->setText(TidyLookupOutput(ReadHostCountWorkFile(path), tab));

// 1 MiB (bytes read, characters shown), the most a page may hold too.
inline constexpr qsizetype HostCountWorkFileBound = 1 << 20;

// The box text of the work file's bytes; bytes past the bound are not read.
QString HostCountWorkFileText(const QByteArray &bytes);

// The box text of the work file at path, reading no more than the bound and
// the one byte that tells the output is longer; empty when the file cannot be
// read.
QString ReadHostCountWorkFile(const QString &path);
