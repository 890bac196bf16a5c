#include "Option.h"

#include "Faces.h"
#include "PictureBox.h"

Option::Option(QWidget *parent)
    : QWidget(parent)
{
    m_M = new PictureBox(PictureBox::Fit::AsIs, this);
    m_M->setObjectName(QStringLiteral("M"));
    // The picture box is the part that can hold the focus.
    m_M->setFocusPolicy(Qt::StrongFocus);
    m_M->setAutoFillBackground(true);
    m_M->setBackgroundRole(QPalette::Window);
    setFocusProxy(m_M);

    m_M7 = Faces::makeHolder(this, QStringLiteral("M7"), QStringLiteral("option-off-pressed"), QRect(1320, 1440, 1185, 345));
    m_M6 = Faces::makeHolder(this, QStringLiteral("M6"), QStringLiteral("option-off-hover"), QRect(1320, 960, 1185, 345));
    m_M5 = Faces::makeHolder(this, QStringLiteral("M5"), QStringLiteral("option-off-normal"), QRect(1320, 480, 1185, 345));
    m_M3 = Faces::makeHolder(this, QStringLiteral("M3"), QStringLiteral("option-on-pressed"), QRect(0, 1440, 1185, 345));
    m_M2 = Faces::makeHolder(this, QStringLiteral("M2"), QStringLiteral("option-on-hover"), QRect(0, 960, 1185, 345));
    m_M1 = Faces::makeHolder(this, QStringLiteral("M1"), QStringLiteral("option-on-normal"), QRect(0, 480, 1185, 345));

    // A new instance starts on, with the on-normal face.
    showFace(m_M1);
    // The picture box is sized to its picture and the control to the picture
    // box: whatever size a host asks for, it stays 1185 x 345.
    m_M->setGeometry(QRect(QPoint(0, 0), m_M->pixmap().size()));
    setFixedSize(m_M->size());

    connect(m_M, &PictureBox::mousePressed, this, &Option::onPress);
    connect(m_M, &PictureBox::mouseMoved, this, &Option::onMove);
    connect(m_M, &PictureBox::clicked, this, &Option::onClick);
}

bool Option::Enabled() const
{
    return m_switchedOff != 1;
}

void Option::setEnabled(bool on)
{
    if (on) {
        showFace(m_M1);
        m_switchedOff = 0;
    } else {
        showFace(m_M5);
        m_switchedOff = 1;
    }
}

void Option::onPress()
{
    showFace(m_switchedOff == 0 ? m_M3 : m_M7);
}

void Option::onMove()
{
    // No pressed flag: a move with the button held shows the hover face too.
    showFace(m_switchedOff == 0 ? m_M2 : m_M6);
}

void Option::onClick()
{
    if (m_switchedOff == 0) {
        m_switchedOff = 1;
        showFace(m_M5);
    } else {
        m_switchedOff = 0;
        showFace(m_M1);
    }
    emit Click();
}

void Option::showFace(const QLabel *holder)
{
    m_M->setPixmap(holder->pixmap());
}
