#include "Command.h"

#include "Faces.h"
#include "Fonts.h"
#include "PropertyBag.h"
#include "PictureBox.h"
#include "Twips.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QResizeEvent>

#include <cmath>

namespace {

// Rounds to the nearest 32-bit integer, a tie to the even one (the default
// rounding mode), then halves, truncating toward zero.
qint32 half(float x)
{
    return static_cast<qint32>(std::lrint(x)) / 2;
}

int twipsToPixels(float twips)
{
    // Truncates toward zero, as Twips::toPixels does for whole twips.
    return static_cast<int>(twips / Twips::PerPixel);
}

} // namespace

Command::Command(QWidget *parent)
    : QWidget(parent)
{
    // The button as a whole holds the focus; its parts cannot.
    setFocusPolicy(Qt::StrongFocus);
    const QFont font = Fonts::ui(9);
    setFont(font);

    m_M1 = Faces::makeHolder(this, QStringLiteral("M1"), QStringLiteral("command-hover"), QRect(1080, 720, 1350, 345));

    m_M = new PictureBox(PictureBox::Fit::Stretch, this);
    m_M->setObjectName(QStringLiteral("M"));
    m_M->setPixmap(Faces::load(QStringLiteral("command-design")));
    m_M->setGeometry(Twips::rect(0, 0, 1350, 360));

    // The caption lies over the face and passes the pointer through to it:
    // a press or click on the caption is one on the face.
    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setFont(font);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setAutoFillBackground(false);

    m_M0 = Faces::makeHolder(this, QStringLiteral("M0"), QStringLiteral("command-normal"), QRect(0, 720, 1110, 345));
    m_M2 = Faces::makeHolder(this, QStringLiteral("M2"), QStringLiteral("command-pressed"), QRect(0, 1200, 1110, 345));

    m_M->lower();
    m_label->raise();
    placeCaption();

    connect(m_M, &PictureBox::mousePressed, this, &Command::onPress);
    connect(m_M, &PictureBox::mouseMoved, this, &Command::onMove);
    connect(m_M, &PictureBox::clicked, this, &Command::onClick);

    resize(Twips::rect(0, 0, DesignWidth, DesignHeight).size());
    centreCaption();
}

QString Command::Caption() const
{
    return m_label->text();
}

void Command::setCaption(const QString &caption)
{
    m_label->setText(caption);
    // Auto-size: the label takes the width of its text and keeps its
    // horizontal centre; its height does not change with the text.
    const int newWidth = Twips::fromPixels(QFontMetrics(m_label->font()).horizontalAdvance(caption));
    m_labelLeft += (m_labelWidth - newWidth) / 2.0f;
    m_labelWidth = newWidth;
    placeCaption();
    showFace(m_M0);
}

bool Command::Enabled() const
{
    return m_M->isEnabledTo(this);
}

void Command::setEnabled(bool enabled)
{
    m_label->setEnabled(enabled);
    m_M->setEnabled(enabled);
    showFace(m_M0);
}

void Command::ReadProperties(const PropertyBag &bag)
{
    setCaption(bag.read(QStringLiteral("Caption"), Caption()).toString());
}

void Command::WriteProperties(PropertyBag &bag) const
{
    bag.write(QStringLiteral("Caption"), Caption());
}

QPoint Command::captionPlace(float width, float height, float labelWidth, float labelHeight)
{
    return QPoint(half(width) - half(labelWidth), half(height) - half(labelHeight));
}

void Command::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A hidden button gets its resize when it is first shown; only a real
    // change of size re-centres the caption.
    if (size() != m_laidOutSize)
        centreCaption();
}

void Command::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    // Another window coming to the front (a message box opened by the click
    // handler) leaves the focus with the button inside its own window: that
    // is no loss of focus, and the pressed face stays while the handler runs.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    showFace(m_M0);
    m_pressed = false;
}

bool Command::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        // A disabled widget leaves them to its parent, as any widget does.
        if (isEnabled()) {
            event->accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void Command::onPress()
{
    showFace(m_M2);
    m_pressed = true;
}

void Command::onMove()
{
    if (!m_pressed)
        showFace(m_M1);
}

void Command::onClick()
{
    // The pressed face stays while the host's handler runs.
    emit Click();
    showFace(m_M0);
    m_pressed = false;
}

void Command::showFace(const QLabel *holder)
{
    m_M->setPixmap(holder->pixmap());
}

void Command::centreCaption()
{
    m_laidOutSize = size();
    m_M->setGeometry(rect());
    const QPoint place = captionPlace(Twips::fromPixels(width()), Twips::fromPixels(height()), m_labelWidth, m_labelHeight);
    m_labelLeft = place.x();
    m_labelTop = place.y();
    placeCaption();
}

void Command::placeCaption()
{
    m_label->setGeometry(twipsToPixels(m_labelLeft), twipsToPixels(m_labelTop), Twips::toPixels(m_labelWidth), Twips::toPixels(m_labelHeight));
}
