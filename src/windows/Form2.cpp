#include "Form2.h"

#include "Endpoints.h"
#include "Fonts.h"
#include "LabelsUnderControls.h"
#include "PageFetcher.h"
#include "PanelControls.h"
#include "ProgramWindowActivation.h"
#include "RunRandom.h"
#include "ScreenPlace.h"
#include "Twips.h"
#include "UsageLine.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

using PanelControls::caption;
using PanelControls::textColour;

// A label that wraps its text within its design box.
QLabel *wrapped(QWidget *parent, const char *name, const QRect &place, const QString &text)
{
    QLabel *made = PanelControls::label(parent, name, place, text);
    made->setWordWrap(true);
    return made;
}

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

} // namespace

Form2::Form2(PageFetcher &fetcher, RunRandom &random, QWidget *parent)
    : FrameClosedDialog(parent), m_fetcher(fetcher), m_random(random)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("增值服务页面"));
    // Fixed single border: minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(Twips::toPixels(8250), Twips::toPixels(6705));
    setFont(Fonts::ui(9));
    setWindowIcon(QApplication::windowIcon());

    caption(this, "Label2", Twips::rect(2760, 120, 2400, 330), QStringLiteral("Orvalent增值服务"), Fonts::ui(12, true));
    wrapped(this, "Label1", Twips::rect(120, 600, 7980, 855),
          QStringLiteral("    我们提供以下几种增值服务，人工服务，需要收取一定费用。由于此类难以有特殊的方法来鉴别，"
                         "所以我们从5.4版本开始推出增值服务，主要查询个人的手机、QQ、淘宝等进行人工鉴定。性质类似于防骗"
                         "数据库。本软件经过6年努力已经收集到数十万诈骗手机、QQ、淘宝信息。"));
    m_label10 = textColour(
        caption(this, "Label10", Twips::rect(120, 1440, 2220, 255), QStringLiteral("上周有 位网友使用增值服务")), Red);

    struct Service {
        const char *name;
        const char *text;
        QRect place;
        const char *detailName;
        const char *detail;
        QRect detailPlace;
    };
    const Service services[] = {
        {"Label3(0)", "一、QQ号安全鉴定。5元/次", Twips::rect(120, 1680, 2670, 285), "Label4",
         "工作人员通过调出QQ近期记录及主要活动判断是否为骗子。", Twips::rect(480, 2040, 4800, 255)},
        {"Label3(1)", "二、手机号安全鉴定。5元/次", Twips::rect(120, 2400, 2760, 285), "Label5",
         "工作人员通过调出手机号近期记录及主要活动判断是否为骗子。", Twips::rect(480, 2760, 5040, 255)},
        {"Label3(2)", "三、淘宝安全鉴定。5元/次", Twips::rect(120, 3120, 2550, 285), "Label6",
         "工作人员通过调查淘宝店铺后台来判断是否位骗子。", Twips::rect(480, 3480, 4140, 255)},
        {"Label3(3)", "四、自由鉴定。10元起", Twips::rect(120, 3840, 2160, 285), "Label7",
         "提供自由的防骗服务，适合于有个别需要的人员。", Twips::rect(480, 4200, 3960, 255)},
    };
    for (const Service &s : services) {
        textColour(caption(this, s.name, s.place, QString::fromUtf8(s.text), Fonts::ui(10.5, true)), Red);
        caption(this, s.detailName, s.detailPlace, QString::fromUtf8(s.detail));
    }
    wrapped(this, "Label8", Twips::rect(240, 4680, 7455, 1095),
          QStringLiteral("    如需鉴定，请通过即时通讯号码 800055055 或电子邮件 service@zavoz-soft.cn 联系工作人员，"
                         "把要鉴定的QQ号、手机号或淘宝店铺地址告诉工作人员，付款后即开始鉴定，鉴定结果会尽快告知您。"
                         "工作人员在线时间：每天 9:00—22:00。"));
    wrapped(this, "Label9", Twips::rect(240, 5760, 7455, 495),
          QStringLiteral("    付款方式：通过即时通讯软件的支付页面用Q币支付到收款账号 800055055，"
                         "付款后工作人员会把鉴定结果发送给您。"));
    textColour(caption(this, "Label11", Twips::rect(360, 6360, 4620, 285),
                       QStringLiteral("增值服务详细使用方法请查阅使用说明书.pdf文件"), Fonts::ui(10.5, true)),
               Blue);

    m_command1 = new QPushButton(QStringLiteral("关闭页面"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(Twips::rect(6360, 6240, 1815, 375));
    connect(m_command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    LabelsUnderControls(this);

    CentreOnScreen(this);
    auto *activation = new ProgramWindowActivation(this);
    connect(activation, &ProgramWindowActivation::activated, this, &Form2::Form_Activate);
}

void Form2::Form_Activate()
{
    const QString pageText = m_fetcher.fetchPageText(Endpoints::usageFigure());
    const QString figure = UsageLine::figureText(pageText);
    const double r = m_random.next();
    m_label10->setText(UsageLine::text(UsageLine::number(r, UsageLine::readFigure(figure))));
    m_label10->adjustSize();
}

void Form2::Command1_Click()
{
    close();
}
