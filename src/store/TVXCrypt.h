#pragma once

#include <QByteArray>
#include <QString>

// Hides a short text (a stored password) by adding the bytes of a key to it,
// byte by byte modulo 256. Reversible; the cipher text has as many bytes as
// the plain text and may hold any byte value, 0 included.
class TVXCrypt
{
public:
    TVXCrypt() = default;
    explicit TVXCrypt(const QByteArray& key) : m_key(key) {}

    QByteArray Key() const { return m_key; }
    void setKey(const QByteArray& key) { m_key = key; }
    // Plain text before Encrypt, cipher text after it (and the reverse for Decrypt).
    QByteArray Cryptogram() const { return m_cryptogram; }
    void setCryptogram(const QByteArray& text) { m_cryptogram = text; }

    // Both are no-ops with an empty key; the key position restarts at every call.
    void Encrypt();
    void Decrypt();

    static QByteArray encrypt(const QByteArray& plain, const QByteArray& key);
    static QByteArray decrypt(const QByteArray& cipher, const QByteArray& key);

    // Stored passwords are Windows-1250 text.
    static QByteArray textBytes(const QString& text);
    static QString bytesText(const QByteArray& bytes);

private:
    QByteArray m_key;
    QByteArray m_cryptogram;
};
