// Adds a timestamp to a signed PE32 test image, offline, with a test
// timestamping authority (osslsigncode 2.5, Debian 12's, can ask only a
// timestamping server on the network):
//   countersign IN.exe TSA.pem TSA.key UNIX_TIME OUT.exe [--wrong-digest | --rfc3161]
// Without --rfc3161 it is the legacy countersignature older signing tools
// made: a signer info over the primary signature value, with content type,
// signing time and message digest as its authenticated attributes, in the
// signer's countersignature attribute; --wrong-digest puts the digest of
// other bytes in it. With --rfc3161 it is an RFC 3161 token over the same
// value, in the signer's unauthenticated attribute 1.3.6.1.4.1.311.3.3.1,
// the timestamp signing tools make today. TSA.pem holds the authority's
// certificate first; an RFC 3161 token carries every certificate in it.
#include <QByteArray>
#include <QFile>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/pkcs7.h>
#include <openssl/ts.h>
#include <openssl/x509.h>

namespace
{

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "countersign: %s\n", what);
    std::exit(1);
}

// Every OpenSSL object is owned here until a call takes it over, so the
// tool ends with nothing left behind (the sanitized build checks that).
template <auto Free>
struct Freer
{
    template <typename T>
    void operator()(T *object) const { Free(object); }
};
template <typename T, auto Free>
using Owned = std::unique_ptr<T, Freer<Free>>;

void freeBytes(unsigned char *bytes)
{
    OPENSSL_free(bytes);
}

void freeCertificates(STACK_OF(X509) *certificates)
{
    sk_X509_pop_free(certificates, X509_free);
}
using Certificates = Owned<STACK_OF(X509), freeCertificates>;

// A stack that borrows its certificates.
void freeStack(STACK_OF(X509) *certificates)
{
    sk_X509_free(certificates);
}

QByteArray readFile(const char *path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot read input");
    return file.readAll();
}

// Every certificate of a PEM file, in its order.
Certificates readCertificates(const char *path)
{
    const QByteArray pem = readFile(path);
    const Owned<BIO, BIO_free> bio(BIO_new_mem_buf(pem.constData(), pem.size()));
    Certificates certificates(sk_X509_new_null());
    if (!bio || !certificates)
        fail("out of memory");
    while (X509 *certificate = PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr)) {
        if (sk_X509_push(certificates.get(), certificate) <= 0) {
            X509_free(certificate);
            fail("out of memory");
        }
    }
    if (sk_X509_num(certificates.get()) == 0)
        fail("cannot read the timestamping certificate");
    return certificates;
}

Owned<EVP_PKEY, EVP_PKEY_free> readKey(const char *path)
{
    const QByteArray pem = readFile(path);
    const Owned<BIO, BIO_free> bio(BIO_new_mem_buf(pem.constData(), pem.size()));
    Owned<EVP_PKEY, EVP_PKEY_free> key(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr));
    if (!key)
        fail("cannot read the timestamping key");
    return key;
}

QByteArray sha256(const QByteArray &bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    if (EVP_Digest(bytes.constData(), bytes.size(), digest, &digestLength, EVP_sha256(), nullptr) != 1)
        fail("cannot hash");
    return QByteArray(reinterpret_cast<const char *>(digest), static_cast<int>(digestLength));
}

// The signature value the timestamp covers.
QByteArray signatureValue(PKCS7_SIGNER_INFO *signer)
{
    return QByteArray(reinterpret_cast<const char *>(ASN1_STRING_get0_data(signer->enc_digest)),
                      ASN1_STRING_length(signer->enc_digest));
}

// Puts DER bytes into the signer's unsigned attribute NID as a SEQUENCE.
void addSequenceAttribute(PKCS7_SIGNER_INFO *signer, int nid, const unsigned char *der, int length)
{
    Owned<ASN1_STRING, ASN1_STRING_free> sequence(ASN1_STRING_new());
    if (!sequence || ASN1_STRING_set(sequence.get(), der, length) != 1)
        fail("out of memory");
    if (PKCS7_add_attribute(signer, nid, V_ASN1_SEQUENCE, sequence.get()) != 1)
        fail("cannot add the timestamp attribute");
    sequence.release(); // the signer info owns it now
}

