#include "TelephoneTool.h"

#include "BrowserView.h"
#include "BrowserViewMaker.h"
#include "Endpoints.h"
#include "FixedLineAnswer.h"
#include "LookupState.h"
#include "MessageBoxes.h"
#include "NumberRangeSearch.h"
#include "PanelControls.h"
#include "ResultBox.h"
#include "ShellOpen.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QPushButton>

#include <exception>

namespace
{

// The two headings stand out in dark red.
const QColor HeadingRed(192, 0, 0);

} // namespace

const QString TelephoneTool::EmailHelpText = QStringLiteral(
    "1、Outlook：在邮件上点击右键，选择属性，选择“常规资料”中的Received from xx.xx.xx.xx或者X-Originating-IP "
    "xx.xx.xx.xx就是对方的IP地址。            2、Foxmail：按“Ctrl+I”组合键，查看邮件的“原始信息”，其中Received "
    "from xx.xx.xx.xx或者X-Originating-IP xx.xx.xx.xx就是对方的IP地址。               "
    "3、Web页面虚拟信箱：选择邮件后点击“高级动作”中的“查看信头”或者点击“原文”、或者点击“邮件头信息”其中Received "
    "from xx.xx.xx.xx或者X-originating-IP xx.xx.xx.xx就是对方的IP地址。");

TelephoneTool::TelephoneTool(QWidget *panel, ToolContext &context) : QObject(panel), m_context(context)
{
    using namespace PanelControls;
    whitePanel(panel);
    panel->setFont(Fonts::ui(9));

    m_lblTelJS =
        introduction(panel, "lblTelJS", Twips::rect(2160, 960, 5175, 735),
                     QStringLiteral("    本功能可以指导您通过对方固定电话查询对方所在地的具体位置（大概是街道区域），"
                                    "标志性建筑等信息。本功能由Orvalent云数据中心提供。"));

    // Fixed-line lookup, left column.
    m_Label15 = textColour(
        caption(panel, "Label15", Twips::rect(1920, 1800, 0, 0), QStringLiteral("数据库式查询："), Fonts::ui(9, true)),
        HeadingRed);
    m_lblTel_0 =
        label(panel, "lblTel(0)", Twips::rect(1920, 2220, 630, 285), QStringLiteral("电话："), Fonts::ui(10.5, true));
    m_txtTel = inputBox(panel, "txtTel", Twips::rect(2520, 2160, 1815, 375));
    m_txtTel->setMaxLength(13);
    m_cmdTelChaXun = button(panel, "cmdTelChaXun", Twips::rect(4320, 2160, 615, 375), QStringLiteral("查询"));
    m_txtTelWZ = resultBox(panel, "txtTelWZ", Twips::rect(1800, 2760, 3135, 3015), true, QString());
    {
        QPalette colours = m_txtTelWZ->palette();
        colours.setColor(QPalette::Text, Blue);
        m_txtTelWZ->setPalette(colours);
    }

    // Number-range search, right column.
    m_Label16 = textColour(
        caption(panel, "Label16", Twips::rect(5160, 1800, 0, 0), QStringLiteral("范围式查询："), Fonts::ui(9, true)),
        HeadingRed);
    m_Label17 =
        introduction(panel, "Label17", Twips::rect(5160, 2160, 2415, 1935),
                     QStringLiteral("如果在左边数据库中无法查询您需要查询的电话号码所在地，您还可以尝试使用范围式"
                                    "查询，因为同号段电话号码位置在同一地区，优点：范围大，结果全面。") +
                         QString(23, QLatin1Char(' ')) + QStringLiteral("格式：010-88888888"));
    m_lblTel_1 =
        label(panel, "lblTel(1)", Twips::rect(5160, 3960, 630, 285), QStringLiteral("电话："), Fonts::ui(10.5, true));
    m_Label19 = caption(panel, "Label19", Twips::rect(5160, 4320, 0, 0), QStringLiteral("区号"), Fonts::ui(9));
    m_Label20 = caption(panel, "Label20", Twips::rect(6240, 4320, 0, 0), QStringLiteral("电话号码"), Fonts::ui(9));
    m_Text2 = inputBox(panel, "Text2", Twips::rect(5160, 4680, 615, 375));
    m_Text2->setMaxLength(4);
    {
        QFont song(QStringLiteral("新宋体"));
        song.setPointSize(9);
        m_Label18 = label(panel, "Label18", Twips::rect(5760, 4800, 90, 180), QStringLiteral("-"), song);
    }
    m_Text3 = inputBox(panel, "Text3", Twips::rect(5880, 4680, 1335, 375));
    m_Text3->setMaxLength(8);
    m_Command5 = button(panel, "Command5", Twips::rect(7200, 4680, 855, 375), QStringLiteral("查询"));
    m_Command4 = button(panel, "Command4", Twips::rect(5040, 5160, 2535, 375), QStringLiteral("查询Email所在地"));

    // Ten pixels square: the page is only read, never seen.
    m_WebTel = makeBrowserView(m_context.browsers, panel, Twips::rect(6240, 5280, 150, 150), QStringLiteral("WebTel"));
    if (m_WebTel)
        connect(m_WebTel, &BrowserView::documentComplete, this, &TelephoneTool::WebTel_DocumentComplete);

    connect(m_cmdTelChaXun, &QPushButton::clicked, this, &TelephoneTool::cmdTelChaXun_Click);
    connect(m_Command4, &QPushButton::clicked, this, &TelephoneTool::Command4_Click);
    connect(m_Command5, &QPushButton::clicked, this, &TelephoneTool::Command5_Click);
}

