#include "shell/OldTablesPage.h"

#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "shell/OldTablesProgressDialog.h"
#include "shell/TfWskazBaze.h"
#include "store/DatabaseLocation.h"
#include "store/OldTablesError.h"
#include "store/OldTablesImport.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Failures of bringing the previous version's tables over.
constexpr qint64 kFailureCode = 221;

QString cleanFolder(const QString& folder)
{
    QString path = QDir::fromNativeSeparators(folder.trimmed());
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QHBoxLayout* folderRow(QLineEdit* field, QPushButton* choose)
{
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(choose);
    return row;
}
} // namespace

OldTablesPage::OldTablesPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("OldTablesPage"));
    auto* intro = new QLabel(
        QStringLiteral(
            "Dane z poprzedniej wersji programu trafią do nowej bazy danych; pliki poprzedniej wersji "
            "pozostaną nietknięte. Przed przeniesieniem zamknij poprzednią wersję programu na "
            "wszystkich komputerach."),
        this);
    intro->setWordWrap(true);

    m_oldDir = new QLineEdit(QDir::toNativeSeparators(TfWskazBaze::startFolder()), this);
    m_oldDir->setObjectName(QStringLiteral("eStaraBaza"));
    m_oldDir->setToolTip(
        QStringLiteral("Folder z plikami tabel poprzedniej wersji (firmy.db, komputery.db, ...)"));
    auto* chooseOld = new QPushButton(QStringLiteral("Wybierz folder..."), this);
    chooseOld->setObjectName(QStringLiteral("SBStaraBaza"));
    chooseOld->setAutoDefault(false);
    connect(chooseOld, &QPushButton::clicked, this, &OldTablesPage::chooseOldFolder);

    m_oldPassword = new QLineEdit(this);
    m_oldPassword->setObjectName(QStringLiteral("eStareHaslo"));
    m_oldPassword->setEchoMode(QLineEdit::Password);

    m_newDir = new QLineEdit(QDir::toNativeSeparators(TfWskazBaze::startFolder()), this);
    m_newDir->setObjectName(QStringLiteral("eNowaBaza"));
    m_newDir->setToolTip(QStringLiteral("Nowa baza powstanie w podfolderze Sprzetnik_DB wskazanego folderu"));
    auto* chooseNew = new QPushButton(QStringLiteral("Wybierz folder..."), this);
    chooseNew->setObjectName(QStringLiteral("SBNowaBaza"));
    chooseNew->setAutoDefault(false);
    connect(chooseNew, &QPushButton::clicked, this, &OldTablesPage::chooseNewFolder);

    m_samePassword = new QCheckBox(QStringLiteral("Nowa baza z tym samym hasłem"), this);
    m_samePassword->setObjectName(QStringLiteral("cbToSamoHaslo"));
    m_samePassword->setChecked(true);
    m_newPassword = new QLineEdit(this);
    m_newPassword->setObjectName(QStringLiteral("eNoweHaslo"));
    m_newPassword->setToolTip(
        QStringLiteral("Tylko małe i duże litery lub cyfry. Długość od 3 do 15 znaków."));
    m_newPassword->setEnabled(false);
    connect(m_samePassword, &QCheckBox::toggled, this, &OldTablesPage::samePasswordToggled);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Folder bazy poprzedniej wersji:"), folderRow(m_oldDir, chooseOld));
    form->addRow(QStringLiteral("Hasło bazy poprzedniej wersji:"), m_oldPassword);
    form->addRow(QStringLiteral("Folder nowej bazy danych:"), folderRow(m_newDir, chooseNew));
    form->addRow(QString(), m_samePassword);
    form->addRow(QStringLiteral("Hasło nowej bazy danych:"), m_newPassword);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addStretch();
}

void OldTablesPage::chooseOldFolder()
{
    const QString folder = Dialogs::existingDirectory(
        this, QStringLiteral("Wskaż folder bazy poprzedniej wersji programu"), cleanFolder(m_oldDir->text()));
    if (!folder.isEmpty())
        m_oldDir->setText(QDir::toNativeSeparators(cleanFolder(folder)));
}

void OldTablesPage::chooseNewFolder()
{
    const QString folder = Dialogs::existingDirectory(
        this, QStringLiteral("Wskaż położenie nowej bazy danych"), cleanFolder(m_newDir->text()));
    if (!folder.isEmpty())
        m_newDir->setText(QDir::toNativeSeparators(cleanFolder(folder)));
}

void OldTablesPage::samePasswordToggled(bool same)
{
    m_newPassword->setEnabled(!same);
    if (!same)
        m_newPassword->setFocus();
}

bool OldTablesPage::bringOver()
{
    const QString oldDir = cleanFolder(m_oldDir->text());
    const QString newDir = cleanFolder(m_newDir->text());
    if (oldDir.isEmpty()) {
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("Wskaż folder bazy danych poprzedniej wersji programu."));
        return false;
    }
    if (newDir.isEmpty()) {
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Wskaż folder nowej bazy danych."));
        return false;
    }
    const bool same = m_samePassword->isChecked();
    const QString password = same ? m_oldPassword->text() : m_newPassword->text();
    const QString problem = TfWskazBaze::passwordProblem(password);
    if (!problem.isEmpty()) {
        Dialogs::info(QStringLiteral("Informacja"),
                      same ? QStringLiteral("Hasła bazy poprzedniej wersji nie można użyć w nowej bazie: %1 "
                                            "Odznacz „Nowa baza z tym samym hasłem” i podaj nowe hasło.")
                                 .arg(problem)
                           : problem);
        return false;
    }
    const QString target = TfWskazBaze::databaseFolderFor(newDir);

    OldTablesImport import(oldDir, m_oldPassword->text(), target, password);
    OldTablesImport::Summary summary;
    {
        OldTablesProgressDialog progress(window());
        import.setProgress(&progress);
        progress.show();
        try {
            summary = import.run();
        } catch (const OldTablesError& e) {
            progress.close();
            if (e.sqliteCode() != 0) {
                ErrorLog::report(e.message(), true, kFailureCode);
            } else {
                ErrorLog::writeLine(QLatin1Char('[') + ErrorLog::codeText(kFailureCode) +
                                    QStringLiteral("]  ") + e.message());
                Dialogs::info(e.reason() == OldTablesError::Reason::Cancelled ? QStringLiteral("Informacja")
                                                                              : QStringLiteral("Błąd"),
                              e.message());
            }
            return false;
        }
    }

    DatabaseLocation& location = DatabaseLocation::global();
    location.set(target, password);
    ErrorLog::writeLine(QStringLiteral("[9999999999]  db imported. Folder=") + location.location() +
                        QStringLiteral(" Source=") + QDir::toNativeSeparators(oldDir));
    for (const OldTablesImport::TableResult& table : summary.tables)
        for (const QString& skipped : table.skipped)
            ErrorLog::writeLine(QStringLiteral("[9999999999]  pominięto ") + table.file +
                                QStringLiteral(", ") + skipped);
    location.store();
    Dialogs::info(QStringLiteral("Informacja"), summary.text());
    return true;
}
