#include "VerifyFileSignature.h"

#include "TrustResult.h"

namespace
{
constexpr Rgb Green{0, 128, 0};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Olive{128, 128, 0};
} // namespace

Verdict VerdictForResult(qint32 result)
{
    switch (result) {
    case TrustResult::Valid: return {QStringLiteral("该文件已经包含合法的数字签名，发布者已通过验证！"), Green};
    case TrustResult::NoSignature: return {QStringLiteral("您选择的文件没有数字签名，发布者未通过验证！"), Red};
    case TrustResult::ExplicitDistrust:
        return {QStringLiteral("该文件包含数字签名，但可能已失效，通常是签名过期或签名已无效！"), Olive};
    case TrustResult::SecuritySettings:
        return {QStringLiteral("不能验证该文件数字签名状态，可能损坏，文件未通过验证"), Red};
    case TrustResult::SubjectNotTrusted: return {QStringLiteral("该文件包含数字签名，但是无效！"), Red};
    default:
        return {QStringLiteral("该文件有数字签名！发布者未通过验证，证书颁发机构未通过验证，请小心谨慎运行！"), Olive};
    }
}

Verdict VerifyFileSignature(const QString &path, const TrustAnchors &anchors, const BetweenChunks &betweenChunks)
{
    return VerdictForResult(CheckAuthenticode(path, anchors, betweenChunks));
}
