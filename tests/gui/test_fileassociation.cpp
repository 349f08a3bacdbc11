// Opening a file or link with the desktop's program: where the freedesktop
// tools open files, a type that no program takes is told to the user instead
// of opening nothing in silence (the manual under F1 without a PDF viewer).

#include "ModalScript.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "base/FileAssociation.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A stand-in for the desktop's "xdg-mime": `script` is its body.
void writeTool(const QString& folder, const QByteArray& script)
{
    QFile tool(QDir(folder).filePath(QStringLiteral("xdg-mime")));
    QVERIFY(tool.open(QIODevice::WriteOnly | QIODevice::Truncate));
    tool.write("#!/bin/sh\n" + script + "\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
} // namespace

class TestFileAssociation : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tools;
    QByteArray m_path;
    QString m_pdf;

private slots:
    void initTestCase()
    {
        m_path = qgetenv("PATH");
        // Only the tools of the test are found.
        qputenv("PATH", QFile::encodeName(m_tools.path()));
        m_pdf = m_tools.filePath(QStringLiteral("Instrukcja obsługi.pdf"));
        QFile pdf(m_pdf);
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        pdf.write("%PDF-1.4\n");
    }
    void cleanupTestCase() { qputenv("PATH", m_path); }
    void cleanup() { QFile::remove(QDir(m_tools.path()).filePath(QStringLiteral("xdg-mime"))); }

    void typeAsked()
    {
        QCOMPARE(FileAssociation::typeOf(QUrl::fromLocalFile(m_pdf)), QStringLiteral("application/pdf"));
        QCOMPARE(FileAssociation::typeOf(QUrl(QStringLiteral("mailto:pomoc@sprzetnik.pl"))),
                 QStringLiteral("x-scheme-handler/mailto"));
        QVERIFY(FileAssociation::typeOf(QUrl(QStringLiteral("https://www.sprzetnik.pl"))).isEmpty());
    }

    void answerOfTheDesktop_data()
    {
        QTest::addColumn<QByteArray>("script"); // empty: no tool at all
        QTest::addColumn<int>("answer");
        QTest::newRow("no tool") << QByteArray() << int(FileAssociation::Answer::Unknown);
        QTest::newRow("no program") << QByteArray("exit 0") << int(FileAssociation::Answer::None);
        QTest::newRow("a viewer")
            << QByteArray("[ \"$1 $2 $3\" = \"query default application/pdf\" ] && echo evince.desktop")
            << int(FileAssociation::Answer::Found);
        QTest::newRow("the tool fails")
            << QByteArray("echo x; exit 2") << int(FileAssociation::Answer::Unknown);
    }
    void answerOfTheDesktop()
    {
        QFETCH(QByteArray, script);
        QFETCH(int, answer);
        if (!script.isEmpty())
            writeTool(m_tools.path(), script);
        QCOMPARE(int(FileAssociation::handlerFor(QUrl::fromLocalFile(m_pdf))), answer);
    }

    void withoutAViewerTheUserIsTold()
    {
        writeTool(m_tools.path(), "exit 0");
        Dialogs::stopScript(); // the real path, with the real message window
        QString said;
        ModalScript script;
        script.add(QStringLiteral("TinfoForm"), [&](QWidget* w) {
            said = w->findChild<QLabel*>(QStringLiteral("Tekst"))->text();
            w->close();
        });
        QVERIFY(!Dialogs::openUrl(QUrl::fromLocalFile(m_pdf)));
        QVERIFY(script.done());
        QVERIFY(said.startsWith(QStringLiteral(
            "Nie udało się otworzyć pliku - w systemie nie ma programu, który otwiera pliki")));
        QVERIFY(said.endsWith(QDir::toNativeSeparators(m_pdf)));
    }
};

QTEST_MAIN(TestFileAssociation)
#include "test_fileassociation.moc"
