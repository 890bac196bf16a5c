#pragma once

#include <QString>

// The certificates a signature check trusts: the system's store
// (/etc/ssl/certs), or one file of roots that a test hands in.
struct TrustAnchors {
    // Empty: the system's store.
    QString caFile;

    static TrustAnchors system() { return {}; }
    static TrustAnchors fromFile(const QString &path) { return {path}; }
};
