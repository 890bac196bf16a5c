#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

class PropertyBag;
class QLabel;
class PictureBox;

// The skinned push button (prog id Kordelvane.Command): a stretched face
// picture with a centred caption over it. Faces: normal (M0), hover (M1),
// pressed (M2), kept in hidden holders and copied into the displayed face M.
//
// The button does not notice the pointer leaving it: the hover face stays
// until a write of Caption or Enabled, a click or a loss of focus. Hosts that
// want it gone write Enabled or Caption from their own pointer-move handler.
// No key clicks the button. Pointer moves over it are not reported to hosts.
class Command : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)

public:
    // Design size of a new instance, twips.
    static constexpr int DesignWidth = 5025;
    static constexpr int DesignHeight = 3525;

    explicit Command(QWidget *parent = nullptr);

    QString Caption() const;
    // Sets the caption and shows the normal face. The caption label keeps its
    // horizontal centre, so a caption written after the last resize stays
    // centred. Pressed is left as it is.
    void setCaption(const QString &caption);

    // The enabled state of the face (caption and face are always written
    // together). Hides QWidget::setEnabled on purpose: the button itself
    // stays able to take the focus, only its parts are disabled, greying the
    // caption; the face goes back to normal either way.
    bool Enabled() const;
    void setEnabled(bool enabled);

    // Load: "Caption" with the current caption as default, written through
    // setCaption, so every instance starts with the normal face.
    void ReadProperties(const PropertyBag &bag);
    // Save: "Caption", always, an empty one too.
    void WriteProperties(PropertyBag &bag) const;

    // Where the caption label goes on a control of width x height (all in
    // twips): left = half(width) - half(labelWidth), top likewise, where
    // half(x) rounds x to the nearest 32-bit integer (ties to even) and
    // divides by 2 truncating toward zero.
    static QPoint captionPlace(float width, float height, float labelWidth, float labelHeight);

signals:
    void Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // Mouse events that reach the button's own surface (only when its parts
    // are disabled) are taken here so that they do nothing, not even reach
    // the host window behind.
    bool event(QEvent *event) override;

private:
    void onPress();
    void onMove();
    void onClick();
    void showFace(const QLabel *holder);
    void centreCaption();
    void placeCaption();

    QLabel *m_M1 = nullptr;   // hover face
    QLabel *m_label = nullptr; // Label1, the caption
    QLabel *m_M0 = nullptr;   // normal face
    QLabel *m_M2 = nullptr;   // pressed face
    PictureBox *m_M = nullptr; // the displayed face

    // The caption label's place in twips; the label widget follows it.
    // Its left is kept unrounded so that successive caption changes keep the
    // same centre.
    float m_labelLeft = 625;
    float m_labelTop = 60;
    int m_labelWidth = 75;
    int m_labelHeight = 255;

    QSize m_laidOutSize;
    bool m_pressed = false;
};
