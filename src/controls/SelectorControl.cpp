#include "SelectorControl.h"

#include "PropertyBag.h"

#include <QLabel>
#include <QMouseEvent>

static void loadTabFrmFaces()
{
    // The faces live in this static library's resources; without this call
    // the linker may drop them.
    Q_INIT_RESOURCE(tabfrm);
}

SelectorControl::SelectorControl(const Look &look, QWidget *parent) : QWidget(parent), m_look(look)
{
    loadTabFrmFaces();
    m_M0 = QPixmap(look.normalFace);
    m_M2 = QPixmap(look.selectedFace);

    m_M = new QLabel(this);
    m_M->setTextFormat(Qt::PlainText);
    m_M->setObjectName(QStringLiteral("M"));
    m_M->setScaledContents(true);

    m_Label1 = new QLabel(this);
    m_Label1->setTextFormat(Qt::PlainText);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setAttribute(Qt::WA_TranslucentBackground);
    m_Label1->setAlignment(Qt::AlignCenter);
    m_Label1->setFont(look.font);

    m_M->installEventFilter(this);
    m_Label1->installEventFilter(this);

    resize(look.designSize);
    m_M->setGeometry(rect());
    showFace(m_M0);
    setCaptionColour(look.normalColour);
    placeCaption();
}

QString SelectorControl::Caption() const
{
    return m_Label1->text();
}

void SelectorControl::setCaption(const QString &caption)
{
    m_Label1->setText(caption);
    placeCaption();
    showFace(m_M0);
    setCaptionColour(m_look.normalColour);
}

void SelectorControl::ReadProperties(const PropertyBag &bag)
{
    setCaption(bag.read(QStringLiteral("Caption"), Caption()).toString());
}

void SelectorControl::WriteProperties(PropertyBag &bag) const
{
    bag.write(QStringLiteral("Caption"), Caption());
}

void SelectorControl::showFace(const QPixmap &face)
{
    m_shown = face;
    m_M->setPixmap(face);
}

void SelectorControl::setCaptionColour(const QColor &colour)
{
    QPalette palette = m_Label1->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_Label1->setPalette(palette);
}

// The caption sizes itself to its text and stays centred on its design line,
// whatever the control's width.
void SelectorControl::placeCaption()
{
    m_Label1->adjustSize();
    m_Label1->move(m_look.captionCentreX - m_Label1->width() / 2, m_look.captionTop);
}

void SelectorControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_M->setGeometry(rect());
}

// A click is a left press and release on the same part, the caption or the
// face; both raise the same Click.
bool SelectorControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_M && watched != m_Label1)
        return QWidget::eventFilter(watched, event);
    // The second press of a double-click comes as its own event type and
    // passes on: it is no press.
    if (event->type() == QEvent::MouseButtonPress) {
        m_click.press(*static_cast<QMouseEvent *>(event), static_cast<QWidget *>(watched));
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        if (m_click.release(*static_cast<QMouseEvent *>(event), static_cast<QWidget *>(watched)))
            clicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SelectorControl::clicked()
{
    emit Click(); // the host's handler runs to its end here
    showFace(m_M2);
    setCaptionColour(m_look.selectedColour);
}
