#pragma once

#include "BrowserView.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

// A browser view that loads nothing: it records every address it is sent to,
// and a test makes it report its document complete when it likes, and says
// what its body text is. Page reads answer later from the event loop, as a
// real view does; with no body given they answer nothing, as an empty view.
class RecordingBrowserView : public BrowserView
{
public:
    RecordingBrowserView(QWidget *parent, const QRect &designPlace) : BrowserView(parent), m_widget(new QWidget(parent))
    {
        m_widget->setGeometry(designPlace);
    }
    void Navigate(const QString &url) override
    {
        navigations.append(url);
        m_url = url;
    }
    QString currentUrl() const override { return m_url; }
    QWidget *widget() override { return m_widget; }
    void completeDocument() { emit documentComplete(); }

    void bodyText(TextReply reply) override
    {
        ++bodyReads;
        const std::optional<QString> text = body;
        QTimer::singleShot(0, this, [this, reply, text] {
            if (beforeReply)
                beforeReply();
            if (reply)
                reply(text);
        });
    }

    // The document is complete; its body text (nullopt: unreadable) is what
    // the next reads answer.
    void finish(std::optional<QString> text)
    {
        body = std::move(text);
        emit documentComplete();
    }

    QStringList navigations;
    std::optional<QString> body;
    int bodyReads = 0;
    // Runs just before a read's answer is handed over.
    std::function<void()> beforeReply;

private:
    QWidget *m_widget;
    QString m_url;
};

// Hands out recording views, each a child of the parent it is made for, and
// keeps them in order of making.
class RecordingBrowserFactory : public BrowserFactory
{
public:
    BrowserView *create(QWidget *parent, const QRect &designPlace) override
    {
        auto *view = new RecordingBrowserView(parent, designPlace);
        views.append(view);
        return view;
    }
    // The view whose objectName the window gave it, or nullptr.
    RecordingBrowserView *view(const QString &objectName) const
    {
        for (const auto &view : views)
            if (view && view->objectName() == objectName)
                return view;
        return nullptr;
    }
    QList<QPointer<RecordingBrowserView>> views;
};
