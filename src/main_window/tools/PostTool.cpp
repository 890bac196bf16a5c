#include "PostTool.h"

#include "BrowserView.h"
#include "Endpoints.h"
#include "Fonts.h"
#include "LookupState.h"
#include "PageText.h"
#include "ResultBox.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <stdexcept>

PostTool::PostTool(QWidget *panel, ToolContext &context) : QObject(panel), m_context(context)
{
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    panel->setAutoFillBackground(true);
    panel->setFont(Fonts::ui(9));

    m_label26 = new QLabel(
        QStringLiteral(
            "本功能可以查询邮政编码所在地，结果会很多。数据来自国家邮政局。显示的所有结果均在邮政编码范围之内。"),
        panel);
    m_label26->setObjectName(QStringLiteral("Label26"));
    QPalette grey = m_label26->palette();
    grey.setColor(QPalette::WindowText, QColor(84, 84, 84));
    m_label26->setPalette(grey);
    m_label26->move(Twips::rect(240, 360, 0, 0).topLeft());
    m_label26->adjustSize();

    m_label28 = new QLabel(QStringLiteral("邮政编码："), panel);
    m_label28->setObjectName(QStringLiteral("Label28"));
    m_label28->setFont(Fonts::ui(10.5, true));
    m_label28->move(Twips::rect(120, 900, 0, 0).topLeft());
    m_label28->adjustSize();

    m_txtPost = new QLineEdit(panel);
    m_txtPost->setObjectName(QStringLiteral("txtPost"));
    m_txtPost->setGeometry(Twips::rect(1200, 840, 5655, 375));

    m_cmdPost = new QPushButton(QStringLiteral("查询"), panel);
    m_cmdPost->setObjectName(QStringLiteral("cmdPost"));
    m_cmdPost->setGeometry(Twips::rect(6840, 840, 1095, 375));

    m_txtPostJG = new ResultBox(panel);
    m_txtPostJG->setObjectName(QStringLiteral("txtPostJG"));
    m_txtPostJG->setGeometry(Twips::rect(120, 1320, 9015, 4935));
    m_txtPostJG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // Too small to show the page: the page is only read.
    if (m_context.browsers) {
        m_webPost = m_context.browsers->create(panel, Twips::rect(3240, 3120, 255, 375));
        m_webPost->setObjectName(QStringLiteral("WebPost"));
        connect(m_webPost, &BrowserView::documentComplete, this, &PostTool::WebPost_DocumentComplete);
    }

    connect(m_cmdPost, &QPushButton::clicked, this, &PostTool::cmdPost_Click);
}

void PostTool::cmdPost_Click()
{
    // No input check and nothing disabled: a second click starts a second
    // navigation and the first completion to arrive is taken.
    m_context.state.PostPending = true;
    m_txtPostJG->setText(SearchingText);
    if (m_webPost)
        m_webPost->Navigate(Endpoints::postCode(m_txtPost->text()));
}

void PostTool::WebPost_DocumentComplete()
{
    if (!m_context.state.PostPending)
        return;
    m_context.state.PostPending = false;
    // The page text comes back later; the rest of the steps run when it does.
    QPointer<PostTool> self(this);
    m_webPost->bodyText([self](std::optional<QString> text) {
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
        state.CutStart = Pos16(FindTextPos(typed, state.PageText)) + 9;
        state.CutEnd = Pos16(FindTextPos(PostTool::EndMarker, state.PageText)) - 21;
        return Cut(state.PageText, state.CutStart, state.CutEnd);
    } catch (const std::exception &) {
        return PostTool::ErrorText;
    }
}
