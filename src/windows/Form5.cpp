#include "Form5.h"

#include "Fonts.h"
#include "LabelsUnderControls.h"
#include "PanelControls.h"
#include "ProgramVersion.h"
#include "ScreenPlace.h"
#include "Twips.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QStyle>

using PanelControls::caption;

const QStringList &Form5::ComponentNames()
{
    static const QStringList names = {
        QStringLiteral("Orvalent"),           QStringLiteral("Orvandll动态链接库"), QStringLiteral("OrvalentActiveX控件"),
        QStringLiteral("Orvalent核心组件"),   QStringLiteral("手机归属查询组件"),   QStringLiteral("IP地址查询组件"),
        QStringLiteral("身份证查询组件"),     QStringLiteral("域名信息查询组件"),   QStringLiteral("文件安全检查组件"),
        QStringLiteral("主机地址查询组件"),   QStringLiteral("网站流行查询组件"),   QStringLiteral("网站主机数量查询"),
        QStringLiteral("ICP证书查询组件"),    QStringLiteral("工商查询组件"),       QStringLiteral("Email和Tel查询组件"),
        QStringLiteral("网址安全组件"),       QStringLiteral("淘宝信用查询"),       QStringLiteral("XMLHTTP组件"),
        QStringLiteral("在线升级组件"),       QStringLiteral("错误解决方案查询组件"), QStringLiteral("恶意网站举报组件"),
    };
    return names;
}

Form5::Form5(QWidget *parent) : FrameClosedDialog(parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("关于"));
    // A fixed single border whose only button is the close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(Twips::toPixels(7230), Twips::toPixels(4785));
    setFont(Fonts::ui(9));
    setWindowIcon(QApplication::windowIcon());

    caption(this, "Label7", Twips::rect(120, 360, 900, 255), QStringLiteral("产品图标："));
    auto *icon = new QLabel(this);
    icon->setTextFormat(Qt::PlainText);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setGeometry(Twips::rect(1080, 240, 480, 480));
    const QIcon programIcon = QApplication::windowIcon().isNull()
                                  ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                  : QApplication::windowIcon();
    icon->setPixmap(programIcon.pixmap(32, 32));
    caption(this, "Label1", Twips::rect(1800, 360, 1980, 255), QStringLiteral("产品名称：Orvalent"));
    m_label2 = caption(this, "Label2", Twips::rect(3960, 360, 1260, 255), QStringLiteral("产品版本："));
    caption(this, "Label3", Twips::rect(120, 720, 3675, 255), QStringLiteral("版权所有 © Zavoz Software 工作室，保留一切权利。"));
    caption(this, "Label10", Twips::rect(4080, 960, 2880, 255), QStringLiteral("开发：Zavoz Software 开发组"));
    caption(this, "Label5", Twips::rect(120, 1080, 1260, 255), QStringLiteral("已安装的组件："));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(Twips::rect(120, 1440, 6975, 2355));
    QLabel *warning = PanelControls::label(
        this, "Label6", Twips::rect(120, 3840, 6975, 855),
        QStringLiteral("警告：本程序受著作权法和国际条约保护。未经授权，任何单位和个人不得出售、"
                       "修改、复制、传播本程序或其任何部分，不得对本程序进行反向工程、反编译或"
                       "反汇编，违者将依法追究其法律责任。"),
        Fonts::ui(9, true));
    warning->setWordWrap(true);
    PanelControls::textColour(warning, QColor(255, 0, 0));

    LabelsUnderControls(this);
    Form_Load();
    CentreOnScreen(this);
}

void Form5::Form_Load()
{
    for (const QString &name : ComponentNames())
        m_list->addItem(name + ProgramVersion);
    m_label2->setText(QStringLiteral("产品版本：") + ProgramVersion);
    m_label2->adjustSize();
}
