#pragma once

#include "BrowserView.h"

#include <QList>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

// A browser view that loads nothing by itself: the test says when the page
// is complete and what its body text is. Page reads answer later from the
// event loop, as a real view does.
class FakeBrowserView : public BrowserView
{
public:
    FakeBrowserView(QWidget *parent, const QRect &place) : BrowserView(parent), m_widget(new QWidget(parent))
    {
        m_widget->setGeometry(place);
    }

    void Navigate(const QString &url) override
    {
        navigations.append(url);
        m_url = url;
    }
    QString currentUrl() const override { return m_url; }
    QWidget *widget() override { return m_widget; }

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

class FakeBrowserFactory : public BrowserFactory
{
public:
    BrowserView *create(QWidget *parent, const QRect &designPlace) override
    {
        auto *view = new FakeBrowserView(parent, designPlace);
        made.append(view);
        return view;
    }
    QList<FakeBrowserView *> made;
};