QColor TelephoneTool::txtTelWZColour() const
{
    return m_txtTelWZ->palette().color(QPalette::Text);
}

void TelephoneTool::setTelephoneControlsEnabled(bool enabled)
{
    m_cmdTelChaXun->setEnabled(enabled);
    m_txtTelWZ->setEnabled(enabled);
    m_txtTel->setEnabled(enabled);
}

void TelephoneTool::setResult(const QColor &colour, const QString &text)
{
    // One colour for every state of the box, so the disabled box shows the
    // progress text in blue as well.
    QPalette colours = m_txtTelWZ->palette();
    colours.setColor(QPalette::Text, colour);
    m_txtTelWZ->setPalette(colours);
    m_txtTelWZ->setText(text);
}

void TelephoneTool::cmdTelChaXun_Click()
{
    const QString number = m_txtTel->text();
    // Only the length is checked: a dash or a blank goes out as typed.
    if (number.size() < 11) {
        m_context.boxes.show(MessageBoxes::Icon::Critical, ErrorTitle, ShortNumberText, m_context.window);
        m_txtTel->setText(QString());
        return;
    }
    setResult(Blue, CheckingText);
    m_cmdTelChaXun->setEnabled(false);
    m_txtTelWZ->setEnabled(false);
    m_txtTel->setEnabled(false);
    m_context.state.TelPending = true;
    m_txtTelWZ->setText(ConnectingText);
    if (!m_WebTel) {
        // No browser to load the page in: the lookup cannot finish, so it
        // fails here rather than leaving the controls disabled for good.
        m_context.state.TelPending = false;
        failLookup();
        return;
    }
    // The controls stay disabled until the page is complete and read.
    m_WebTel->Navigate(Endpoints::telephoneArea(number));
}

void TelephoneTool::WebTel_DocumentComplete()
{
    // Only the first completion after the query counts, whichever frame it is.
    if (!m_context.state.TelPending)
        return;
    m_context.state.TelPending = false;
    QPointer<TelephoneTool> self(this);
    QPointer<BrowserView> view(m_WebTel);
    m_WebTel->bodyText([self, view](std::optional<QString> text) {
        // The page has given what the lookup needs: it stops until the next one.
        if (view)
            view->holdPage();
        if (self)
            self->readPage(text);
    });
}

void TelephoneTool::readPage(const std::optional<QString> &pageText)
{
    if (!pageText) {
        // The document's text could not be read.
        failLookup();
        return;
    }
    try {
        m_context.state.PageText = *pageText;
        // Other tools may write PageText while the scans yield: the scans and
        // the cut keep to the text read here.
        const QString page = *pageText;
        QPointer<TelephoneTool> self(this);
        const auto yieldTurn = [&self] {
            QCoreApplication::processEvents();
            return !self.isNull();
        };
        bool rateLimited = FixedLineAnswer::scanFor(FixedLineAnswer::TooFrequentMarker, page, yieldTurn);
        if (!self)
            return;
        if (!rateLimited)
            rateLimited = FixedLineAnswer::scanFor(FixedLineAnswer::TooManyMarker, page, yieldTurn);
        if (!self)
            return;
        if (rateLimited) {
            setResult(Red, RateLimitedText);
            setTelephoneControlsEnabled(true);
            return;
        }
        m_txtTelWZ->setText(FixedLineAnswer::locationCut(page, m_context.state));
        setTelephoneControlsEnabled(true);
    } catch (const std::exception &) {
        failLookup();
    }
}

void TelephoneTool::failLookup()
{
    setTelephoneControlsEnabled(true);
    setResult(Red, LookupErrorText);
    m_context.boxes.show(MessageBoxes::Icon::Critical, ErrorTitle, UnknownErrorText, m_context.window);
}

void TelephoneTool::Command4_Click()
{
    m_context.boxes.show(MessageBoxes::Icon::Information, EmailHelpTitle, EmailHelpText, m_context.window);
}

void TelephoneTool::Command5_Click()
{
    m_Command5->setEnabled(false);
    const NumberRangeSearch search = NumberRangeSearch::from(m_Text2->text(), m_Text3->text());
    switch (search.outcome) {
    case NumberRangeSearch::Outcome::Address:
        // Whether a browser opened it is not looked at.
        m_context.shell.open(search.address);
        break;
    case NumberRangeSearch::Outcome::NotWhole:
        m_context.boxes.show(MessageBoxes::Icon::Critical, ErrorTitle, NotWholeText, m_context.window);
        break;
    case NumberRangeSearch::Outcome::Failure:
        m_context.boxes.show(MessageBoxes::Icon::Critical, ErrorTitle, UnknownErrorText, m_context.window);
        break;
    }
    m_Command5->setEnabled(true);
}
