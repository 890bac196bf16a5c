#pragma once

#include <QObject>
#include <QRect>
#include <QString>

class QWidget;

// An embedded browser of the program: a small, silent view parked at its
// design place, whose pages the tools read as rendered text. Results of page
// operations arrive asynchronously.
class BrowserView : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~BrowserView() override = default;

    virtual void Navigate(const QString &url) = 0;
    virtual QString currentUrl() const = 0;
    virtual QWidget *widget() = 0;

signals:
    // The document (or one of its frames) finished loading.
    void documentComplete();
    void titleChanged(const QString &title);
};

// Makes the browser views; all of them share one profile. Tests may hand in
// their own.
class BrowserFactory
{
public:
    virtual ~BrowserFactory() = default;
    // A view that is a child of parent, at designPlace (pixels).
    virtual BrowserView *create(QWidget *parent, const QRect &designPlace) = 0;
};