void addLegacyCountersignature(PKCS7 *p7, PKCS7_SIGNER_INFO *signer, X509 *tsa, EVP_PKEY *key, time_t at,
                               bool wrongDigest)
{
    const Owned<PKCS7_SIGNER_INFO, PKCS7_SIGNER_INFO_free> counter(PKCS7_SIGNER_INFO_new());
    if (!counter || PKCS7_SIGNER_INFO_set(counter.get(), tsa, key, EVP_sha256()) != 1)
        fail("cannot set up the countersignature");
    PKCS7_add_signed_attribute(counter.get(), NID_pkcs9_contentType, V_ASN1_OBJECT, OBJ_nid2obj(NID_pkcs7_data));
    Owned<ASN1_UTCTIME, ASN1_UTCTIME_free> when(ASN1_UTCTIME_set(nullptr, at));
    if (PKCS7_add_signed_attribute(counter.get(), NID_pkcs9_signingTime, V_ASN1_UTCTIME, when.get()) != 1)
        fail("cannot add the signing time");
    when.release(); // the signer info owns it now
    QByteArray covered = signatureValue(signer);
    if (wrongDigest)
        covered[0] = char(covered[0] ^ 0x01);
    const QByteArray digest = sha256(covered);
    Owned<ASN1_OCTET_STRING, ASN1_OCTET_STRING_free> messageDigest(ASN1_OCTET_STRING_new());
    ASN1_OCTET_STRING_set(messageDigest.get(), reinterpret_cast<const unsigned char *>(digest.constData()),
                          digest.size());
    if (PKCS7_add_signed_attribute(counter.get(), NID_pkcs9_messageDigest, V_ASN1_OCTET_STRING,
                                   messageDigest.get()) != 1)
        fail("cannot add the message digest");
    messageDigest.release(); // the signer info owns it now
    if (PKCS7_SIGNER_INFO_sign(counter.get()) != 1)
        fail("cannot sign the countersignature");

    unsigned char *counterBytes = nullptr;
    const int counterLength = i2d_PKCS7_SIGNER_INFO(counter.get(), &counterBytes);
    const Owned<unsigned char, freeBytes> counterDer(counterBytes);
    if (counterLength <= 0)
        fail("cannot encode the countersignature");
    addSequenceAttribute(signer, NID_pkcs9_countersignature, counterDer.get(), counterLength);
    PKCS7_add_certificate(p7, tsa); // takes a reference of its own
}

// The authority answers with the time it is given, not the clock's.
int fixedTime(TS_RESP_CTX *, void *data, long *seconds, long *microseconds)
{
    *seconds = static_cast<long>(*static_cast<const time_t *>(data));
    *microseconds = 0;
    return 1;
}

// An RFC 3161 request for the signature value, as a signing tool sends it
// to its timestamping server: a SHA-256 imprint, the authority's
// certificate asked for.
QByteArray timestampRequest(PKCS7_SIGNER_INFO *signer)
{
    const QByteArray digest = sha256(signatureValue(signer));
    const Owned<X509_ALGOR, X509_ALGOR_free> algorithm(X509_ALGOR_new());
    const Owned<TS_MSG_IMPRINT, TS_MSG_IMPRINT_free> imprint(TS_MSG_IMPRINT_new());
    const Owned<TS_REQ, TS_REQ_free> request(TS_REQ_new());
    if (!algorithm || !imprint || !request)
        fail("out of memory");
    X509_ALGOR_set_md(algorithm.get(), EVP_sha256());
    if (TS_MSG_IMPRINT_set_algo(imprint.get(), algorithm.get()) != 1
        || TS_MSG_IMPRINT_set_msg(imprint.get(), reinterpret_cast<unsigned char *>(const_cast<char *>(digest.constData())),
                                  digest.size()) != 1
        || TS_REQ_set_version(request.get(), 1) != 1 || TS_REQ_set_msg_imprint(request.get(), imprint.get()) != 1
        || TS_REQ_set_cert_req(request.get(), 1) != 1)
        fail("cannot make the timestamp request");
    unsigned char *bytes = nullptr;
    const int length = i2d_TS_REQ(request.get(), &bytes);
    const Owned<unsigned char, freeBytes> der(bytes);
    if (length <= 0)
        fail("cannot encode the timestamp request");
    return QByteArray(reinterpret_cast<const char *>(der.get()), length);
}

