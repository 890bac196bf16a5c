#pragma once

#include "ClickRule.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

class PropertyBag;
class QLabel;

// What Tab and Frm share: a face picture that fills the control, a caption
// over it, and two stored faces (normal, selected). The control keeps no
// selected flag: writing Caption always gives the normal look, and a click
// raises Click first and only then paints the selected look, so a host that
// resets every item in its handler still ends with the clicked one selected.
class SelectorControl : public QWidget
{
    Q_OBJECT
public:
    QString Caption() const;
    // Sets the text, then the normal face, then the normal caption colour.
    void setCaption(const QString &caption);

    // Loads "Caption" with the current caption as the default, through
    // setCaption, so every instance starts normal.
    void ReadProperties(const PropertyBag &bag);
    // Writes "Caption" always, an empty one too.
    void WriteProperties(PropertyBag &bag) const;

    // The looks, for hosts and tests that check what is shown.
    const QPixmap &displayedFace() const { return m_shown; }
    const QPixmap &normalFace() const { return m_M0; }
    const QPixmap &selectedFace() const { return m_M2; }
    QLabel *captionLabel() const { return m_Label1; }
    bool showsSelectedLook() const { return m_shown.cacheKey() == m_M2.cacheKey(); }

signals:
    void Click();

protected:
    struct Look {
        QString normalFace;   // resource of M0
        QString selectedFace; // resource of M2
        QFont font;
        QColor normalColour;
        QColor selectedColour;
        int captionCentreX;   // pixels, the fixed line the caption is centred on
        int captionTop;       // pixels
        QSize designSize;     // pixels
    };
    SelectorControl(const Look &look, QWidget *parent);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showFace(const QPixmap &face);
    void setCaptionColour(const QColor &colour);
    void placeCaption();
    void clicked();

    const Look m_look;
    QPixmap m_M0;
    QPixmap m_M2;
    QPixmap m_shown;
    QLabel *m_M = nullptr;
    QLabel *m_Label1 = nullptr;
    ClickRule m_click;
};
