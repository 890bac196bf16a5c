#pragma once

#include <QString>

// Tidies the name-server lookup's output so that each address of the domain
// stands alone on a line: every blank goes, "AddreSSes:" becomes the
// host-information label, every occurrence of removed (the TAB the host-count
// panel keeps) goes, and "Addresses:" gets a line break behind it. In this
// order, each over the whole text, case-sensitive.
QString TidyLookupOutput(QString text, const QString &removed);
