#pragma once

#include <QByteArray>
#include <QString>

// Passwords of program users are kept as salted slow hashes:
// "$pbkdf2-sha256$<iterations>$<salt base64>$<key base64>" (PBKDF2-HMAC-SHA256,
// 16-byte salt, 32-byte key). A stored value without that prefix is the cipher
// text of older databases and is still accepted, so it can be replaced by a
// hash at the first successful login.
namespace PasswordHash {
inline constexpr int kIterations = 120000;

QByteArray hash(const QString& password);
QByteArray hash(const QString& password, const QByteArray& salt, int iterations);
bool isHash(const QByteArray& stored);
// True when the password matches the stored hash or the older cipher text.
bool verify(const QString& password, const QByteArray& stored);
// The older form: the password enciphered with the user-password key.
QByteArray legacyCipherText(const QString& password);
} // namespace PasswordHash
