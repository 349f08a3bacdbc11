#include "store/PasswordHash.h"

#include "store/TVXCrypt.h"

#include <QList>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace {
const QByteArray kPrefix = QByteArrayLiteral("$pbkdf2-sha256$");
const QByteArray kUserKey = QByteArrayLiteral("Jq5Wm81xPz7c");

QByteArray derive(const QString& password, const QByteArray& salt, int iterations)
{
    const QByteArray pwd = password.toUtf8();
    QByteArray key(32, '\0');
    if (PKCS5_PBKDF2_HMAC(pwd.constData(), int(pwd.size()),
                          reinterpret_cast<const unsigned char*>(salt.constData()), int(salt.size()),
                          iterations, EVP_sha256(), int(key.size()),
                          reinterpret_cast<unsigned char*>(key.data())) != 1)
        return {};
    return key;
}
} // namespace

namespace PasswordHash {
QByteArray hash(const QString& password, const QByteArray& salt, int iterations)
{
    return kPrefix + QByteArray::number(iterations) + '$' + salt.toBase64() + '$' +
           derive(password, salt, iterations).toBase64();
}

QByteArray hash(const QString& password)
{
    QByteArray salt(16, '\0');
    RAND_bytes(reinterpret_cast<unsigned char*>(salt.data()), int(salt.size()));
    return hash(password, salt, kIterations);
}

bool isHash(const QByteArray& stored)
{
    return stored.startsWith(kPrefix);
}

QByteArray legacyCipherText(const QString& password)
{
    return TVXCrypt::encrypt(TVXCrypt::textBytes(password), kUserKey);
}

bool verify(const QString& password, const QByteArray& stored)
{
    if (!isHash(stored))
        return !stored.isEmpty() && stored == legacyCipherText(password);
    const QList<QByteArray> parts = stored.mid(kPrefix.size()).split('$');
    if (parts.size() != 3)
        return false;
    bool ok = false;
    const int iterations = parts[0].toInt(&ok);
    if (!ok || iterations <= 0 || iterations > 10000000)
        return false;
    const QByteArray expected = QByteArray::fromBase64(parts[2]);
    const QByteArray actual = derive(password, QByteArray::fromBase64(parts[1]), iterations);
    return !expected.isEmpty() && expected.size() == actual.size() &&
           CRYPTO_memcmp(expected.constData(), actual.constData(), size_t(actual.size())) == 0;
}
} // namespace PasswordHash
