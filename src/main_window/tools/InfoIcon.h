#pragma once

#include <QLabel>

// One of the main window's 16 x 16 information icons (the Picture2 array):
// the desktop's information symbol with a hint of its own as tooltip. It is
// named "Picture2_<index>" so tests and the window can find it.
class InfoIcon : public QLabel
{
public:
    InfoIcon(QWidget *panel, int index, const QRect &place, const QString &tooltip);
};
