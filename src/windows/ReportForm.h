#pragma once

#include "MessageBoxes.h"
#include "ReportSubmission.h"

#include <QString>
#include <Qt>

#include <array>
#include <variant>

// The report window's checks of its form before a report goes out, without
// the window: the fields as the window holds them in, the report to send or
// the box that refuses it out.
//
//     const ReportForm::Checked checked = ReportForm::check(fields);
//     if (checked.address != text2->text())
//         text2->setText(checked.address); // the scheme stays, refused or not
//     if (const auto *refusal = std::get_if<ReportForm::Refusal>(&checked.outcome))
//         boxes.show(refusal->icon, refusal->title, refusal->text, window);
//     else
//         submission.send(std::get<ReportSubmission::Report>(checked.outcome));
namespace ReportForm {

inline constexpr int CategoryCount = 12;

// The form as the user left it.
struct Fields {
    QString name;    // the site's name
    QString address; // the site's address, as typed
    QString reason;  // line breaks as CR LF, as the form sends it
    QString email;
    QString code;    // the captcha code
    // The category boxes 0 to 11; only a ticked box counts, a greyed one does not.
    std::array<Qt::CheckState, CategoryCount> categories{};
};

// The message box that turns a report down.
struct Refusal {
    MessageBoxes::Icon icon = MessageBoxes::Icon::None;
    QString title;
    QString text;
};

struct Checked {
    // What the address field holds after the checks: "http://" goes in front
    // of an address of at least 8 characters that does not begin with it
    // exactly, and stays there when a later check refuses the report.
    QString address;
    std::variant<ReportSubmission::Report, Refusal> outcome;
};

// The first check that fails refuses the report: the name, the address's
// length, a ticked category, the reason's length, the e-mail's length, the
// captcha code's length, in this order. Lengths count characters; nothing
// else of the contents is checked.
Checked check(const Fields &fields);

} // namespace ReportForm
