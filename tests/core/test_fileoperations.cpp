#include "base/TFileOperation.h"
#include "base/TFileOperations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestFileOperations : public QObject
{
    Q_OBJECT

private slots:
    void copiesInOrderOverwritingAndCreatingFolders();
    void stopsAtFirstFailure();
    void missingDestinationKeepsPrevious();
    void emptyListSucceeds();
    void deleteFilesAndFolders();
    void wildcardCopyIntoFolder();
    void clearEmptiesBothLists();

private:
    QTemporaryDir m_dir;
};

void TestFileOperations::copiesInOrderOverwritingAndCreatingFolders()
{
    const QString src = m_dir.filePath(QStringLiteral("c1/src"));
    const QString dst = m_dir.filePath(QStringLiteral("c1/nowy/folder"));
    writeFile(src + QStringLiteral("/a.txt"), "A");
    writeFile(src + QStringLiteral("/b.txt"), "B");
    writeFile(dst + QStringLiteral("/a.db"), "old");

    TFileOperation copy(TFileOperation::foCopy, QStringLiteral("Kopiowanie plików"));
    TFileOperations service;
    service.selectOperation(&copy);
    service.addSource(src + QStringLiteral("/a.txt"));
    service.addDestination(dst + QStringLiteral("/a.db"));
    service.addSource(src + QStringLiteral("/b.txt"));
    service.addDestination(dst + QStringLiteral("/b.db"));
    QCOMPARE(service.execute(), 0);
    QCOMPARE(readFile(dst + QStringLiteral("/a.db")), QByteArray("A"));
    QCOMPARE(readFile(dst + QStringLiteral("/b.db")), QByteArray("B"));
    // Execute keeps the lists.
    QCOMPARE(service.sources().size(), 2);
    QCOMPARE(service.destinations().size(), 2);
}

void TestFileOperations::stopsAtFirstFailure()
{
    const QString base = m_dir.filePath(QStringLiteral("c2"));
    writeFile(base + QStringLiteral("/1.txt"), "1");
    writeFile(base + QStringLiteral("/3.txt"), "3");
    TFileOperation copy(TFileOperation::foCopy, QStringLiteral("Kopiowanie plików"));
    TFileOperations service;
    service.selectOperation(&copy);
    for (const char* name : {"1", "2", "3"}) {
        service.addSource(base + QStringLiteral("/%1.txt").arg(QLatin1String(name)));
        service.addDestination(base + QStringLiteral("/out/%1.db").arg(QLatin1String(name)));
    }
    QVERIFY(service.execute() != 0);
    QVERIFY(QFile::exists(base + QStringLiteral("/out/1.db")));
    QVERIFY(!QFile::exists(base + QStringLiteral("/out/3.db")));
}

void TestFileOperations::missingDestinationKeepsPrevious()
{
    const QString base = m_dir.filePath(QStringLiteral("c3"));
    writeFile(base + QStringLiteral("/x.txt"), "x");
    writeFile(base + QStringLiteral("/y.txt"), "y");
    QDir().mkpath(base + QStringLiteral("/out"));
    TFileOperation copy(TFileOperation::foCopy, QStringLiteral("Kopiowanie plików"));
    TFileOperations service;
    service.selectOperation(&copy);
    service.addSource(base + QStringLiteral("/x.txt"));
    service.addSource(base + QStringLiteral("/y.txt"));
    service.addDestination(base + QStringLiteral("/out"));
    QCOMPARE(service.execute(), 0);
    QCOMPARE(copy.destination(), base + QStringLiteral("/out"));
    QCOMPARE(readFile(base + QStringLiteral("/out/x.txt")), QByteArray("x"));
    QCOMPARE(readFile(base + QStringLiteral("/out/y.txt")), QByteArray("y"));
}

void TestFileOperations::emptyListSucceeds()
{
    TFileOperations service;
    QCOMPARE(service.execute(), 0);
}

void TestFileOperations::deleteFilesAndFolders()
{
    const QString base = m_dir.filePath(QStringLiteral("c4"));
    writeFile(base + QStringLiteral("/tmp1/a"), "a");
    writeFile(base + QStringLiteral("/f.db"), "f");
    writeFile(base + QStringLiteral("/keep.txt"), "k");
    TFileOperation remove(TFileOperation::foDelete, QStringLiteral("Kasowanie plików tymczasowych"));
    TFileOperations service;
    service.selectOperation(&remove);
    service.addSource(base + QStringLiteral("/tmp1"));
    service.addSource(base + QStringLiteral("/f.db"));
    QCOMPARE(service.execute(), 0);
    QVERIFY(!QFileInfo::exists(base + QStringLiteral("/tmp1")));
    QVERIFY(!QFileInfo::exists(base + QStringLiteral("/f.db")));
    QVERIFY(QFileInfo::exists(base + QStringLiteral("/keep.txt")));
    // Deleting what is no longer there fails.
    QVERIFY(service.execute() != 0);
}

void TestFileOperations::wildcardCopyIntoFolder()
{
    const QString base = m_dir.filePath(QStringLiteral("c5"));
    writeFile(base + QStringLiteral("/src/a.db"), "a");
    writeFile(base + QStringLiteral("/src/b.db"), "b");
    writeFile(base + QStringLiteral("/src/c.txt"), "c");
    writeFile(base + QStringLiteral("/src/sub/d.db"), "d");
    TFileOperation copy(TFileOperation::foCopy, QStringLiteral("Kopiowanie plików"));
    copy.setSource(base + QStringLiteral("/src/*.db"));
    copy.setDestination(base + QStringLiteral("/out"));
    QCOMPARE(copy.execute(), 0);
    QCOMPARE(QDir(base + QStringLiteral("/out")).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{"a.db", "b.db"}));
}

void TestFileOperations::clearEmptiesBothLists()
{
    TFileOperations service;
    service.addSource(QStringLiteral("a"));
    service.addDestination(QStringLiteral("b"));
    service.clear();
    QVERIFY(service.sources().isEmpty());
    QVERIFY(service.destinations().isEmpty());
    QCOMPARE(service.execute(), 0);
}

QTEST_GUILESS_MAIN(TestFileOperations)
#include "test_fileoperations.moc"
