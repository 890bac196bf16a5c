#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class BrowserView;
class MessageBoxes;
class QWidget;

// The report window's dealings with the report service's page, which a hidden
// browser view keeps loaded. A report goes into that page as the user would
// send it: the fields into the page's inputs by name, the ticked categories as
// clicks on the page's category boxes by position, then a click on every image
// of the page (one of them sends the form). Each step goes to the page once
// the step before has answered, so the window stays live in between. The
// first page that completes after a report is searched for the service's
// confirmation; every page of the report site that completes hands its first
// image, the captcha, to the window.
//
// It changes no widget itself: the window's status line, its clearing and its
// captcha box are what the window hands in.
//
//     ReportSubmission submission(*view, boxes, {window, showStatus, clearForm, showCaptcha}, window);
//     connect(view, &BrowserView::documentComplete, &submission, &ReportSubmission::pageComplete);
//     submission.loadPage();                 // each time the window is activated
//     submission.send({name, address, reason, email, code, {1, 9}}); // once the window's checks have passed
class ReportSubmission : public QObject
{
    Q_OBJECT
public:
    // What the user reports, as the page's inputs take it.
    struct Report {
        QString title;        // "title": the site's name
        QString url;          // "url": the site's address, with its scheme
        QString describe;     // "describe": the reason, line breaks as CR LF
        QString email;        // "email"
        QString validateCode; // "validateCode": the captcha code
        QList<int> categories; // the ticked categories, ascending, 0 to 11
    };

    // What the window does for the submission.
    struct Window {
        QWidget *owner = nullptr;                          // of the message boxes
        std::function<void(const QString &)> showStatus;   // the status line
        std::function<void()> clearForm;                   // empties the fields and unticks the boxes
        std::function<void(const QImage &)> showCaptcha;   // the page's first image
    };

    ReportSubmission(BrowserView &page, MessageBoxes &boxes, Window window, QObject *parent = nullptr);

    // The report page, afresh (and with it a new captcha).
    void loadPage();
    // Sends the report into the page shown now. The outcome comes with the
    // next page that completes; nothing waits for it. While a report is
    // pending, another starts nothing.
    void send(const Report &report);
    // The page view completed a document (any frame).
    void pageComplete();

    // A report was sent and the page that answers it has not yet completed.
    bool pending() const { return m_pending; }

private:
    struct Steps;
    void runSteps(const std::shared_ptr<Steps> &steps);
    bool stale(const Steps &steps) const;
    void failed();
    void confirmationRead(const QString &pageText);
    void copyCaptcha();

    BrowserView &m_page;
    MessageBoxes &m_boxes;
    Window m_window;
    bool m_pending = false;
    // Counts the pages the view completed; a report stops when the page it
    // fills is no longer the one shown.
    unsigned m_pageSerial = 0;
};
