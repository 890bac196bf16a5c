#pragma once

#include <QLabel>

// One of the main window's 16 x 16 information icons (the Picture2 array):
// the desktop's information symbol with a hint of its own as tooltip, under
// its design name ("Picture2(0)" … "Picture2(5)") so tests and the window can
// find it.
class InfoIcon : public QLabel
{
public:
    InfoIcon(QWidget *panel, const char *name, const QRect &place, const QString &tooltip);
};
