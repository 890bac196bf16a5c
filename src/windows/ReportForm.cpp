#include "ReportForm.h"

#include <algorithm>

namespace ReportForm {

namespace {

const QString Scheme = QStringLiteral("http://");

Refusal entryError(const QString &text)
{
    return {MessageBoxes::Icon::Critical, QStringLiteral("数据录入错误"), text};
}

} // namespace

Checked check(const Fields &fields)
{
    Checked checked{fields.address, Refusal{}};
    if (fields.name.size() < 1) {
        checked.outcome = entryError(QStringLiteral("请正确认真填写网站/网店的名称！"));
        return checked;
    }
    if (fields.address.size() < 8) {
        checked.outcome = entryError(QStringLiteral("请正确填写网站/网店的网址！"));
        return checked;
    }
    // Only the exact lower-case scheme is recognised: an address that begins
    // with "https://" or "HTTP://" gets "http://" in front all the same.
    if (!fields.address.startsWith(Scheme))
        checked.address = Scheme + fields.address;
    if (std::none_of(fields.categories.begin(), fields.categories.end(),
                     [](Qt::CheckState state) { return state == Qt::Checked; })) {
        checked.outcome = entryError(QStringLiteral("请选择举报类别！"));
        return checked;
    }
    if (fields.reason.size() < 10) {
        checked.outcome = Refusal{MessageBoxes::Icon::Exclamation, QStringLiteral("理由填写不正确"),
                                  QStringLiteral("请认真填写举报理由以便快速处理！")};
        return checked;
    }
    if (fields.email.size() < 6) {
        checked.outcome = entryError(QStringLiteral("请正确填写邮箱，以便发送反馈结果！"));
        return checked;
    }
    if (fields.code.size() != 4) {
        checked.outcome = entryError(QStringLiteral("请正确填写验证码！"));
        return checked;
    }

    ReportSubmission::Report report{fields.name, checked.address, fields.reason, fields.email, fields.code, {}};
    for (int i = 0; i < CategoryCount; ++i) {
        if (fields.categories[i] == Qt::Checked)
            report.categories.append(i);
    }
    checked.outcome = report;
    return checked;
}

} // namespace ReportForm
