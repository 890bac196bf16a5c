#pragma once

#include <QWidget>

class QLabel;
class PictureBox;

// The skinned two-state switch: a picture face showing on (green, 已开启) or
// off (grey, 已关闭), each in a normal, hover and pressed version. Enabled
// means switched on. A click switches the state and the face first and then
// raises Click, so the handler reads the new state. The control always takes
// the size of its face, 1185 x 345 twips. Nothing is persisted; no key
// switches it; there is no mouse-leave detection.
class Option : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)

public:
    explicit Option(QWidget *parent = nullptr);

    // True when switched on.
    bool Enabled() const;
    // Sets the state and shows its normal face; raises nothing. Hides
    // QWidget::setEnabled on purpose: here the word means switched on.
    void setEnabled(bool on);

signals:
    void Click();

private:
    void onPress();
    void onMove();
    void onClick();
    void showFace(const QLabel *holder);

    PictureBox *m_M = nullptr; // the displayed face, holds the focus
    QLabel *m_M7 = nullptr;     // off, pressed
    QLabel *m_M6 = nullptr;     // off, hover
    QLabel *m_M5 = nullptr;     // off, normal
    QLabel *m_M3 = nullptr;     // on, pressed
    QLabel *m_M2 = nullptr;     // on, hover
    QLabel *m_M1 = nullptr;     // on, normal

    int m_switchedOff = 0; // 0 = on, 1 = off
};
