#include "OutsidePageItems.h"

#include "Endpoints.h"
#include "MessageBoxes.h"
#include "ShellOpen.h"

#include <QFileInfo>

OutsidePageItems::OutsidePageItems(ShellOpen &shell, MessageBoxes &boxes, const ProgramFolder &folder,
                                   QWidget *owner)
    : m_shell(shell), m_boxes(boxes), m_folder(folder), m_owner(owner)
{
}

void OutsidePageItems::frmICP_Click()
{
    m_boxes.show(MessageBoxes::Icon::Information, QStringLiteral("提示"),
                 QStringLiteral("本功能由于相关政府部门网站不能做成接口形式，只能用户手动查询，前往网站后按提示操作即可！"),
                 m_owner);
    m_shell.open(Endpoints::icpRecordPage());
}

void OutsidePageItems::frmGongShang_Click()
{
    m_boxes.show(MessageBoxes::Icon::Information, QStringLiteral("提示"),
                 QStringLiteral("本功能由于全国分局很多，且经常变动，所以用户需手动查询，大部分省市企业信用在工商局网站，"
                                "部分企业信用网站是单独的（如北京），用户可以在百度上搜索到各省市的相关部门进行查询。"),
                 m_owner);
    m_shell.open(Endpoints::businessRegistrationSearch());
}

void OutsidePageItems::frmShui_Click()
{
    m_shell.open(Endpoints::taxInvoicePage());
}

void OutsidePageItems::frmTB_Click()
{
    const QString tool = m_folder.path(QStringLiteral("\\Tessaview.exe"));
    const QFileInfo info(tool);
    // An ordinary file only; a tool that is there but does not start is as
    // good as lost, and the user hears the same.
    if (info.isFile() && !info.isHidden() && m_shell.start(tool))
        return;
    m_boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("找不到工具"),
                 QStringLiteral("该工具丢失或损坏，请重新下载Orvalent！"), m_owner);
}

void OutsidePageItems::mnuHelp_Click()
{
    const QString manual = m_folder.path(QStringLiteral("\\使用说明书.pdf"));
    if (!QFileInfo::exists(manual))
        m_boxes.show(MessageBoxes::Icon::Critical, QStringLiteral("错误"),
                     QStringLiteral("您好！找不到帮助文件，您可能是盗版软件受害者，建议您重新从指定下载点下载本程序！"),
                     m_owner);
    // Opened in either case: a missing manual simply opens nothing.
    m_shell.open(manual);
}

void OutsidePageItems::mnuLX_Click()
{
    m_boxes.show(MessageBoxes::Icon::Information, QStringLiteral("联系方式"),
                 QStringLiteral("客服QQ：800065321\n客服Email：") + Endpoints::SupportEmail, m_owner);
}
