#include "store/TVXCrypt.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
QByteArray shifted(QByteArray text, const QByteArray& key, int sign)
{
    if (key.isEmpty())
        return text;
    qsizetype j = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        text[i] = char(quint8(quint8(text[i]) + sign * quint8(key[j])));
        if (++j == key.size())
            j = 0;
    }
    return text;
}
} // namespace

void TVXCrypt::Encrypt()
{
    m_cryptogram = encrypt(m_cryptogram, m_key);
}

void TVXCrypt::Decrypt()
{
    m_cryptogram = decrypt(m_cryptogram, m_key);
}

QByteArray TVXCrypt::encrypt(const QByteArray& plain, const QByteArray& key)
{
    return shifted(plain, key, 1);
}

QByteArray TVXCrypt::decrypt(const QByteArray& cipher, const QByteArray& key)
{
    return shifted(cipher, key, -1);
}

QByteArray TVXCrypt::textBytes(const QString& text)
{
    QStringEncoder encoder("windows-1250");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

QString TVXCrypt::bytesText(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1250");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}
