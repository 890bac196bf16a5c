#include "Faces.h"

#include "Twips.h"

#include <QLabel>

// The resources live in a static library: nothing would pull their object
// file into a program unless it is referenced, so the first load registers
// them explicitly. Q_INIT_RESOURCE must be used outside any namespace.
static void registerFacePictures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(controls);
        return true;
    }();
    (void)registered;
}

namespace Faces {

QPixmap load(const QString &name)
{
    registerFacePictures();
    return QPixmap(QStringLiteral(":/controls/faces/") + name + QStringLiteral(".png"));
}

QLabel *makeHolder(QWidget *parent, const QString &objectName, const QString &faceName, const QRect &designPlaceTwips)
{
    auto *holder = new QLabel(parent);
    holder->setTextFormat(Qt::PlainText);
    holder->setObjectName(objectName);
    holder->setPixmap(load(faceName));
    holder->setScaledContents(true);
    holder->setGeometry(Twips::rect(designPlaceTwips.x(), designPlaceTwips.y(), designPlaceTwips.width(), designPlaceTwips.height()));
    holder->setAttribute(Qt::WA_TransparentForMouseEvents);
    holder->hide();
    return holder;
}

} // namespace Faces
