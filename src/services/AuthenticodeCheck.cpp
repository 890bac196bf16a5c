#include "AuthenticodeCheck.h"

#include "FileReader.h"
#include "TrustResult.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>

#include <openssl/asn1.h>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/pkcs7.h>
#include <openssl/ts.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace
{

// Owning pointers for the OpenSSL objects of one check.
template <typename T, void (*Free)(T *)> struct Deleter {
    void operator()(T *object) const { Free(object); }
};
template <typename T, void (*Free)(T *)> using Owned = std::unique_ptr<T, Deleter<T, Free>>;

void freeBio(BIO *bio)
{
    BIO_free(bio);
}
void freeSignerStack(STACK_OF(X509) * stack)
{
    sk_X509_free(stack); // the certificates belong to the PKCS#7 object
}
void freeEku(EXTENDED_KEY_USAGE *eku)
{
    sk_ASN1_OBJECT_pop_free(eku, ASN1_OBJECT_free);
}

using Pkcs7Ptr = Owned<PKCS7, PKCS7_free>;
using BioPtr = Owned<BIO, freeBio>;
using StorePtr = Owned<X509_STORE, X509_STORE_free>;
using StoreContextPtr = Owned<X509_STORE_CTX, X509_STORE_CTX_free>;
using DigestContextPtr = Owned<EVP_MD_CTX, EVP_MD_CTX_free>;
using SigPtr = Owned<X509_SIG, X509_SIG_free>;
using ObjectPtr = Owned<ASN1_OBJECT, ASN1_OBJECT_free>;
using SignerStackPtr = Owned<STACK_OF(X509), freeSignerStack>;
using TsVerifyPtr = Owned<TS_VERIFY_CTX, TS_VERIFY_CTX_free>;
using TstInfoPtr = Owned<TS_TST_INFO, TS_TST_INFO_free>;
using EkuPtr = Owned<EXTENDED_KEY_USAGE, freeEku>;
using SignerInfoPtr = Owned<PKCS7_SIGNER_INFO, PKCS7_SIGNER_INFO_free>;

void freeDer(unsigned char *der)
{
    OPENSSL_free(der);
}
using DerPtr = Owned<unsigned char, freeDer>;

constexpr const char *SpcIndirectDataOid = "1.3.6.1.4.1.311.2.1.4";
constexpr const char *Rfc3161TimestampOid = "1.3.6.1.4.1.311.3.3.1";
constexpr const char *LifetimeSigningOid = "1.3.6.1.4.1.311.10.3.13";

// A certificate table larger than this is malformed: real signatures, with
// their chains, timestamps and nested signatures, stay far below it, and the
// table is read into memory whole.
constexpr qint64 MaxTableSize = qint64(16) << 20;
// The image digest reads the file in chunks of this size, as the file digest does.
constexpr qint64 ChunkSize = 32768;

quint16 u16(const unsigned char *data)
{
    return quint16(data[0] | (data[1] << 8));
}
quint32 u32(const unsigned char *data)
{
    return quint32(data[0]) | (quint32(data[1]) << 8) | (quint32(data[2]) << 16) | (quint32(data[3]) << 24);
}

// Where the PE headers put the parts the image digest skips.
struct PeLayout {
    qint64 checksum = 0;      // 4 bytes
    qint64 securityEntry = 0; // 8 bytes: file offset and size of the certificate table
    qint64 tableOffset = 0;
    qint64 tableSize = 0;
};

// Reads the headers. Returns the result code when the file cannot carry a
// signature, nothing when the layout is usable. A file that is not a PE
// image (empty, a document, a picture, a Linux program) has no signature at
// all, so it gets the same code as an unsigned image. Every read is bounded:
// the headers are read at the offsets they name, a few bytes at a time.
std::optional<qint32> readLayout(FileReader &file, PeLayout &layout)
{
    const qint64 size = file.size();
    unsigned char dos[64];
    if (size < qint64(sizeof dos))
        return TrustResult::NoSignature;
    if (file.readExactlyAt(0, dos, sizeof dos) != FileReader::Status::Done)
        return TrustResult::NoSignature; // unreadable, or shorter than it was a moment ago
    if (dos[0] != 'M' || dos[1] != 'Z')
        return TrustResult::NoSignature;
    const qint64 pe = u32(dos + 0x3C);
    // From the PE signature to the end of the PE32+ security entry.
    unsigned char headers[176] = {};
    if (pe > size || size - pe < 26)
        return TrustResult::NoSignature;
    const qint64 present = std::min<qint64>(sizeof headers, size - pe);
    if (file.readExactlyAt(pe, headers, present) != FileReader::Status::Done)
        return TrustResult::NoSignature;
    if (std::memcmp(headers, "PE\0\0", 4) != 0)
        return TrustResult::NoSignature;
    const quint16 magic = u16(headers + 24);
    qint64 rvaCount = 0;
    qint64 securityEntry = 0; // both relative to the PE signature
    if (magic == 0x10B) {
        rvaCount = 116;
        securityEntry = 152;
    } else if (magic == 0x20B) {
        rvaCount = 132;
        securityEntry = 168;
    } else {
        return TrustResult::NoSignature;
    }
    if (rvaCount + 4 > present)
        return TrustResult::NoSignature;
    if (u32(headers + rvaCount) < 5 || securityEntry + 8 > present)
        return TrustResult::NoSignature;
    layout.checksum = pe + 88;
    layout.securityEntry = pe + securityEntry;
    layout.tableOffset = u32(headers + securityEntry);
    layout.tableSize = u32(headers + securityEntry + 4);
    if (layout.tableOffset == 0 || layout.tableSize == 0)
        return TrustResult::NoSignature;
    // A table outside the file, over the headers or larger than any real
    // signature is malformed. Bytes after the table are no reason to refuse
    // it: the image digest covers them, so they show as a bad digest.
    if (layout.tableSize > MaxTableSize || layout.tableOffset > size - layout.tableSize ||
        layout.tableOffset < layout.securityEntry + 8)
        return TrustResult::NoSignature;
    return std::nullopt;
}

// Bounds on the shape of a signature. An Authenticode signature has one
// signer and one digest algorithm; the other lists and the nesting come from
// the file, so each one is held to far more than a real signature uses (its
// chain, a timestamp with its own chain, a few nested signatures). Past them
// the signature is malformed: OpenSSL's signer check chains one digest per
// listed algorithm and verifies every signer, so a list of tens of
// thousands (any signed file can be re-wrapped so: those lists are not
// signed) costs minutes and ends in a stack overflow.
constexpr int MaxDepth = 64;       // constructed elements, one inside the other
constexpr int MaxElements = 65536; // elements in the whole signature
constexpr int MaxCertificates = 64;
constexpr int MaxCrls = 8;
constexpr int MaxAttributes = 32;      // per signer, signed and unsigned each
constexpr int MaxAttributeValues = 16; // nested signatures included
constexpr int MaxAttributeSize = 256 << 10;

// Is this the DER (or BER) of one element, with its nesting and its count of
// elements within the bounds? Runs before OpenSSL decodes it, so a crafted
// depth or a list of millions of tiny elements is refused before it costs
// any memory; walks without recursion and stops at the first bound passed.
bool withinNesting(const unsigned char *der, qint64 size)
{
    // An open constructed element: where it ends (for an indefinite length,
    // where its nearest definite parent ends).
    struct Open {
        qint64 end;
        bool indefinite;
    };
    std::vector<Open> open;
    qint64 at = 0;
    int elements = 0;
    while (true) {
        // Close what ends here: definite lengths at their end, indefinite
        // ones at their end-of-contents octets.
        while (!open.empty()) {
            if (open.back().indefinite) {
                if (at + 2 > open.back().end || der[at] != 0 || der[at + 1] != 0)
                    break;
                at += 2;
            } else if (open.back().end != at) {
                break;
            }
            open.pop_back();
        }
        if (open.empty() && elements > 0)
            return true; // the padding after the element is not looked at
        const qint64 limit = open.empty() ? size : open.back().end;
        if (++elements > MaxElements || at + 2 > limit)
            return false;
        const bool constructed = der[at] & 0x20;
        qint64 p = at + 1;
        if ((der[at] & 0x1F) == 0x1F) { // a high tag number: at most four more bytes
            const qint64 tagEnd = std::min(limit, p + 4);
            while (p < tagEnd && (der[p] & 0x80))
                ++p;
            if (++p > tagEnd)
                return false;
        }
        if (p >= limit)
            return false;
        const unsigned char first = der[p++];
        if (first == 0x80) {
            if (!constructed || int(open.size()) >= MaxDepth)
                return false;
            open.push_back({limit, true});
            at = p;
            continue;
        }
        qint64 length = first;
        if (first > 0x80) {
            const int count = first & 0x7F;
            if (count > 4 || count > limit - p)
                return false;
            length = 0;
            for (int i = 0; i < count; ++i)
                length = (length << 8) | der[p++];
        }
        if (length > limit - p)
            return false;
        if (constructed) {
            if (int(open.size()) >= MaxDepth)
                return false;
            open.push_back({p + length, false});
            at = p;
        } else {
            at = p + length;
        }
    }
}

bool attributesBounded(const STACK_OF(X509_ATTRIBUTE) * attributes)
{
    const int count = sk_X509_ATTRIBUTE_num(attributes);
    if (count > MaxAttributes)
        return false;
    for (int i = 0; i < count; ++i) {
        X509_ATTRIBUTE *attribute = sk_X509_ATTRIBUTE_value(attributes, i);
        if (X509_ATTRIBUTE_count(attribute) > MaxAttributeValues ||
            i2d_X509_ATTRIBUTE(attribute, nullptr) > MaxAttributeSize)
            return false;
    }
    return true;
}

// Does this SignedData have the shape of an Authenticode signature (or of
// the RFC 3161 token in one): one signer, one digest algorithm, and the
// lists that come from the file within their bounds?
bool authenticodeShape(const PKCS7 *p7)
{
    if (!p7 || !PKCS7_type_is_signed(p7) || !p7->d.sign)
        return false;
    const PKCS7_SIGNED *signedData = p7->d.sign;
    if (sk_X509_ALGOR_num(signedData->md_algs) != 1 || sk_PKCS7_SIGNER_INFO_num(signedData->signer_info) != 1 ||
        sk_X509_num(signedData->cert) > MaxCertificates || sk_X509_CRL_num(signedData->crl) > MaxCrls)
        return false;
    const PKCS7_SIGNER_INFO *signer = sk_PKCS7_SIGNER_INFO_value(signedData->signer_info, 0);
    return signer && attributesBounded(signer->auth_attr) && attributesBounded(signer->unauth_attr);
}

// The first WIN_CERTIFICATE of revision 2.0 and type PKCS#7 in the
// certificate table, decoded; none when it is malformed or its shape is past
// the bounds.
Pkcs7Ptr readSignature(const std::vector<unsigned char> &table)
{
    const qint64 end = static_cast<qint64>(table.size());
    qint64 offset = 0;
    while (offset + 8 <= end) {
        const unsigned char *entry = table.data() + offset;
        const qint64 length = u32(entry);
        if (length < 8 || length > end - offset)
            return nullptr;
        if (u16(entry + 4) == 0x0200 && u16(entry + 6) == 0x0002) {
            const unsigned char *der = entry + 8;
            if (!withinNesting(der, length - 8))
                return nullptr;
            Pkcs7Ptr p7(d2i_PKCS7(nullptr, &der, static_cast<long>(length - 8)));
            return authenticodeShape(p7.get()) ? std::move(p7) : nullptr;
        }
        offset += (length + 7) & ~qint64(7);
    }
    return nullptr;
}

// The SpcIndirectDataContent of the signature: its value octets (what the
// signer's message digest covers) and the image digest it carries.
struct IndirectData {
    const unsigned char *value = nullptr;
    long valueLength = 0;
    const EVP_MD *algorithm = nullptr;
    QByteArray imageDigest;
};

// Returns the result code on failure.
std::optional<qint32> readIndirectData(PKCS7 *p7, IndirectData &indirect)
{
    if (!PKCS7_type_is_signed(p7) || !p7->d.sign || !p7->d.sign->contents)
        return TrustResult::NoSignature;
    PKCS7 *inner = p7->d.sign->contents;
    ObjectPtr expected(OBJ_txt2obj(SpcIndirectDataOid, 1));
    if (!inner->type || OBJ_cmp(inner->type, expected.get()) != 0 || !inner->d.other ||
        inner->d.other->type != V_ASN1_SEQUENCE)
        return TrustResult::NoSignature;
    const ASN1_STRING *sequence = inner->d.other->value.sequence;
    const unsigned char *p = ASN1_STRING_get0_data(sequence);
    long length = 0;
    int tag = 0;
    int xclass = 0;
    if (ASN1_get_object(&p, &length, &tag, &xclass, ASN1_STRING_length(sequence)) & 0x80 || tag != V_ASN1_SEQUENCE)
        return TrustResult::NoSignature;
    indirect.value = p;
    indirect.valueLength = length;
    // First element: SpcAttributeTypeAndOptionalValue, skipped.
    const unsigned char *element = p;
    long elementLength = 0;
    if (ASN1_get_object(&element, &elementLength, &tag, &xclass, length) & 0x80)
        return TrustResult::NoSignature;
    element += elementLength;
    const long rest = length - static_cast<long>(element - p);
    if (rest <= 0)
        return TrustResult::NoSignature;
    // Second element: DigestInfo, the same shape as X509_SIG.
    SigPtr digestInfo(d2i_X509_SIG(nullptr, &element, rest));
    if (!digestInfo)
        return TrustResult::NoSignature;
    const X509_ALGOR *algorithm = nullptr;
    const ASN1_OCTET_STRING *digest = nullptr;
    X509_SIG_get0(digestInfo.get(), &algorithm, &digest);
    const ASN1_OBJECT *algorithmObject = nullptr;
    X509_ALGOR_get0(&algorithmObject, nullptr, nullptr, algorithm);
    indirect.algorithm = EVP_get_digestbynid(OBJ_obj2nid(algorithmObject));
    if (!indirect.algorithm)
        return TrustResult::BadAlgorithm;
    indirect.imageDigest =
        QByteArray(reinterpret_cast<const char *>(ASN1_STRING_get0_data(digest)), ASN1_STRING_length(digest));
    return std::nullopt;
}

// The digest of the image without the checksum, the security entry and the
// certificate table; everything else is covered, bytes after the table too.
// The file is read once more in chunks (never mapped, never whole), so the
// memory does not grow with its size. A file that shrinks or cannot be read
// meanwhile gets the code of an unreadable file; one that grows, a bad digest
// (bytes that change show in the digest itself).
std::optional<qint32> imageDigest(FileReader &file, const PeLayout &layout, const EVP_MD *algorithm,
                                  const BetweenChunks &betweenChunks, QByteArray &digest)
{
    DigestContextPtr context(EVP_MD_CTX_new());
    if (!context || EVP_DigestInit_ex(context.get(), algorithm, nullptr) != 1)
        return TrustResult::BadDigest;
    const qint64 tableEnd = layout.tableOffset + layout.tableSize;
    const std::pair<qint64, qint64> ranges[] = {
        {0, layout.checksum},
        {layout.checksum + 4, layout.securityEntry},
        {layout.securityEntry + 8, layout.tableOffset},
        {tableEnd, file.size()},
    };
    std::vector<unsigned char> buffer(ChunkSize);
    for (const auto &[from, to] : ranges) {
        for (qint64 offset = from; offset < to;) {
            const qint64 length = std::min(ChunkSize, to - offset);
            if (file.readExactlyAt(offset, buffer.data(), length) != FileReader::Status::Done)
                return TrustResult::NoSignature;
            if (EVP_DigestUpdate(context.get(), buffer.data(), static_cast<size_t>(length)) != 1)
                return TrustResult::BadDigest;
            offset += length;
            if (betweenChunks)
                betweenChunks();
        }
    }
    const qint64 sizeNow = file.currentSize();
    if (sizeNow < file.size())
        return TrustResult::NoSignature;
    if (sizeNow > file.size())
        return TrustResult::BadDigest;
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int outLength = 0;
    if (EVP_DigestFinal_ex(context.get(), out, &outLength) != 1)
        return TrustResult::BadDigest;
    digest = QByteArray(reinterpret_cast<const char *>(out), static_cast<int>(outLength));
    return std::nullopt;
}

StorePtr makeStore(const TrustAnchors &anchors)
{
    StorePtr store(X509_STORE_new());
    if (!store)
        return nullptr;
    const bool loaded = anchors.caFile.isEmpty()
                            ? X509_STORE_set_default_paths(store.get()) == 1
                            : X509_STORE_load_file(store.get(), QFile::encodeName(anchors.caFile).constData()) == 1;
    if (!loaded)
        return nullptr;
    return store;
}

bool hasUsage(X509 *certificate, const char *oid)
{
    EkuPtr eku(static_cast<EXTENDED_KEY_USAGE *>(X509_get_ext_d2i(certificate, NID_ext_key_usage, nullptr, nullptr)));
    if (!eku)
        return false;
    ObjectPtr wanted(OBJ_txt2obj(oid, 1));
    for (int i = 0; i < sk_ASN1_OBJECT_num(eku.get()); ++i) {
        if (OBJ_cmp(sk_ASN1_OBJECT_value(eku.get(), i), wanted.get()) == 0)
            return true;
    }
    return false;
}

std::optional<time_t> asTime(const ASN1_TIME *time)
{
    std::tm when{};
    if (!time || ASN1_TIME_to_tm(time, &when) != 1)
        return std::nullopt;
    return timegm(&when);
}

// The time of a valid RFC 3161 timestamp over the signer's signature value.
// The authority's chain is judged at that time too: a timestamp stays good
// after the authority's certificate has run out.
std::optional<time_t> timestampTime(PKCS7_SIGNER_INFO *signer, const TrustAnchors &anchors)
{
    STACK_OF(X509_ATTRIBUTE) *attributes = signer->unauth_attr;
    ObjectPtr wanted(OBJ_txt2obj(Rfc3161TimestampOid, 1));
    for (int i = 0; i < sk_X509_ATTRIBUTE_num(attributes); ++i) {
        X509_ATTRIBUTE *attribute = sk_X509_ATTRIBUTE_value(attributes, i);
        if (OBJ_cmp(X509_ATTRIBUTE_get0_object(attribute), wanted.get()) != 0)
            continue;
        ASN1_TYPE *value = X509_ATTRIBUTE_get0_type(attribute, 0);
        if (!value || value->type != V_ASN1_SEQUENCE)
            return std::nullopt;
        const unsigned char *der = ASN1_STRING_get0_data(value->value.sequence);
        // The token is a SignedData of its own (inside the signature, so
        // within its nesting and element bounds); its lists get the same
        // bounds before OpenSSL verifies it.
        Pkcs7Ptr token(d2i_PKCS7(nullptr, &der, ASN1_STRING_length(value->value.sequence)));
        if (!authenticodeShape(token.get()))
            return std::nullopt;
        TstInfoPtr info(PKCS7_to_TS_TST_INFO(token.get()));
        if (!info)
            return std::nullopt;
        const std::optional<time_t> at = asTime(TS_TST_INFO_get_time(info.get()));
        StorePtr store = makeStore(anchors);
        if (!at || !store)
            return std::nullopt;
        X509_VERIFY_PARAM_set_time(X509_STORE_get0_param(store.get()), *at);

        TsVerifyPtr verify(TS_VERIFY_CTX_new());
        // The imprint covers the signature value of the signer.
        BIO *data = BIO_new_mem_buf(ASN1_STRING_get0_data(signer->enc_digest), ASN1_STRING_length(signer->enc_digest));
        if (!verify || !data) {
            BIO_free(data);
            return std::nullopt;
        }
        TS_VERIFY_CTX_set_data(verify.get(), data);             // owned by the context from here
        TS_VERIFY_CTX_set_store(verify.get(), store.release()); // likewise
        TS_VERIFY_CTX_set_flags(verify.get(), TS_VFY_VERSION | TS_VFY_SIGNATURE | TS_VFY_DATA);
        if (TS_RESP_verify_token(verify.get(), token.get()) != 1)
            return std::nullopt;
        return at;
    }
    return std::nullopt;
}

// The signing time of a valid legacy countersignature: a signer info over
// the signer's signature value, by a timestamping certificate that chains to
// a trusted root at that time.
std::optional<time_t> countersignatureTime(PKCS7 *p7, PKCS7_SIGNER_INFO *signer, X509_STORE *store)
{
    ASN1_TYPE *value = PKCS7_get_attribute(signer, NID_pkcs9_countersignature);
    if (!value || value->type != V_ASN1_SEQUENCE)
        return std::nullopt;
    const unsigned char *der = ASN1_STRING_get0_data(value->value.sequence);
    SignerInfoPtr counter(d2i_PKCS7_SIGNER_INFO(nullptr, &der, ASN1_STRING_length(value->value.sequence)));
    if (!counter || !counter->issuer_and_serial || !counter->digest_alg || !counter->enc_digest)
        return std::nullopt;
    X509 *certificate = X509_find_by_issuer_and_serial(p7->d.sign->cert, counter->issuer_and_serial->issuer,
                                                       counter->issuer_and_serial->serial);
    const EVP_MD *algorithm = EVP_get_digestbyobj(counter->digest_alg->algorithm);
    if (!certificate || !algorithm)
        return std::nullopt;

    // Its message digest must be the digest of the signature it countersigns.
    ASN1_OCTET_STRING *messageDigest = PKCS7_digest_from_attributes(counter->auth_attr);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    if (!messageDigest ||
        EVP_Digest(ASN1_STRING_get0_data(signer->enc_digest),
                   static_cast<size_t>(ASN1_STRING_length(signer->enc_digest)), digest, &digestLength, algorithm,
                   nullptr) != 1 ||
        static_cast<int>(digestLength) != ASN1_STRING_length(messageDigest) ||
        std::memcmp(digest, ASN1_STRING_get0_data(messageDigest), digestLength) != 0)
        return std::nullopt;

    // Its signature covers its authenticated attributes, encoded as a SET.
    unsigned char *encoded = nullptr;
    const int encodedLength =
        ASN1_item_i2d(reinterpret_cast<ASN1_VALUE *>(counter->auth_attr), &encoded, ASN1_ITEM_rptr(PKCS7_ATTR_VERIFY));
    DerPtr attributes(encoded);
    DigestContextPtr verify(EVP_MD_CTX_new());
    if (encodedLength <= 0 || !verify ||
        EVP_DigestVerifyInit(verify.get(), nullptr, algorithm, nullptr, X509_get0_pubkey(certificate)) != 1 ||
        EVP_DigestVerify(verify.get(), ASN1_STRING_get0_data(counter->enc_digest),
                         static_cast<size_t>(ASN1_STRING_length(counter->enc_digest)), attributes.get(),
                         static_cast<size_t>(encodedLength)) != 1)
        return std::nullopt;

    ASN1_TYPE *signingTime = PKCS7_get_signed_attribute(counter.get(), NID_pkcs9_signingTime);
    if (!signingTime || (signingTime->type != V_ASN1_UTCTIME && signingTime->type != V_ASN1_GENERALIZEDTIME))
        return std::nullopt;
    const std::optional<time_t> at = asTime(signingTime->value.utctime);
    if (!at)
        return std::nullopt;

    StoreContextPtr context(X509_STORE_CTX_new());
    if (!context || X509_STORE_CTX_init(context.get(), store, certificate, p7->d.sign->cert) != 1)
        return std::nullopt;
    X509_STORE_CTX_set_purpose(context.get(), X509_PURPOSE_TIMESTAMP_SIGN);
    X509_STORE_CTX_set_time(context.get(), 0, *at);
    if (X509_verify_cert(context.get()) != 1)
        return std::nullopt;
    return at;
}

struct ChainErrors {
    std::vector<int> errors;
};

int recordChainError(int ok, X509_STORE_CTX *context)
{
    if (!ok) {
        auto *found = static_cast<ChainErrors *>(X509_STORE_CTX_get_app_data(context));
        found->errors.push_back(X509_STORE_CTX_get_error(context));
    }
    return 1; // go on, so every fault of the chain is seen and the worst one decides
}

// A chain error as the trust service's code, with its rank (lower decides).
std::pair<int, qint32> classify(int error)
{
    switch (error) {
    case X509_V_ERR_CERT_SIGNATURE_FAILURE:
    case X509_V_ERR_UNABLE_TO_DECRYPT_CERT_SIGNATURE:
    case X509_V_ERR_UNABLE_TO_DECODE_ISSUER_PUBLIC_KEY: return {0, TrustResult::CertSignature};
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN: return {1, TrustResult::UntrustedRoot};
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE: return {2, TrustResult::Chaining};
    case X509_V_ERR_CERT_HAS_EXPIRED:
    case X509_V_ERR_CERT_NOT_YET_VALID:
    case X509_V_ERR_ERROR_IN_CERT_NOT_BEFORE_FIELD:
    case X509_V_ERR_ERROR_IN_CERT_NOT_AFTER_FIELD: return {3, TrustResult::Expired};
    case X509_V_ERR_INVALID_PURPOSE: return {4, TrustResult::WrongUsage};
    case X509_V_ERR_INVALID_CA:
    case X509_V_ERR_PATH_LENGTH_EXCEEDED: return {5, TrustResult::BasicConstraints};
    case X509_V_ERR_CERT_REJECTED: return {6, TrustResult::ExplicitDistrust};
    default: return {7, TrustResult::SubjectNotTrusted};
    }
}

qint32 checkChain(PKCS7 *p7, X509 *leaf, X509_STORE *store, std::optional<time_t> at)
{
    StoreContextPtr context(X509_STORE_CTX_new());
    if (!context || X509_STORE_CTX_init(context.get(), store, leaf, p7->d.sign->cert) != 1)
        return TrustResult::Chaining;
    X509_STORE_CTX_set_purpose(context.get(), X509_PURPOSE_ANY);
    if (at)
        X509_STORE_CTX_set_time(context.get(), 0, *at);
    ChainErrors found;
    X509_STORE_CTX_set_app_data(context.get(), &found);
    X509_STORE_CTX_set_verify_cb(context.get(), recordChainError);
    const int verified = X509_verify_cert(context.get());
    if (found.errors.empty())
        return verified == 1 ? TrustResult::Valid : TrustResult::Chaining;
    std::pair<int, qint32> worst = classify(found.errors.front());
    for (int error : found.errors)
        worst = std::min(worst, classify(error), [](auto a, auto b) { return a.first < b.first; });
    return worst.second;
}

// Every digest the signature names must be one this library can compute:
// the signer's check leaks on one it cannot find, so such a signature is
// refused before it, with the code that check would have given.
bool digestsComputable(PKCS7 *p7)
{
    auto computable = [](const X509_ALGOR *algorithm) {
        if (!algorithm || !algorithm->algorithm)
            return false;
        const EVP_MD *known = EVP_get_digestbyobj(algorithm->algorithm);
        if (!known)
            return false;
        EVP_MD *fetched = EVP_MD_fetch(nullptr, EVP_MD_get0_name(known), nullptr);
        EVP_MD_free(fetched);
        return fetched != nullptr;
    };
    const STACK_OF(X509_ALGOR) *algorithms = p7->d.sign->md_algs;
    for (int i = 0; i < sk_X509_ALGOR_num(algorithms); ++i) {
        if (!computable(sk_X509_ALGOR_value(algorithms, i)))
            return false;
    }
    STACK_OF(PKCS7_SIGNER_INFO) *infos = PKCS7_get_signer_info(p7);
    for (int i = 0; i < sk_PKCS7_SIGNER_INFO_num(infos); ++i) {
        if (!computable(sk_PKCS7_SIGNER_INFO_value(infos, i)->digest_alg))
            return false;
    }
    return true;
}

qint32 checkFile(const QString &path, const TrustAnchors &anchors, const BetweenChunks &betweenChunks,
                 const BeforeOpen &beforeOpen)
{
    if (!QFileInfo(path).isFile())
        return TrustResult::NoSignature;
    FileReader file(path, beforeOpen);
    if (!file.isOpen())
        return TrustResult::NoSignature;
    PeLayout layout;
    if (auto refused = readLayout(file, layout))
        return *refused;
    std::vector<unsigned char> table(static_cast<size_t>(layout.tableSize));
    if (file.readExactlyAt(layout.tableOffset, table.data(), layout.tableSize) != FileReader::Status::Done)
        return TrustResult::NoSignature;
    Pkcs7Ptr p7 = readSignature(table);
    if (!p7)
        return TrustResult::NoSignature;
    IndirectData indirect;
    if (auto refused = readIndirectData(p7.get(), indirect))
        return *refused;
    QByteArray digest;
    if (auto refused = imageDigest(file, layout, indirect.algorithm, betweenChunks, digest))
        return *refused;
    if (digest != indirect.imageDigest)
        return TrustResult::BadDigest;

    // The signer's own signature and its message digest over the indirect data.
    BioPtr content(BIO_new_mem_buf(indirect.value, static_cast<int>(indirect.valueLength)));
    if (!content || !digestsComputable(p7.get()) ||
        PKCS7_verify(p7.get(), nullptr, nullptr, content.get(), nullptr, PKCS7_NOVERIFY | PKCS7_BINARY) != 1)
        return TrustResult::BadDigest;
    SignerStackPtr signers(PKCS7_get0_signers(p7.get(), nullptr, 0));
    STACK_OF(PKCS7_SIGNER_INFO) *infos = PKCS7_get_signer_info(p7.get());
    if (!signers || sk_X509_num(signers.get()) < 1 || sk_PKCS7_SIGNER_INFO_num(infos) < 1)
        return TrustResult::NoSignature;
    X509 *leaf = sk_X509_value(signers.get(), 0);

    StorePtr store = makeStore(anchors);
    if (!store)
        return TrustResult::Chaining;
    std::optional<time_t> at;
    if (!hasUsage(leaf, LifetimeSigningOid)) {
        PKCS7_SIGNER_INFO *signer = sk_PKCS7_SIGNER_INFO_value(infos, 0);
        at = timestampTime(signer, anchors);
        if (!at)
            at = countersignatureTime(p7.get(), signer, store.get());
    }
    const qint32 chain = checkChain(p7.get(), leaf, store.get(), at);
    if (chain != TrustResult::Valid)
        return chain;

    // The leaf must be meant for code signing (or any purpose, or say nothing).
    if (X509_get_extension_flags(leaf) & EXFLAG_XKUSAGE) {
        if (!(X509_get_extended_key_usage(leaf) & (XKU_CODE_SIGN | XKU_ANYEKU)))
            return TrustResult::WrongUsage;
    }
    return TrustResult::Valid;
}

} // namespace

qint32 CheckAuthenticode(const QString &path, const TrustAnchors &anchors, const BetweenChunks &betweenChunks,
                         const BeforeOpen &beforeOpen)
{
    const qint32 result = checkFile(path, anchors, betweenChunks, beforeOpen);
    ERR_clear_error(); // nothing of this check stays on the thread's error queue
    return result;
}
