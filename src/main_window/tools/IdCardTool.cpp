#include "IdCardTool.h"

#include "Endpoints.h"
#include "Fonts.h"
#include "IdCardNumber.h"
#include "LookupState.h"
#include "MessageBoxes.h"
#include "PageFetcher.h"
#include "PageText.h"
#include "ProgramVersion.h"
#include "ToolContext.h"
#include "Twips.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

#include <exception>

namespace
{

// An auto-size bold label at its design corner.
QLabel *captionLabel(QWidget *panel, const char *name, const QString &text, const QRect &place)
{
    auto *label = new QLabel(text, panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(Fonts::ui(10.5, true));
    label->setGeometry(place);
    label->adjustSize();
    return label;
}

// Auto-size labels follow their text.
void setCaption(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
}

// One member of the Picture2 array: the 16 x 16 information icon with a hint.
QLabel *infoPicture(QWidget *panel, const char *name, const QString &tip, const QRect &place)
{
    auto *picture = new QLabel(panel);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(place);
    picture->setPixmap(panel->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
    picture->setScaledContents(true);
    picture->setToolTip(tip);
    return picture;
}

} // namespace

IdCardTool::IdCardTool(QWidget *panel, ToolContext &context) : QObject(panel), m_context(context)
{
    lblSFZJieShao = new QLabel(
        QStringLiteral("    本功能可以检验身份证的真实性，以及发证地点，身份证人的性别出生日期。本功能来自Orvalent"
                       "身份证验证模块及全国公民身份证号码查询服务中心。"),
        panel);
    lblSFZJieShao->setObjectName(QStringLiteral("lblSFZJieShao"));
    lblSFZJieShao->setGeometry(Twips::rect(1680, 480, 5340, 735));
    lblSFZJieShao->setWordWrap(true);
    lblSFZJieShao->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette grey = lblSFZJieShao->palette();
    grey.setColor(QPalette::WindowText, QColor(84, 84, 84));
    lblSFZJieShao->setPalette(grey);

    lblShuRuSFZ =
        captionLabel(panel, "lblShuRuSFZ", QStringLiteral("输入身份证："), Twips::rect(2040, 1320, 1260, 285));

    txtSFZ = new QLineEdit(panel);
    txtSFZ->setObjectName(QStringLiteral("txtSFZ"));
    txtSFZ->setGeometry(Twips::rect(3240, 1320, 2655, 375));

    cmdShenFenZhengChaXun = new QPushButton(QStringLiteral("查询"), panel);
    cmdShenFenZhengChaXun->setObjectName(QStringLiteral("cmdShenFenZhengChaXun"));
    cmdShenFenZhengChaXun->setGeometry(Twips::rect(5880, 1320, 975, 375));

    lblXingBie = captionLabel(panel, "lblXingBie", QStringLiteral("性别："), Twips::rect(2760, 1800, 630, 285));
    Picture2_4 = infoPicture(panel, "Picture2(4)", QStringLiteral("性别根据号码第15-17位得出。"),
                             Twips::rect(2520, 1830, 240, 240));
    lblChuSheng = captionLabel(panel, "lblChuSheng", QStringLiteral("出生日期："), Twips::rect(2760, 2160, 1050, 285));
    lblSFZSuoZai = captionLabel(panel, "lblSFZSuoZai", QStringLiteral("发证地："), Twips::rect(2760, 2520, 840, 285));

    // The verdict is always shown in red, passed or not.
    lblZW = captionLabel(panel, "lblZW", QStringLiteral("校验结果：未知"), Twips::rect(2760, 2880, 1470, 285));
    QPalette red = lblZW->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    lblZW->setPalette(red);
    Picture2_5 = infoPicture(panel, "Picture2(5)", QStringLiteral("校验结果为根据号码本地及联网鉴定得出结果。"),
                             Twips::rect(2520, 2900, 240, 240));

    connect(cmdShenFenZhengChaXun, &QPushButton::clicked, this, &IdCardTool::cmdShenFenZhengChaXun_Click);
}

void IdCardTool::cmdShenFenZhengChaXun_Click()
{
    try {
        check();
    } catch (const std::exception &) {
        // One trap for the whole click; the labels already written stay.
        m_context.boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"),
                             QStringLiteral("身份证查询失败！出现未知错误！"), m_context.window);
        cmdShenFenZhengChaXun->setEnabled(true);
        m_context.statusLine->setText(QStringLiteral("出现错误！"));
        txtSFZ->setEnabled(true);
    }
}

void IdCardTool::check()
{
    using namespace IdCardNumber;

    if (checkForm(txtSFZ->text()) == Form::Refused) {
        m_context.boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"), QStringLiteral("身份证号输入错误！"),
                             m_context.window);
        txtSFZ->setText(QString());
        return;
    }

    setCaption(lblXingBie, QStringLiteral("性别："));
    setCaption(lblChuSheng, QStringLiteral("出生日期："));
    setCaption(lblSFZSuoZai, QStringLiteral("发证地："));
    setCaption(lblZW, QStringLiteral("校验结果："));

    // Everything after this reads the box again and so sees the upper case.
    txtSFZ->setText(txtSFZ->text().toUpper());

    if (verdict(txtSFZ->text()) == Verdict::Failed) {
        setCaption(lblZW, QStringLiteral("校验结果：未通过校验"));
        return;
    }

    txtSFZ->setEnabled(false);
    cmdShenFenZhengChaXun->setEnabled(false);

    setCaption(lblXingBie, sexText(txtSFZ->text()));
    setCaption(lblChuSheng, birthDateText(txtSFZ->text()));

    LookupState &state = m_context.state;
    state.PageText = m_context.fetcher.fetchPageText(Endpoints::idCardLookup(txtSFZ->text()));

    if (FindTextPos(RejectionMarker, state.PageText) > 0) {
        cmdShenFenZhengChaXun->setEnabled(true);
        m_context.statusLine->setText(QString());
        txtSFZ->setEnabled(true);
        setCaption(lblZW, QStringLiteral("校验结果：未通过校验"));
        return;
    }

    setCaption(lblSFZSuoZai, QStringLiteral("发证地：") + issuingPlace(state.PageText, state));

    setCaption(lblZW, QStringLiteral("校验结果：通过校验"));
    cmdShenFenZhengChaXun->setEnabled(true);
    m_context.statusLine->setText(ProductTitle());
    txtSFZ->setEnabled(true);
}
