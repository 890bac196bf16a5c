#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

// The face pictures of the skinned controls, kept in the library's resources
// (controls.qrc, prefix /controls/faces).
namespace Faces {

// The picture named e.g. "command-normal"; a null pixmap when there is none.
QPixmap load(const QString &name);

// A hidden picture holder: a child label that only keeps a face picture for
// the control to copy into its displayed face. It is placed at its design
// place (twips) like the other parts, never shown and never takes input.
QLabel *makeHolder(QWidget *parent, const QString &objectName, const QString &faceName, const QRect &designPlaceTwips);

} // namespace Faces
