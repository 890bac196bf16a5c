// Adds a legacy countersignature (the timestamp older signing tools made,
// which osslsigncode cannot make offline) to a signed PE32 test image:
//   countersign IN.exe TSA.crt TSA.key UNIX_TIME OUT.exe [--wrong-digest]
// The countersignature is a signer info over the primary signature value,
// with content type, signing time and message digest as its authenticated
// attributes. --wrong-digest puts the digest of other bytes in it.
#include <QByteArray>
#include <QFile>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/pkcs7.h>
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

QByteArray readFile(const char *path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot read input");
    return file.readAll();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 6 && argc != 7)
        fail("usage: countersign IN.exe TSA.crt TSA.key UNIX_TIME OUT.exe [--wrong-digest]");
    const bool wrongDigest = argc == 7;
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

    const QByteArray tsaPem = readFile(argv[2]);
    const QByteArray keyPem = readFile(argv[3]);
    const Owned<BIO, BIO_free> certBio(BIO_new_mem_buf(tsaPem.constData(), tsaPem.size()));
    const Owned<BIO, BIO_free> keyBio(BIO_new_mem_buf(keyPem.constData(), keyPem.size()));
    const Owned<X509, X509_free> tsa(PEM_read_bio_X509(certBio.get(), nullptr, nullptr, nullptr));
    const Owned<EVP_PKEY, EVP_PKEY_free> key(PEM_read_bio_PrivateKey(keyBio.get(), nullptr, nullptr, nullptr));
    if (!tsa || !key)
        fail("cannot read the timestamping certificate or key");

    const Owned<PKCS7_SIGNER_INFO, PKCS7_SIGNER_INFO_free> counter(PKCS7_SIGNER_INFO_new());
    if (!counter || PKCS7_SIGNER_INFO_set(counter.get(), tsa.get(), key.get(), EVP_sha256()) != 1)
        fail("cannot set up the countersignature");
    PKCS7_add_signed_attribute(counter.get(), NID_pkcs9_contentType, V_ASN1_OBJECT, OBJ_nid2obj(NID_pkcs7_data));
    Owned<ASN1_UTCTIME, ASN1_UTCTIME_free> when(ASN1_UTCTIME_set(nullptr, static_cast<time_t>(std::atoll(argv[4]))));
    if (PKCS7_add_signed_attribute(counter.get(), NID_pkcs9_signingTime, V_ASN1_UTCTIME, when.get()) != 1)
        fail("cannot add the signing time");
    when.release(); // the signer info owns it now
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    QByteArray covered(reinterpret_cast<const char *>(ASN1_STRING_get0_data(signer->enc_digest)),
                       ASN1_STRING_length(signer->enc_digest));
    if (wrongDigest)
        covered[0] = char(covered[0] ^ 0x01);
    EVP_Digest(covered.constData(), covered.size(), digest, &digestLength, EVP_sha256(), nullptr);
    Owned<ASN1_OCTET_STRING, ASN1_OCTET_STRING_free> messageDigest(ASN1_OCTET_STRING_new());
    ASN1_OCTET_STRING_set(messageDigest.get(), digest, static_cast<int>(digestLength));
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
    Owned<ASN1_STRING, ASN1_STRING_free> sequence(ASN1_STRING_new());
    ASN1_STRING_set(sequence.get(), counterDer.get(), counterLength);
    if (PKCS7_add_attribute(signer, NID_pkcs9_countersignature, V_ASN1_SEQUENCE, sequence.get()) != 1)
        fail("cannot add the countersignature");
    sequence.release(); // the primary signer info owns it now
    PKCS7_add_certificate(p7.get(), tsa.get()); // takes a reference of its own

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
