#include "store/TVXCrypt.h"

#include <QTest>

class TestVXCrypt : public QObject
{
    Q_OBJECT

private slots:
    void emptyTextStaysEmpty();
    void emptyKeyIsNoOp_data();
    void emptyKeyIsNoOp();
    void twoByteKeyAlternates();
    void sumsWrap();
    void everyByteRoundTrips();
    void keyPositionRestartsPerCall();
    void prefixEnciphersToPrefix();
    void passwordKeyRoundTrip();
};

void TestVXCrypt::emptyTextStaysEmpty()
{
    TVXCrypt crypt(QByteArrayLiteral("Rw$9kP!m2#Xv8&Lq;Tz_"));
    crypt.setCryptogram({});
    crypt.Encrypt();
    QCOMPARE(crypt.Cryptogram(), QByteArray());
    crypt.Decrypt();
    QCOMPARE(crypt.Cryptogram(), QByteArray());
}

void TestVXCrypt::emptyKeyIsNoOp_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("ascii") << QByteArrayLiteral("haslo123");
    QTest::newRow("with zero") << QByteArray("a\0b", 3);
    QTest::newRow("high bytes") << QByteArray("\xff\x80\x01", 3);
}

void TestVXCrypt::emptyKeyIsNoOp()
{
    QFETCH(QByteArray, text);
    TVXCrypt crypt;
    crypt.setCryptogram(text);
    crypt.Encrypt();
    QCOMPARE(crypt.Cryptogram(), text);
    crypt.Decrypt();
    QCOMPARE(crypt.Cryptogram(), text);
}

void TestVXCrypt::twoByteKeyAlternates()
{
    const QByteArray key("\x01\x10", 2);
    const QByteArray cipher = TVXCrypt::encrypt(QByteArray("\x00\x00\x00\x00\x00", 5), key);
    QCOMPARE(cipher, QByteArray("\x01\x10\x01\x10\x01", 5));
}

void TestVXCrypt::sumsWrap()
{
    // 200 + 100 = 300 -> 44; 10 - 100 -> 166
    QCOMPARE(quint8(TVXCrypt::encrypt(QByteArray(1, char(200)), QByteArray(1, char(100)))[0]), quint8(44));
    QCOMPARE(quint8(TVXCrypt::decrypt(QByteArray(1, char(10)), QByteArray(1, char(100)))[0]), quint8(166));
}

void TestVXCrypt::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    for (const QByteArray& key : {QByteArrayLiteral("Rw$9kP!m2#Xv8&Lq;Tz_"),
                                  QByteArrayLiteral("Jq5Wm81xPz7c"), QByteArray(1, char(0xff))}) {
        TVXCrypt crypt(key);
        crypt.setCryptogram(all);
        crypt.Encrypt();
        QCOMPARE(crypt.Cryptogram().size(), all.size());
        QVERIFY(crypt.Cryptogram() != all);
        crypt.Decrypt();
        QCOMPARE(crypt.Cryptogram(), all);
    }
}

void TestVXCrypt::keyPositionRestartsPerCall()
{
    TVXCrypt crypt(QByteArrayLiteral("abc"));
    crypt.setCryptogram(QByteArrayLiteral("xy"));
    crypt.Encrypt();
    const QByteArray first = crypt.Cryptogram();
    crypt.setCryptogram(QByteArrayLiteral("xy"));
    crypt.Encrypt();
    QCOMPARE(crypt.Cryptogram(), first);
    QCOMPARE(first, QByteArray("\xd9\xdb", 2)); // 'x'+'a', 'y'+'b'
}

void TestVXCrypt::prefixEnciphersToPrefix()
{
    const QByteArray key = QByteArrayLiteral("Rw$9kP!m2#Xv8&Lq;Tz_");
    const QByteArray plain = QByteArrayLiteral("abcdefghijklmnopqrstuvwxyz0123456789");
    const QByteArray whole = TVXCrypt::encrypt(plain, key);
    for (int n : {1, 7, 20, 21, 35})
        QCOMPARE(TVXCrypt::encrypt(plain.left(n), key), whole.left(n));
}

void TestVXCrypt::passwordKeyRoundTrip()
{
    const QString polish = QStringLiteral("zażółć");
    const QByteArray key = QByteArrayLiteral("Jq5Wm81xPz7c");
    const QByteArray cipher = TVXCrypt::encrypt(TVXCrypt::textBytes(polish), key);
    QCOMPARE(cipher.size(), qsizetype(6)); // one byte per character in Windows-1250
    QCOMPARE(TVXCrypt::bytesText(TVXCrypt::decrypt(cipher, key)), polish);
}

QTEST_GUILESS_MAIN(TestVXCrypt)
#include "test_vxcrypt.moc"
