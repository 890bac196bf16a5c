#pragma once

#include "BrowserView.h"
#include "RenderedText.h"

#include <QMetaObject>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

#include <functional>

// A browser view standing in for the registry's page where no real browser
// runs: it holds one document's markup, answers the page operations from it
// in the order they were asked, each later from the event loop, and answers a
// click on the submit button by loading answerTo(the value set in "txtcode")
// and completing the document, as the registry's form does.
class FakeRegistryView : public BrowserView
{
public:
    explicit FakeRegistryView(QWidget *parent) : m_widget(new QWidget(parent)) { setParent(m_widget); }

    // Loads the page and completes the document on a later turn.
    void load(const QString &markup)
    {
        later([this, markup] {
            m_markup = markup;
            m_loaded = true;
            emit documentComplete();
        });
    }

    void Navigate(const QString &url) override { steps << QStringLiteral("navigate ") + url; }
    QString currentUrl() const override { return {}; }
    QWidget *widget() override { return m_widget; }

    void bodyText(TextReply reply) override
    {
        later([this, reply] { reply(m_loaded ? std::optional(RenderInnerText(m_markup)) : std::nullopt); });
    }
    void elementText(const QString &id, TextReply reply) override
    {
        later([this, id, reply] {
            const QRegularExpression element(QStringLiteral("<(\\w+)[^>]*\\bid=\"") + QRegularExpression::escape(id)
                                             + QStringLiteral("\"[^>]*>(.*?)</\\1>"));
            const auto match = element.match(m_markup);
            const bool readable = m_loaded && match.hasMatch() && !unreadable.contains(id);
            reply(readable ? std::optional(RenderInnerText(match.captured(2))) : std::nullopt);
        });
    }
    void clickElement(const QString &idOrName, DoneReply reply) override
    {
        later([this, idOrName, reply] {
            const bool found = has(QStringLiteral("id"), idOrName) || has(QStringLiteral("name"), idOrName);
            steps << QStringLiteral("click ") + idOrName + (found ? QString() : QStringLiteral(" (missing)"));
            if (found && idOrName == QLatin1String("Btnok")) {
                submitted << m_value;
                load(answerTo ? answerTo(m_value) : QString());
            }
            if (reply)
                reply(found);
        });
    }
    void hasElement(const QString &idOrName, DoneReply reply) override
    {
        later([this, idOrName, reply] {
            if (reply)
                reply(has(QStringLiteral("id"), idOrName) || has(QStringLiteral("name"), idOrName));
        });
    }
    void setValueByName(const QString &name, const QString &value, DoneReply reply) override
    {
        later([this, name, value, reply] {
            const bool found = has(QStringLiteral("name"), name);
            steps << QStringLiteral("set ") + name + QLatin1Char(' ') + value + (found ? QString() : QStringLiteral(" (missing)"));
            if (found)
                m_value = value;
            if (reply)
                reply(found);
        });
    }

    std::function<QString(const QString &prefix)> answerTo;
    // Elements that are there but whose text read fails, as a read past its
    // bound does.
    QStringList unreadable;
    QStringList steps;     // every operation, in the order the page saw them
    QStringList submitted; // the prefixes sent with the form

private:
    bool has(const QString &attribute, const QString &value) const
    {
        return m_loaded && m_markup.contains(attribute + QStringLiteral("=\"") + value + QLatin1Char('"'));
    }
    void later(std::function<void()> step) { QMetaObject::invokeMethod(this, std::move(step), Qt::QueuedConnection); }

    QWidget *m_widget;
    QString m_markup;
    bool m_loaded = false;
    QString m_value;
};
