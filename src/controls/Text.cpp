#include "Text.h"

#include "Faces.h"
#include "Fonts.h"
#include "PropertyBag.h"
#include "PictureBox.h"
#include "Twips.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// The line edit's own "0" would mean "nothing may be typed"; no limit is
// kept as the largest length it knows.
constexpr int NoLimit = std::numeric_limits<int>::max();

int roundToPixel(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / Twips::PerPixel));
}

// Each edge to its nearest pixel: the frame's left at 10 twips lands on
// pixel 1, leaving the strip before it a pixel wide.
QRect toPixels(const QRect &twips)
{
    const int left = roundToPixel(twips.x());
    const int top = roundToPixel(twips.y());
    return QRect(left, top, roundToPixel(twips.x() + twips.width()) - left,
                 roundToPixel(twips.y() + twips.height()) - top);
}

} // namespace

Text::Parts Text::partsFor(int widthTwips, int heightTwips)
{
    // In the order the control lays them out: frame width, frame height, box
    // width, box height, frame left. Box and frame top stay at 75 and 0.
    Parts parts;
    parts.frame = QRect(10, 0, std::max(widthTwips - 140, 0), std::max(heightTwips, 0));
    parts.box = QRect(90, 75, std::max(widthTwips - 300, 0), std::max(heightTwips - 150, 0));
    return parts;
}

Text::Text(QWidget *parent)
    : QWidget(parent)
{
    const QFont font = Fonts::ui(9);
    setFont(font);

    m_Text1 = new QLineEdit(this);
    m_Text1->setObjectName(QStringLiteral("Text1"));
    m_Text1->setFrame(false);
    m_Text1->setFont(font);
    m_Text1->setMaxLength(NoLimit);
    QPalette palette = m_Text1->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    m_Text1->setPalette(palette);

    m_Image1 = new PictureBox(PictureBox::Fit::Stretch, this);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    m_Image1->setPixmap(Faces::load(QStringLiteral("text-frame")));

    // The box is drawn over the frame and is the only part that takes the
    // focus; focus given to the control goes to it.
    m_Image1->lower();
    m_Text1->raise();
    setFocusProxy(m_Text1);

    connect(m_Text1, &QLineEdit::textChanged, this, [this](const QString &now) {
        // Shortened below its old length, the text may grow again up to
        // MaxLength.
        applyLimit(now.size());
        emit Change();
    });

    resize(Twips::rect(0, 0, DesignWidth, DesignHeight).size());
    placeParts();
}

QString Text::text() const
{
    return m_Text1->text();
}

void Text::setText(const QString &text)
{
    if (text == m_Text1->text()) {
        // The inner box reports no change for the same text; a write is a
        // change all the same.
        emit Change();
        return;
    }
    applyLimit(text.size());
    m_Text1->setText(text);
}

bool Text::Enabled() const
{
    return m_Text1->isEnabledTo(this);
}

void Text::setEnabled(bool enabled)
{
    m_Text1->setEnabled(enabled);
}

int Text::MaxLength() const
{
    return m_maxLength;
}

void Text::setMaxLength(int maxLength)
{
    if (maxLength < 0 || maxLength > MaxLengthLimit)
        throw std::out_of_range("MaxLength must be from 0 to 32767");
    m_maxLength = maxLength;
    applyLimit(m_Text1->text().size());
}

void Text::applyLimit(qsizetype textLength)
{
    if (m_maxLength == 0) {
        m_Text1->setMaxLength(NoLimit);
        return;
    }
    // Never below the text held, so setting it cuts nothing.
    m_Text1->setMaxLength(static_cast<int>(std::max<qsizetype>(m_maxLength, textLength)));
}

void Text::ReadProperties(const PropertyBag &bag)
{
    const QVariant stored = bag.read(QStringLiteral("MaxLength"), MaxLength());
    bool whole = false;
    const int length = stored.toInt(&whole);
    if (!whole)
        throw std::invalid_argument("stored MaxLength is not a whole number");
    setMaxLength(length);
}

void Text::WriteProperties(PropertyBag &bag) const
{
    bag.write(QStringLiteral("MaxLength"), MaxLength());
}

void Text::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeParts();
}

void Text::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    // The second press of a double-click arrives here too and counts as a
    // press: its click asks for the focus the box already has.
    m_click.press(*event, this);
}

void Text::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    // A disabled or hidden box does not take the focus; that is ignored.
    if (m_click.release(*event, this))
        m_Text1->setFocus(Qt::MouseFocusReason);
}

void Text::placeParts()
{
    const Parts parts = partsFor(Twips::fromPixels(width()), Twips::fromPixels(height()));
    m_Image1->setGeometry(toPixels(parts.frame));
    m_Text1->setGeometry(toPixels(parts.box));
}
