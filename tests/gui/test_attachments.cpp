// Attachments of a computer: the stored files in the attachments folder
// (key + "_" + file name), adding, opening, replacing and deleting them, the
// folder checks, a failed copy and the stored-name rule.

#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "editors/AttachmentFiles.h"
#include "editors/SubList.h"
#include "editors/TfKomputery.h"
#include "editors/TfSelectDir.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestAttachments : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfKomputery> m_editor;
    std::unique_ptr<QTemporaryDir> m_folder;  // the attachments folder
    std::unique_ptr<QTemporaryDir> m_sources; // where the user's files lie
    SubList* m_list = nullptr;

    QString scalar(const QString& sql)
    {
        Statement q(&m_db->DatabaseMain(), QString(), {sql});
        q.open();
        return q.isEmpty() ? QString() : q.textAt(0, 0);
    }
    QString source(const QString& relative, const QByteArray& content)
    {
        const QString path = m_sources->filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qWarning("cannot write %s", qPrintable(path));
        f.write(content);
        return path;
    }
    QByteArray stored(const QString& name) const
    {
        QFile f(m_folder->filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList folderFiles() const { return QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden); }
    static void click(QWidget* w, const char* name)
    {
        w->findChild<QAbstractButton*>(QLatin1String(name))->click();
    }
    // Scripts the attachment dialog: choose `file`, name it, save.
    void addStep(ModalScript& script, const QString& file, const QString& name = {})
    {
        script.add(QStringLiteral("TfZalaczniki"), [file, name](QWidget* w) {
            Dialogs::setNextFileName(file);
            click(w, "SBWskaz");
            if (!name.isEmpty())
                w->findChild<QLineEdit*>(QStringLiteral("fNAZWAZALACZNIKA"))->setText(name);
            click(w, "SBZapisz");
        });
    }
    QString row(qint64 key, const char* column)
    {
        return scalar(QStringLiteral("SELECT ") + QLatin1String(column) +
                      QStringLiteral(" FROM zalaczniki WHERE IDZALACZNIKA=") + QString::number(key));
    }
    // Information boxes only (the file pickers are recorded too).
    static QList<Dialogs::Shown> messages()
    {
        QList<Dialogs::Shown> list;
        for (const Dialogs::Shown& s : Dialogs::shown())
            if (s.kind == Dialogs::Kind::Info)
                list << s;
        return list;
    }
    qint64 lastKey()
    {
        return scalar(QStringLiteral("SELECT MAX(IDZALACZNIKA) FROM zalaczniki")).toLongLong();
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        AppState::instance().rights.fill(true);
        Config::global().reset();
        Config::global().set(QStringLiteral("pytajPrzedKasowaniem"), false);
        m_folder = std::make_unique<QTemporaryDir>();
        m_sources = std::make_unique<QTemporaryDir>();
        Config::global().setAttachmentsFolder(m_folder->path());
        Dialogs::startScript();
        m_editor = std::make_unique<TfKomputery>(*m_db);
        m_editor->prepare(QStringLiteral("K"), 2);
        m_list = m_editor->subList(TfKomputery::Zalaczniki);
        m_list->reload();
        QVERIFY(m_list->isEmpty()); // the sample data has no attachments
    }
    void cleanup()
    {
        m_editor.reset();
        Dialogs::stopScript();
        Config::global().reset();
        AppState::instance().rights.fill(false);
        m_db.reset();
        m_database.reset();
        m_folder.reset();
        m_sources.reset();
        m_config.reset();
    }

    void addOpenReplaceDelete()
    {
        const QString first = source(QStringLiteral("skany/Faktura \"zażółć\" 1.pdf"), "pierwsza");
        ModalScript script;
        addStep(script, first);
        m_list->trigger(SubList::Add);
        QVERIFY(script.done());
        const qint64 key = lastKey();
        const QString name1 = QString::number(key) + QStringLiteral("_Faktura \"zażółć\" 1.pdf");
        QCOMPARE(row(key, "NAZWAPLIKU"), name1);
        QCOMPARE(row(key, "NAZWAZALACZNIKA"), QStringLiteral("Faktura \"zażółć\" 1.pdf"));
        QCOMPARE(row(key, "CZEGODOTYCZY||IDOBIEKTU||'/'||RDZAL"), QStringLiteral("K2/0"));
        QCOMPARE(stored(name1), QByteArray("pierwsza"));
        QVERIFY(QFile::exists(first)); // the chosen file stays where it was
        QCOMPARE(m_list->integer(QStringLiteral("IDZALACZNIKA")), key);

        // Open: the stored file with the system's program.
        m_list->trigger(SubList::Open);
        QCOMPARE(Dialogs::openedUrls().size(), 1);
        QCOMPARE(Dialogs::openedUrls()[0].toLocalFile(), m_folder->filePath(name1));

        // Replace with a file of another name: the new one copied, the old one gone.
        const QString second = source(QStringLiteral("inny/skan.jpg"), "druga");
        script.add(QStringLiteral("TfZalaczniki"), [&](QWidget* w) {
            Dialogs::setNextFileName(second);
            click(w, "SBWskaz");
            click(w, "SBZapisz");
        });
        m_list->trigger(SubList::Edit);
        QVERIFY(script.done());
        const QString name2 = QString::number(key) + QStringLiteral("_skan.jpg");
        QCOMPARE(row(key, "NAZWAPLIKU"), name2);
        QCOMPARE(row(key, "NAZWAZALACZNIKA"),
                 QStringLiteral("Faktura \"zażółć\" 1.pdf")); // a name once given stays
        QCOMPARE(folderFiles(), QStringList({name2}));

        // Replace with a file of the same name: overwritten.
        const QString third = source(QStringLiteral("trzeci/skan.jpg"), "trzecia");
        script.add(QStringLiteral("TfZalaczniki"), [&](QWidget* w) {
            Dialogs::setNextFileName(third);
            click(w, "SBWskaz");
            click(w, "SBZapisz");
        });
        m_list->trigger(SubList::Edit);
        QVERIFY(script.done());
        QCOMPARE(folderFiles(), QStringList({name2}));
        QCOMPARE(stored(name2), QByteArray("trzecia"));

        // Edit without a new file: the row only.
        script.add(QStringLiteral("TfZalaczniki"), [&](QWidget* w) {
            w->findChild<QLineEdit*>(QStringLiteral("fINNE"))
                ->setText(QStringLiteral("oryginał w segregatorze"));
            click(w, "SBZapisz");
        });
        m_list->trigger(SubList::Edit);
        QVERIFY(script.done());
        QCOMPARE(row(key, "INNE||'/'||NAZWAPLIKU"), QStringLiteral("oryginał w segregatorze/") + name2);
        QCOMPARE(messages().size(), 0);
        QCOMPARE(script.errors(), QStringList());
    }

    void deleteKeepsOrRemovesTheFile_data()
    {
        QTest::addColumn<bool>("removeFiles");
        QTest::newRow("usuwajZajaczniki off") << false;
        QTest::newRow("usuwajZajaczniki on") << true;
    }
    void deleteKeepsOrRemovesTheFile()
    {
        QFETCH(bool, removeFiles);
        ModalScript script;
        addStep(script, source(QStringLiteral("umowa.odt"), "umowa"));
        m_list->trigger(SubList::Add);
        QVERIFY(script.done());
        const qint64 key = lastKey();
        Config::global().set(QStringLiteral("usuwajZajaczniki"), removeFiles);
        m_list->trigger(SubList::Remove);
        QCOMPARE(row(key, "COUNT(*)"), QStringLiteral("0"));
        QVERIFY(m_list->isEmpty());
        QCOMPARE(folderFiles().size(), removeFiles ? 0 : 1);
    }

    void deletingARowWhoseFileIsGone()
    {
        Config::global().set(QStringLiteral("usuwajZajaczniki"), true);
        ModalScript script;
        addStep(script, source(QStringLiteral("zdjecie.png"), "png"));
        m_list->trigger(SubList::Add);
        QVERIFY(script.done());
        const qint64 key = lastKey();
        QVERIFY(QFile::remove(m_folder->filePath(row(key, "NAZWAPLIKU"))));
        // Opening tells the file is missing.
        m_list->trigger(SubList::Open);
        QCOMPARE(Dialogs::openedUrls().size(), 0);
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].title, QStringLiteral("Błąd"));
        QCOMPARE(messages()[0].text,
                 QStringLiteral("Podany plik nieistnieje:\n") +
                     QDir::toNativeSeparators(m_folder->filePath(row(key, "NAZWAPLIKU"))));
        m_list->trigger(SubList::Remove);
        QCOMPARE(row(key, "COUNT(*)"), QStringLiteral("0"));
        QCOMPARE(messages().size(), 1);
    }

    void sameFileNamesNeverCollide()
    {
        const QString a = source(QStringLiteral("dzial1/faktura.pdf"), "od dostawcy A");
        const QString b = source(QStringLiteral("dzial2/faktura.pdf"), "od dostawcy B");
        ModalScript script;
        addStep(script, a);
        m_list->trigger(SubList::Add);
        addStep(script, b);
        m_list->trigger(SubList::Add);
        QVERIFY(script.done());
        const qint64 second = lastKey();
        const qint64 first = second - 1;
        QCOMPARE(stored(row(first, "NAZWAPLIKU")), QByteArray("od dostawcy A"));
        QCOMPARE(stored(row(second, "NAZWAPLIKU")), QByteArray("od dostawcy B"));
        QCOMPARE(folderFiles().size(), 2);
        QCOMPARE(m_list->statement().recordCount(), 2);
    }

    void folderNotSetShowsTheGuide()
    {
        Config::global().setAttachmentsFolder(QString());
        ModalScript script;
        script.add(QStringLiteral("TfTutorial2"), [](QWidget* w) { click(w, "SBKontynuuj"); });
        m_list->trigger(SubList::Add);
        QVERIFY(script.done());
        QCOMPARE(script.errors(), QStringList());
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].title, QStringLiteral("Uwaga"));
        QCOMPARE(messages()[0].text,
                 QStringLiteral(
                     "Nie zdefiniowano lokalizacji katalogu z załącznikami. Ustaw lokalizację załączników w "
                     "opcjach programu."));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM zalaczniki")), QStringLiteral("0"));
    }

    void folderMissing()
    {
        const QString gone = m_folder->filePath(QStringLiteral("udzial-sieciowy"));
        Config::global().setAttachmentsFolder(gone);
        ModalScript script; // no dialog may open
        m_list->trigger(SubList::Add);
        QCOMPARE(script.errors(), QStringList());
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].text,
                 QStringLiteral("Katalog z załącznikami jest niedostępny\n") + gone +
                     QStringLiteral("\nSprawdź konfigurację lokalizacji załączników w opcjach "
                                    "programu."));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM zalaczniki")), QStringLiteral("0"));
    }

    void failedCopyLeavesARowWithoutFileAndOpensTheEdit()
    {
        const QString vanishing = source(QStringLiteral("znika.pdf"), "x");
        const QString good = source(QStringLiteral("dobry.pdf"), "dobry");
        ModalScript script;
        script.add(QStringLiteral("TfZalaczniki"), [&](QWidget* w) {
            Dialogs::setNextFileName(vanishing);
            click(w, "SBWskaz");
            QFile::remove(vanishing); // gone before it is copied
            click(w, "SBZapisz");
        });
        QString fileShown;
        qint64 rowFileEmpty = -1;
        script.add(QStringLiteral("TfZalaczniki"), [&](QWidget* w) {
            rowFileEmpty = row(lastKey(), "LENGTH(NAZWAPLIKU)").toLongLong();
            fileShown = w->findChild<QLineEdit*>(QStringLiteral("fNAZWAPLIKU"))->text();
            click(w, "SBZapisz"); // no file yet: refused
            Dialogs::setNextFileName(good);
            click(w, "SBWskaz");
            click(w, "SBZapisz");
        });
        m_list->trigger(SubList::Add);
        QVERIFY(script.done());
        QCOMPARE(script.errors(), QStringList());
        const qint64 key = lastKey();
        QCOMPARE(rowFileEmpty, 0);
        QCOMPARE(fileShown, QString());
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages()[0].title, QStringLiteral("Błąd"));
        QVERIFY(messages()[0].text.startsWith(QStringLiteral(
            "Wystąpił błąd podczas kopiowania załącznika. Możliwy brak dostępu do pliku lub katalogu z "
            "załącznikami. Oryginalny komunikat: ")));
        QCOMPARE(messages()[1].text, QStringLiteral("Nie wskazano pliku. Popraw pole."));
        const QStringList log = m_config->logLines();
        QVERIFY(!log.isEmpty());
        QVERIFY(log.last().contains(QStringLiteral("  [0000022123]  ")));
        QCOMPARE(row(key, "NAZWAPLIKU"), QString::number(key) + QStringLiteral("_dobry.pdf"));
        QCOMPARE(stored(row(key, "NAZWAPLIKU")), QByteArray("dobry"));
        // No temporary file is left behind.
        QCOMPARE(folderFiles(), QStringList({row(key, "NAZWAPLIKU")}));
    }

    void saveChecks()
    {
        ModalScript script;
        script.add(QStringLiteral("TfZalaczniki"), [&](QWidget* w) {
            click(w, "SBZapisz");
            Dialogs::setNextFileName(source(QStringLiteral("a.txt"), "a"));
            click(w, "SBWskaz");
            w->findChild<QLineEdit*>(QStringLiteral("fNAZWAZALACZNIKA"))->setText(QStringLiteral("   "));
            click(w, "SBZapisz");
            w->findChild<QLineEdit*>(QStringLiteral("fDATADODANIA"))->setText(QStringLiteral("99-99-2024"));
            click(w, "SBZapisz");
            click(w, "SBAnuluj");
        });
        m_list->trigger(SubList::Add);
        QVERIFY(script.done());
        QStringList texts;
        for (const Dialogs::Shown& s : messages())
            texts << s.text;
        QCOMPARE(texts, QStringList({QStringLiteral("Nie wskazano pliku. Popraw pole."),
                                     QStringLiteral("Nie podano nazwy załącznika. Popraw pole."),
                                     QStringLiteral("Niepoprawny format daty. Popraw pole.")}));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM zalaczniki")), QStringLiteral("0"));
    }

    void storedNames_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "57"
                               << "/skany/faktura.pdf"
                               << "57_faktura.pdf";
        QTest::newRow("no extension") << "3"
                                      << "/x/README"
                                      << "3_README";
        QTest::newRow("hidden file") << "3"
                                     << "/x/.config"
                                     << "3_.config";
        QTest::newRow("polish and quotes") << "8"
                                           << "/x/Umowa \"Łódź\" ż.docx"
                                           << "8_Umowa \"Łódź\" ż.docx";
        const QString longStem(300, QLatin1Char('a'));
        QTest::newRow("long name keeps its extension")
            << "12"
            << "/x/" + longStem + ".pdf"
            << "12_" + QString(250 - 3 - 4, QLatin1Char('a')) + ".pdf";
        const QString polishStem(200, QChar(0x17C)); // ż: two bytes each
        QTest::newRow("long Polish name fits in bytes")
            << "1"
            << "/x/" + polishStem + ".txt"
            << "1_" + QString((250 - 2 - 4) / 2, QChar(0x17C)) + ".txt";
    }
    void storedNames()
    {
        QFETCH(QString, key);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        QCOMPARE(AttachmentFiles::storedName(key, source), expected);
        QVERIFY(AttachmentFiles::isPlainName(expected));
    }

    void selectDirMakesASubfolder_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected"); // relative to the starting folder; "" when it stays
        QTest::newRow("plain") << "Załączniki"
                               << "Załączniki";
        QTest::newRow("existing") << "Załączniki"
                                  << "Załączniki";
        QTest::newRow("outside") << "../obok"
                                 << "";
        QTest::newRow("blank") << "   "
                               << "";
    }
    void selectDirMakesASubfolder()
    {
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        QDir(m_sources->path()).mkdir(QStringLiteral("Załączniki"));
        if (QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("plain"))
            QDir(m_sources->path()).rmdir(QStringLiteral("Załączniki"));
        TfSelectDir d;
        d.setFolder(m_sources->path());
        QCOMPARE(QDir::fromNativeSeparators(d.folder()), m_sources->path());
        Dialogs::setNextText(typed);
        d.SBNowyFolderClick();
        const QString expected = selected.isEmpty() ? m_sources->path() : m_sources->filePath(selected);
        QCOMPARE(QDir::fromNativeSeparators(d.folder()), expected);
        QVERIFY(QFileInfo(expected).isDir());
        QVERIFY(!QFileInfo::exists(m_sources->filePath(QStringLiteral("../obok"))));
        QCOMPARE(Dialogs::shown().last().title, QStringLiteral("Wprowadź nazwę podkatalogu"));
    }

    void previewIsReadOnlyAndPrint()
    {
        ModalScript script;
        addStep(script, source(QStringLiteral("plan.pdf"), "p"), QStringLiteral("Plan sieci"));
        m_list->trigger(SubList::Add);
        QVERIFY(script.done());
        bool readOnly = false;
        script.add(QStringLiteral("TfZalaczniki"), [&](QWidget* w) {
            readOnly = w->findChild<QLineEdit*>(QStringLiteral("fNAZWAZALACZNIKA"))->isReadOnly() &&
                       !w->findChild<QPushButton*>(QStringLiteral("SBWskaz"))->isVisible();
            click(w, "SBAnuluj");
        });
        m_list->trigger(SubList::Preview);
        QVERIFY(script.done());
        QVERIFY(readOnly);
        QString title, text;
        TfKomputery::Hooks hooks;
        hooks.printRecord = [&](const QString& t, const QString& x) {
            title = t;
            text = x;
        };
        m_editor->setHooks(hooks);
        m_list->trigger(SubList::Print);
        QCOMPARE(title, QStringLiteral("Załączniki"));
        QCOMPARE(text.split(QChar(13)).value(1), QStringLiteral("Nazwa zalacznika: Plan sieci"));
    }
};

QTEST_MAIN(TestAttachments)
#include "test_attachments.moc"
