#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

class QWidget;

// An embedded browser of the program: a small, silent view parked at its
// design place, whose pages the tools read as rendered text. Results of page
// operations arrive asynchronously.
//
// Page operations work on the document shown when they run. They run in the
// page in the order they were asked for, so "click, set value, click" asked in
// a row happen in that order; each reply comes later from the event loop,
// never inside the call, and is dropped when the view is gone. A reply of
// std::nullopt or false means the step failed: no document, no body, no such
// element, or an index outside its collection. A reply may be left empty when
// the caller does not need it.
//
// Every step is bounded in time: a page that has not answered within
// ReadTimeLimit (a document nested so deep that the page cannot serialise
// it, a script of its own that never returns) answers std::nullopt or false,
// and an answer that comes after that is dropped. A text read also fails on
// markup longer than kMaxMarkupBytes characters.
//
// Every load is bounded in time as well: a page that has not completed within
// LoadTimeLimit of its navigation (one that trickles, one whose picture never
// comes, one whose script never ends) completes as a failed load.
//
// A page that failed so (its load or a step past its bound, or its process
// ended) is ended: none of its scripts runs on and it costs nothing more. Its
// document counts as unreadable (every step fails) until the next navigation,
// which loads as in a fresh view; a load still running then completes as
// failed.
//
// Once a tool has what it needs from a page it calls holdPage(): the page
// stops where it stands and asks for nothing more, neither by a refresh nor
// by a script, until the program acts on it again (Navigate, a click or a
// value set). Reads and counts still answer from the held document, so a form
// kept for the next query stays readable.
class BrowserView : public QObject
{
    Q_OBJECT
public:
    using TextReply = std::function<void(std::optional<QString>)>;
    using DoneReply = std::function<void(bool)>;
    using CountReply = std::function<void(std::optional<int>)>;
    using PictureReply = std::function<void(std::optional<QImage>)>;

    enum class Collection {
        ByName,    // document.getElementsByName
        ByTagName, // document.getElementsByTagName
    };

    static constexpr std::chrono::milliseconds ReadTimeLimit{10000};
    static constexpr std::chrono::milliseconds LoadTimeLimit{30000};

    using QObject::QObject;
    ~BrowserView() override = default;

    virtual void Navigate(const QString &url) = 0;
    virtual QString currentUrl() const = 0;
    virtual QWidget *widget() = 0;
    // Whether the last completed document is the page that was asked for:
    // false when the load failed and the view shows an error page of its own.
    virtual bool documentLoaded() const { return true; }
    // The page stops: its loads end, and no navigation, request or script of
    // its own runs until the program acts on the view again.
    virtual void holdPage() {}

    // The body's rendered text (RenderInnerText of the live body's markup),
    // the same text a page fetch gives for the same markup.
    virtual void bodyText(TextReply reply);
    // The rendered text of the element with this id, made the same way from
    // the element's markup.
    virtual void elementText(const QString &id, TextReply reply);
    // Clicks the first element, in document order, whose id or name is idOrName.
    virtual void clickElement(const QString &idOrName, DoneReply reply);
    // true when the document holds an element whose id or name is idOrName;
    // nothing is clicked.
    virtual void hasElement(const QString &idOrName, DoneReply reply);
    // Sets the value of the first element named name.
    virtual void setValueByName(const QString &name, const QString &value, DoneReply reply);
    // Clicks the index-th (0-based, document order) element of the collection
    // of elements with this name or tag name.
    virtual void clickNth(Collection collection, const QString &key, int index, DoneReply reply);
    // The number of elements with this tag name.
    virtual void countByTagName(const QString &tagName, CountReply reply);
    // The picture of the first element, in document order, whose tag name is
    // exactly "IMG", at its natural size, as the page shows it (also one from
    // another site). std::nullopt: no document or no such element. A null
    // QImage: the element is there but its picture cannot be read (not loaded
    // yet, or broken).
    virtual void firstImagePicture(PictureReply reply);

signals:
    // The document finished loading: once per navigation, whether the page
    // came or the load failed and the view shows its error page; a navigation
    // cut short by the next one gives none.
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
