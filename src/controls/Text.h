#pragma once

#include "ClickRule.h"

#include <QRect>
#include <QString>
#include <QWidget>

class PropertyBag;
class QLineEdit;
class PictureBox;

// The framed single-line text box (prog id Kordelvane.Text): a borderless
// inner box (Text1) over a stretched frame picture (Image1). Text, enabled
// state and maximum length live in the inner box. Change is raised for every
// change of the text, typed or written.
//
// Only the two narrow strips of the control not covered by the frame are the
// control's own surface: a click there moves the focus into the inner box
// (silently nothing when the box cannot take it). A click on the frame does
// nothing. The strips show whatever lies behind the control. The parts' edges
// are rounded to the nearest pixel, so the 10-twip strip at the left keeps a
// pixel of its own.
class Text : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ text WRITE setText NOTIFY Change)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)

public:
    // Design size of a new instance, twips.
    static constexpr int DesignWidth = 6075;
    static constexpr int DesignHeight = 735;
    // MaxLength is a 16-bit signed property.
    static constexpr int MaxLengthLimit = 32767;

    // Places of the two parts on a control of a given size, all in twips.
    struct Parts
    {
        QRect frame; // Image1
        QRect box;   // Text1
    };
    // frame: left 10, top 0, width W - 140, height H;
    // box:   left 90, top 75, width W - 300, height H - 150.
    // Below 300 x 150 the box's size stops at 0 instead of going negative.
    static Parts partsFor(int widthTwips, int heightTwips);

    explicit Text(QWidget *parent = nullptr);

    // The inner box's text. (C++ keeps the name Text for the constructor, so
    // the accessor is text(); the property is still called Text.) Every
    // write raises Change, one that leaves the text as it was too. A write
    // is kept whole: MaxLength limits only what the user types.
    QString text() const;
    void setText(const QString &text);

    // The inner box's enabled state; the frame does not change. Hides
    // QWidget::setEnabled on purpose: only the inner box is disabled.
    bool Enabled() const;
    void setEnabled(bool enabled);

    // 0 = no limit; 1 to 32767 limits what the user can type. A text already
    // longer stays as it is (it can be shortened, not lengthened, by typing).
    // A value below 0 or above 32767 is refused with std::out_of_range and
    // the length stays as it was.
    int MaxLength() const;
    void setMaxLength(int maxLength);

    // Load: "MaxLength" with the current length as default, written through
    // setMaxLength. A stored value that is not a whole number throws
    // std::invalid_argument; one out of range is refused as above. Either way
    // the length stays as it was.
    void ReadProperties(const PropertyBag &bag);
    // Save: "MaxLength", always, 0 too.
    void WriteProperties(PropertyBag &bag) const;

signals:
    void Change();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void placeParts();
    // The inner box's own limit: MaxLength, or the text's length when that is
    // longer, so that the box never cuts a text it already holds.
    void applyLimit(qsizetype textLength);

    QLineEdit *m_Text1 = nullptr;
    PictureBox *m_Image1 = nullptr;
    ClickRule m_click;
    int m_maxLength = 0;
};