void addRfc3161Timestamp(PKCS7_SIGNER_INFO *signer, STACK_OF(X509) *chain, EVP_PKEY *key, time_t at)
{
    const Owned<TS_RESP_CTX, TS_RESP_CTX_free> authority(TS_RESP_CTX_new());
    const Owned<ASN1_OBJECT, ASN1_OBJECT_free> policy(OBJ_txt2obj("1.3.6.1.4.1.4146.2.3", 1));
    if (!authority || !policy)
        fail("out of memory");
    // The token carries the authority's certificate, then the rest of its
    // chain (only once each). Each setter takes a reference or a copy.
    const Owned<STACK_OF(X509), freeStack> issuers(sk_X509_dup(chain));
    if (!issuers)
        fail("out of memory");
    sk_X509_shift(issuers.get());
    if (TS_RESP_CTX_set_signer_cert(authority.get(), sk_X509_value(chain, 0)) != 1
        || TS_RESP_CTX_set_signer_key(authority.get(), key) != 1
        || TS_RESP_CTX_set_certs(authority.get(), issuers.get()) != 1
        || TS_RESP_CTX_set_def_policy(authority.get(), policy.get()) != 1
        || TS_RESP_CTX_add_md(authority.get(), EVP_sha256()) != 1
        || TS_RESP_CTX_set_signer_digest(authority.get(), EVP_sha256()) != 1
        || TS_RESP_CTX_set_ess_cert_id_digest(authority.get(), EVP_sha256()) != 1)
        fail("cannot set up the timestamping authority");
    TS_RESP_CTX_set_time_cb(authority.get(), fixedTime, &at);

    const QByteArray request = timestampRequest(signer);
    const Owned<BIO, BIO_free> requestBio(BIO_new_mem_buf(request.constData(), request.size()));
    const Owned<TS_RESP, TS_RESP_free> response(TS_RESP_create_response(authority.get(), requestBio.get()));
    if (!response || ASN1_INTEGER_get(TS_STATUS_INFO_get0_status(TS_RESP_get_status_info(response.get()))) != 0)
        fail("the timestamping authority refused the request");
    PKCS7 *token = TS_RESP_get_token(response.get()); // owned by the response
    unsigned char *tokenBytes = nullptr;
    const int tokenLength = i2d_PKCS7(token, &tokenBytes);
    const Owned<unsigned char, freeBytes> tokenDer(tokenBytes);
    if (tokenLength <= 0)
        fail("cannot encode the timestamp token");
    const Owned<ASN1_OBJECT, ASN1_OBJECT_free> attribute(OBJ_txt2obj("1.3.6.1.4.1.311.3.3.1", 1));
    if (!attribute
        || !X509at_add1_attr_by_OBJ(&signer->unauth_attr, attribute.get(), V_ASN1_SEQUENCE, tokenDer.get(), tokenLength))
        fail("cannot add the timestamp attribute");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 6 && !(argc == 7 && (std::strcmp(argv[6], "--wrong-digest") == 0 || std::strcmp(argv[6], "--rfc3161") == 0)))
        fail("usage: countersign IN.exe TSA.pem TSA.key UNIX_TIME OUT.exe [--wrong-digest | --rfc3161]");
    const bool rfc3161 = argc == 7 && std::strcmp(argv[6], "--rfc3161") == 0;
    const bool wrongDigest = argc == 7 && !rfc3161;
    const time_t at = static_cast<time_t>(std::atoll(argv[4]));

    QByteArray image = readFile(argv[1]);
    const int securityEntry = 0x40 + 152; // PE32 images from MiniPe
    const quint32 table = qFromLittleEndian<quint32>(image.constData() + securityEntry);
    if (table == 0 || table + 8 > quint32(image.size()))
        fail("input is not signed");
    const unsigned char *der = reinterpret_cast<const unsigned char *>(image.constData()) + table + 8;
    const Owned<PKCS7, PKCS7_free> p7(d2i_PKCS7(nullptr, &der, image.size() - table - 8));
    if (!p7)
        fail("cannot decode the signature");
    PKCS7_SIGNER_INFO *signer = sk_PKCS7_SIGNER_INFO_value(PKCS7_get_signer_info(p7.get()), 0);
    if (!signer)
        fail("the signature has no signer");

    const Certificates tsa = readCertificates(argv[2]);
    const Owned<EVP_PKEY, EVP_PKEY_free> key = readKey(argv[3]);
    if (rfc3161)
        addRfc3161Timestamp(signer, tsa.get(), key.get(), at);
    else
        addLegacyCountersignature(p7.get(), signer, sk_X509_value(tsa.get(), 0), key.get(), at, wrongDigest);

    unsigned char *signatureBytes = nullptr;
    const int signatureLength = i2d_PKCS7(p7.get(), &signatureBytes);
    const Owned<unsigned char, freeBytes> signature(signatureBytes);
    if (signatureLength <= 0)
        fail("cannot encode the signature");
    const int padded = (8 + signatureLength + 7) & ~7;
    QByteArray entry(padded, '\0');
    qToLittleEndian<quint32>(padded, entry.data());
    qToLittleEndian<quint16>(0x0200, entry.data() + 4);
    qToLittleEndian<quint16>(0x0002, entry.data() + 6);
    entry.replace(8, signatureLength, QByteArray(reinterpret_cast<const char *>(signature.get()), signatureLength));
    image.truncate(static_cast<int>(table));
    image += entry;
    qToLittleEndian<quint32>(padded, image.data() + securityEntry + 4);

    QFile out(QString::fromLocal8Bit(argv[5]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(image) != image.size())
        fail("cannot write the output");
    return 0;
}
