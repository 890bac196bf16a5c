#include "PostTool.h"

#include "BrowserView.h"
#include "BrowserViewMaker.h"
#include "Endpoints.h"
#include "LookupState.h"
#include "PageText.h"
#include "PanelControls.h"
#include "ResultBox.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <stdexcept>

using namespace PanelControls;

PostTool::PostTool(QWidget *panel, ToolContext &context) : QObject(panel), m_context(context)
{
    whitePanel(panel);
    panel->setFont(Fonts::ui(9));

    // The introduction is one line here, sized to its text.
    m_Label26 = textColour(
        caption(
            panel, "Label26", Twips::rect(240, 360, 0, 0),
            QStringLiteral(
                "本功能可以查询邮政编码所在地，结果会很多。数据来自国家邮政局。显示的所有结果均在邮政编码范围之内。")),
        ExplanationGrey);
    m_Label28 =
        caption(panel, "Label28", Twips::rect(120, 900, 0, 0), QStringLiteral("邮政编码："), Fonts::ui(10.5, true));
    m_txtPost = inputBox(panel, "txtPost", Twips::rect(1200, 840, 5655, 375));
    m_cmdPost = button(panel, "cmdPost", Twips::rect(6840, 840, 1095, 375), QStringLiteral("查询"));
    m_txtPostJG = resultBox(panel, "txtPostJG", Twips::rect(120, 1320, 9015, 4935), true, QString());

    // Too small to show the page: the page is only read.
    m_WebPost =
        makeBrowserView(m_context.browsers, panel, Twips::rect(3240, 3120, 255, 375), QStringLiteral("WebPost"));
    if (m_WebPost)
        connect(m_WebPost, &BrowserView::documentComplete, this, &PostTool::WebPost_DocumentComplete);

    connect(m_cmdPost, &QPushButton::clicked, this, &PostTool::cmdPost_Click);
}

void PostTool::cmdPost_Click()
{
    // No input check and nothing disabled: a second click starts a second
    // navigation and the first completion to arrive is taken.
    m_context.state.PostPending = true;
    m_txtPostJG->setText(SearchingText);
    if (m_WebPost)
        m_WebPost->Navigate(Endpoints::postCode(m_txtPost->text()));
}

void PostTool::WebPost_DocumentComplete()
{
    if (!m_context.state.PostPending)
        return;
    m_context.state.PostPending = false;
    // The page text comes back later; the rest of the steps run when it does.
    QPointer<PostTool> self(this);
    QPointer<BrowserView> view(m_WebPost);
    m_WebPost->bodyText([self, view](std::optional<QString> text) {
        // The page has given what the lookup needs: it stops until the next one.
        if (view)
            view->holdPage();
        if (self)
            self->showPage(text);
    });
}

void PostTool::showPage(const std::optional<QString> &pageText)
{
    if (!pageText) {
        // The document's text could not be read: a failure of the steps.
        m_txtPostJG->setText(ErrorText);
        return;
    }
    m_txtPostJG->setText(PostCodeAnswer(*pageText, m_txtPost->text(), m_context.state));
}

QString PostCodeAnswer(const QString &pageText, const QString &typed, LookupState &state)
{
    try {
        state.PageText = pageText;
        if (state.PageText.contains(PostTool::NotFoundPageMarker))
            return PostTool::NotFoundText;
        // Nine characters behind the first place the code stands (9 when it
        // does not stand in the page), up to 21 characters before the end marker.
        state.CutStart = OffsetPosition(FindTextPos(typed, state.PageText), 9);
        state.CutEnd = OffsetPosition(FindTextPos(PostTool::EndMarker, state.PageText), -21);
        return Cut(state.PageText, state.CutStart, state.CutEnd);
    } catch (const std::exception &) {
        return PostTool::ErrorText;
    }
}
