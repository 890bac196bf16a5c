#pragma once

#include "BrowserView.h"

#include <QCoreApplication>
#include <QImage>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <optional>

// Runs every step the fake views have queued, and the steps those queue in
// turn (each is a zero-time timer), without waiting on the clock: after it, a
// test sees everything a click or a page set going, so "nothing more
// happened" is a real check.
inline void settleFakePages(int rounds = 50)
{
    for (int round = 0; round < rounds; ++round)
        QCoreApplication::processEvents();
}

// A page as a fake browser view holds it: what its body renders to, which
// inputs it has, how many category boxes and images, and its first image.
struct FakePage {
    QString title;
    std::optional<QString> body;     // nullopt: no body
    QStringList inputs;              // names that take a value
    int categoryBoxes = 0;           // elements named "siteType[]"
    int images = 0;                  // elements with tag name IMG
    std::optional<QImage> firstImage; // nullopt: no IMG; a null image: unreadable
    QString finalUrl;                 // where a redirection ends; empty: the address asked for
};

// A page that is only text.
inline FakePage textPage(const QString &body)
{
    FakePage page;
    page.body = body;
    return page;
}

// A browser view without a browser, for driving a window through its page
// operations: pages come from site(url), every answer comes later from the
// event loop and is taken from the page shown at that time, as a real view
// does. What was asked is kept in operations.
class FakeBrowserView : public BrowserView
{
public:
    FakeBrowserView(QWidget *parent, const QRect &place) : m_widget(new QWidget(parent))
    {
        m_widget->setGeometry(place);
        m_widget->lower(); // under the window's own controls, as the real views lie
        setParent(m_widget);
    }

    void Navigate(const QString &url) override
    {
        navigations.append(url);
        m_page = site ? site(url) : FakePage{};
        // As a browser does, an address typed without a scheme is taken as http.
        m_url = m_page.finalUrl.isEmpty() ? QUrl::fromUserInput(url).toString() : m_page.finalUrl;
        values.clear();
        ticked = QList<bool>(m_page.categoryBoxes, false);
        ++m_serial;
        if (!autoComplete)
            return;
        const unsigned serial = m_serial;
        QTimer::singleShot(0, this, [this, serial] {
            if (serial == m_serial)
                finishLoad();
        });
    }
    // The page shows: its address as title first (what a browser shows for
    // a page without a title of its own), then its own, then the document
    // completes.
    void finishLoad()
    {
        emit titleChanged(m_url);
        if (!m_page.title.isEmpty())
            emit titleChanged(m_page.title);
        emit documentComplete();
    }
    QString currentUrl() const override { return m_url; }
    QWidget *widget() override { return m_widget; }

    void bodyText(TextReply reply) override
    {
        operations.append(QStringLiteral("body"));
        later([this, reply] { if (reply) reply(m_page.body); });
    }
    void setValueByName(const QString &name, const QString &value, DoneReply reply) override
    {
        operations.append(QStringLiteral("set %1=%2").arg(name, value));
        later([this, name, value, reply] {
            const bool found = m_page.inputs.contains(name);
            if (found)
                values[name] = value;
            if (reply)
                reply(found);
        });
    }
    void clickNth(Collection collection, const QString &key, int index, DoneReply reply) override
    {
        operations.append(QStringLiteral("click %1[%2]").arg(key).arg(index));
        later([this, collection, key, index, reply] {
            bool done = false;
            if (collection == Collection::ByName && key == QStringLiteral("siteType[]") && index >= 0
                && index < ticked.size()) {
                ticked[index] = !ticked[index];
                done = true;
            } else if (collection == Collection::ByTagName && key == QStringLiteral("IMG") && index >= 0
                       && index < m_page.images) {
                done = true;
                if (onImageClick)
                    onImageClick(index);
            }
            if (reply)
                reply(done);
        });
    }
    void countByTagName(const QString &tagName, CountReply reply) override
    {
        operations.append(QStringLiteral("count %1").arg(tagName));
        later([this, tagName, reply] {
            if (reply)
                reply(tagName == QStringLiteral("IMG") ? std::optional<int>(m_page.images) : std::optional<int>(0));
        });
    }
    void firstImagePicture(PictureReply reply) override
    {
        operations.append(QStringLiteral("first image"));
        later([this, reply] { if (reply) reply(m_page.firstImage); });
    }

    const FakePage &page() const { return m_page; }

    std::function<FakePage(const QString &url)> site;
    std::function<void(int index)> onImageClick;
    bool autoComplete = true;
    QStringList navigations;
    QStringList operations;
    QMap<QString, QString> values;
    QList<bool> ticked;

private:
    void later(std::function<void()> step) { QTimer::singleShot(0, this, std::move(step)); }

    QWidget *m_widget;
    QString m_url;
    FakePage m_page;
    unsigned m_serial = 0;
};

class FakeBrowserFactory : public BrowserFactory
{
public:
    BrowserView *create(QWidget *parent, const QRect &designPlace) override
    {
        auto *view = new FakeBrowserView(parent, designPlace);
        if (site)
            view->site = site;
        m_views.append(view);
        return view;
    }
    // The view a window named so (objectName), the last one made by that name.
    FakeBrowserView *view(const QString &name) const
    {
        for (auto it = m_views.crbegin(); it != m_views.crend(); ++it) {
            if (*it && (*it)->objectName() == name)
                return it->data();
        }
        return nullptr;
    }
    // Given to every view made from now on.
    std::function<FakePage(const QString &url)> site;

private:
    QList<QPointer<FakeBrowserView>> m_views;
};
