#pragma once

#include <QtGlobal>

// The result codes of the trust-verification service, as signed 32-bit
// values. Our own Authenticode check answers with these so the verdict table
// reads the same as on the old platform.
namespace TrustResult
{
constexpr qint32 code(quint32 value)
{
    return static_cast<qint32>(value);
}
constexpr qint32 Valid = 0;
constexpr qint32 SubjectFormUnknown = code(0x800B0003); // TRUST_E_SUBJECT_FORM_UNKNOWN
constexpr qint32 SubjectNotTrusted = code(0x800B0004);  // TRUST_E_SUBJECT_NOT_TRUSTED
constexpr qint32 NoSignature = code(0x800B0100);        // TRUST_E_NOSIGNATURE
constexpr qint32 Expired = code(0x800B0101);            // CERT_E_EXPIRED
constexpr qint32 UntrustedRoot = code(0x800B0109);      // CERT_E_UNTRUSTEDROOT
constexpr qint32 Chaining = code(0x800B010A);           // CERT_E_CHAINING
constexpr qint32 WrongUsage = code(0x800B0110);         // CERT_E_WRONG_USAGE
constexpr qint32 ExplicitDistrust = code(0x800B0111);   // TRUST_E_EXPLICIT_DISTRUST
constexpr qint32 CertSignature = code(0x80096004);      // TRUST_E_CERT_SIGNATURE
constexpr qint32 BadDigest = code(0x80096010);          // TRUST_E_BAD_DIGEST
constexpr qint32 BasicConstraints = code(0x80096019);   // TRUST_E_BASIC_CONSTRAINTS
constexpr qint32 SecuritySettings = code(0x80092026);   // CRYPT_E_SECURITY_SETTINGS
constexpr qint32 BadAlgorithm = code(0x80090008);       // NTE_BAD_ALGID
} // namespace TrustResult
