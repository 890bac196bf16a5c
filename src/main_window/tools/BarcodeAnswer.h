#pragma once

#include <QString>

struct LookupState;

// How the barcode registry's answer page is read into the result box. Every
// step that fails is skipped and the next one runs on what the box holds.
namespace BarcodeAnswer {

// The registry knows no company under the prefix that was sent.
inline const QString NotListedMarker = QStringLiteral("没有符合条件的记录");
// The registry's two complaints about the prefix.
inline const QString WrongPrefixMarker = QStringLiteral("请输入正确的8位厂商识别代码");
inline const QString TooShortMarker = QStringLiteral("条码位数太少");
// Ends the company's row.
inline const QString RowEndMarker = QStringLiteral("查看");
// The element whose rendered text is the company's credit rating.
inline const QString CreditElement = QStringLiteral("AllSearchList_ctl01_Label1");

inline const QString NotListedText = QStringLiteral("您查询的条形码未收录！");
inline const QString WrongPrefixText = QStringLiteral("请输入正确的前7位或前8位条形码！");
inline const QString CompanyLabel = QStringLiteral("公司名称：");
inline const QString CreditLabel = QStringLiteral("企业信用：");

// The result box's text after the registry's two complaints: either one
// replaces shown, what the box held before; else shown stays.
QString complaintText(const QString &pageText, const QString &shown);

// The result box's text after the company steps on a page that is not the
// "no record" page: the complaint texts first, then "公司名称：" and the cut
// from behind the manufacturer prefix (first 7 characters of code, + 8; on
// the short retry first 6, + 7) to "查看", every blank removed. shown is what
// the box holds before. Writes CutStart and CutEnd where the positions fit.
QString companyText(const QString &pageText, const QString &code, bool shortRetry, const QString &shown,
                    LookupState &state);

// The box's text with the credit rating: every occurrence of credit taken
// out of shown, then a line "企业信用：" + credit behind it.
QString withCredit(const QString &shown, const QString &credit);

} // namespace BarcodeAnswer
