#include "maintenance/TfArchiwum.h"

#include "base/Clock.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/EngineMessages.h"
#include "base/ErrorLog.h"
#include "base/TFileOperation.h"
#include "base/TFileOperations.h"
#include "maintenance/ArchiveBuilder.h"
#include "maintenance/ArchiveDescription.h"
#include "maintenance/DatabaseSnapshot.h"
#include "maintenance/OtherWorkstations.h"
#include "store/DatabaseLocation.h"
#include "store/DbError.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
const QString kAttachmentsSub = QStringLiteral("zalaczniki");

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& hint)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    return b;
}

void paint(QWidget* w, bool active)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, active ? QColor(Qt::white) : QColor(187, 187, 187));
    w->setPalette(p);
}

bool validOrEmpty(const DateField* field)
{
    return field->isEmptyDate() || field->isValidDate();
}

QString dateFolderName()
{
    return Clock::today().toString(QStringLiteral("yyyy-MM-dd"));
}

int copyFiles(const QString& source, const QString& destination)
{
    TFileOperation op(TFileOperation::foCopy, QStringLiteral("Kopiowanie plików"));
    TFileOperations ops;
    ops.selectOperation(&op);
    ops.clear();
    ops.addSource(source);
    ops.addDestination(destination);
    return ops.execute();
}

// Codes of the error log.
constexpr qint64 kArchiveFailed = 24021112;
constexpr qint64 kRestoreFailed = 24021113;

void logFailure(const QString& message, const QString& detail, qint64 code)
{
    ErrorLog::log(detail.isEmpty() || detail == message
                      ? message
                      : message + QStringLiteral(" (") + detail + QLatin1Char(')'),
                  code);
}

const QString kInconsistent = QStringLiteral(
    "Pliki archiwum są niespójne. Podane hasło nie pasuje do niektórych plików archiwum. Prawdopodobną "
    "przyczyną jest niepowołana ingerencja użytkownika w archiwum.");
} // namespace

TfArchiwum::TfArchiwum(TmyDataBase& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_drive(new QComboBox(this)), m_tree(new QTreeView(this)),
      m_model(new QFileSystemModel(this)), m_oNazwa(new QLineEdit(this)), m_oData(new DateField(this)),
      m_oCalendar(new CalendarPicker(m_oData, this)), m_nNazwa(new QLineEdit(this)),
      m_nData(new DateField(this)), m_nCalendar(new CalendarPicker(m_nData, this))
{
    setObjectName(QStringLiteral("TfArchiwum"));
    setWindowTitle(QStringLiteral("Archiwizacja danych"));
    setModal(true);
    resize(820, 520);

    auto* heading = new QLabel(QStringLiteral("Archiwizacja danych"), this);
    heading->setObjectName(QStringLiteral("Naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    const QString findHint = QStringLiteral("Odszukaj miejsce położenia archiwum");
    m_drive->setObjectName(QStringLiteral("aDrive"));
    m_drive->setToolTip(findHint);
    for (const QFileInfo& drive : QDir::drives())
        m_drive->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()), drive.absoluteFilePath());
    connect(m_drive, &QComboBox::activated, this, &TfArchiwum::driveChosen);

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    m_tree->setObjectName(QStringLiteral("aDir"));
    m_tree->setToolTip(findHint);
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                m_folder = m_model->filePath(index);
                refreshFound();
            });

    const QString subHint = QStringLiteral("Stwórz nowy podkatalog  w wybranej lokalizacji");
    auto* sub = button(this, "SBNowyPodkatalog",
                       QStringLiteral("&Stwórz nowy podkatalog  w wybranej lokalizacji    "), subHint);
    auto* newFolder = button(this, "SBNowyFolder", QStringLiteral("Nowy folder"), subHint);
    connect(sub, &QPushButton::clicked, this, &TfArchiwum::nowyPodkatalogClick);
    connect(newFolder, &QPushButton::clicked, this, &TfArchiwum::nowyPodkatalogClick);

    auto* left = new QVBoxLayout;
    left->addWidget(m_drive);
    left->addWidget(m_tree, 1);
    left->addWidget(sub);
    left->addWidget(newFolder);

    // The archive found in the selected folder.
    auto* found = new QGroupBox(QStringLiteral("Przywróć dane z archiwum"), this);
    found->setObjectName(QStringLiteral("PanelPrzywroc"));
    m_oNazwa->setObjectName(QStringLiteral("oNazwa"));
    m_oNazwa->setMaxLength(ArchiveDescription::kNameSize);
    m_oData->setObjectName(QStringLiteral("oData"));
    m_oCalendar->setObjectName(QStringLiteral("oDTPData"));
    m_oCalendar->setToolTip(QStringLiteral("Wybierz datę z kalendarza"));
    m_zapisz = button(found, "zapisz", QStringLiteral(" Zapisz zmiany               "),
                      QStringLiteral("Zapisz zmiany opisu odnalezionego archiwum"));
    m_usun = button(found, "usun", QStringLiteral(" Usuń archiwum             "),
                    QStringLiteral("Usuń odnalezione archiwum"));
    m_odtworz =
        button(found, "odtworz", QStringLiteral(" Przywróć z archiwum  "),
               QStringLiteral("Odtwórz dane ze znalezionego archiwum. Dotychczasowe dane zostaną usunięte"));
    connect(m_zapisz, &QPushButton::clicked, this, &TfArchiwum::zapiszClick);
    connect(m_usun, &QPushButton::clicked, this, &TfArchiwum::usunClick);
    connect(m_odtworz, &QPushButton::clicked, this, &TfArchiwum::odtworzClick);
    auto* fg = new QGridLayout(found);
    fg->addWidget(new QLabel(QStringLiteral("Nazwa"), found), 0, 0);
    fg->addWidget(m_oNazwa, 0, 1, 1, 3);
    fg->addWidget(new QLabel(QStringLiteral("Data"), found), 1, 0);
    fg->addWidget(m_oData, 1, 1);
    fg->addWidget(m_oCalendar, 1, 2);
    fg->addWidget(new QLabel(QStringLiteral("DD-MM-RRRR"), found), 1, 3);
    auto* fb = new QHBoxLayout;
    fb->addWidget(m_zapisz);
    fb->addWidget(m_usun);
    fb->addWidget(m_odtworz);
    fg->addLayout(fb, 2, 0, 1, 4);

    // A new archive.
    auto* fresh = new QGroupBox(QStringLiteral("Wykonaj kopię bezpieczeństwa"), this);
    fresh->setObjectName(QStringLiteral("PanelNowe"));
    m_nNazwa->setObjectName(QStringLiteral("nNazwa"));
    m_nNazwa->setMaxLength(ArchiveDescription::kNameSize);
    m_nData->setObjectName(QStringLiteral("nData"));
    m_nCalendar->setObjectName(QStringLiteral("nDTPData"));
    m_nCalendar->setToolTip(QStringLiteral("Wybierz datę z kalendarza"));
    auto* stworz = button(fresh, "stworz", QStringLiteral(" Stwórz archiwum         "),
                          QStringLiteral("Stwórz nowe archiwum bazy danych we wskazanym katalogu"));
    connect(stworz, &QPushButton::clicked, this, &TfArchiwum::stworzClick);
    auto* ng = new QGridLayout(fresh);
    ng->addWidget(new QLabel(QStringLiteral("Nazwa"), fresh), 0, 0);
    ng->addWidget(m_nNazwa, 0, 1, 1, 3);
    ng->addWidget(new QLabel(QStringLiteral("Data"), fresh), 1, 0);
    ng->addWidget(m_nData, 1, 1);
    ng->addWidget(m_nCalendar, 1, 2);
    ng->addWidget(new QLabel(QStringLiteral("DD-MM-RRRR"), fresh), 1, 3);
    ng->addWidget(stworz, 2, 0, 1, 4, Qt::AlignRight);

    auto* right = new QVBoxLayout;
    right->addWidget(found);
    right->addWidget(fresh);
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right, 1);

    auto* ok = button(this, "SBOk", QStringLiteral("  &Ok   "), {});
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
}

void TfArchiwum::driveChosen(int index)
{
    setSelectedFolder(m_drive->itemData(index).toString());
}

bool TfArchiwum::folderChosen() const
{
    return !m_folder.isEmpty() && QDir::isAbsolutePath(m_folder) && QFileInfo(m_folder).isDir();
}

void TfArchiwum::setSelectedFolder(const QString& folder)
{
    m_folder = QDir::cleanPath(folder);
    const QModelIndex index = m_model->index(m_folder);
    if (index.isValid()) {
        const QSignalBlocker block(m_tree->selectionModel());
        m_tree->setCurrentIndex(index);
        m_tree->scrollTo(index);
    }
    refreshFound();
}

void TfArchiwum::showEvent(QShowEvent* event)
{
    m_nNazwa->clear();
    m_nData->setDate(Clock::today());
    m_nCalendar->syncFromField();
    refreshFound();
    QDialog::showEvent(event);
}

void TfArchiwum::refreshFound()
{
    m_oNazwa->clear();
    m_oData->setText(DateField::emptyText());
    m_oCalendar->setDate(Clock::today());
    for (QWidget* w :
         {static_cast<QWidget*>(m_oNazwa), static_cast<QWidget*>(m_oData), static_cast<QWidget*>(m_oCalendar),
          static_cast<QWidget*>(m_zapisz), static_cast<QWidget*>(m_usun), static_cast<QWidget*>(m_odtworz)})
        w->setEnabled(false);
    paint(m_oNazwa, false);
    paint(m_oData, false);
    if (!ArchiveDescription::existsIn(m_folder))
        return;
    const ArchiveDescription d = ArchiveDescription::read(m_folder);
    m_oNazwa->setText(d.name);
    m_oData->setDateText(d.date);
    for (QWidget* w :
         {static_cast<QWidget*>(m_oNazwa), static_cast<QWidget*>(m_oData), static_cast<QWidget*>(m_oCalendar),
          static_cast<QWidget*>(m_zapisz), static_cast<QWidget*>(m_usun), static_cast<QWidget*>(m_odtworz)})
        w->setEnabled(true);
    m_oCalendar->syncFromField();
    paint(m_oNazwa, true);
    paint(m_oData, true);
}

void TfArchiwum::nowyPodkatalogClick()
{
    // Without a folder chosen the subfolder would land in the program's working folder.
    if (!folderChosen()) {
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Nie wskazano folderu. Wskaż w drzewie folderów miejsce, w którym ma "
                                     "powstać nowy podkatalog."));
        return;
    }
    QString name = dateFolderName();
    if (!Dialogs::prompt(QStringLiteral("Wprowadź nazwę podkatalogu"), QStringLiteral("Nazwa podkatalogu"),
                         name))
        return;
    const QString path = QDir(m_folder).filePath(name);
    QDir().mkdir(path); // a failure is ignored: the folder may be there already
    setSelectedFolder(path);
}

void TfArchiwum::stworzClick()
{
    if (!validOrEmpty(m_nData)) {
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Niepoprawny format daty archiwum. Popraw pole."));
        m_nData->setFocus();
        return;
    }
    if (!folderChosen()) {
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Nie wskazano folderu archiwum. Wskaż w drzewie "
                                     "folderów miejsce, w którym ma powstać archiwum."));
        return;
    }
    const QString folder = m_folder;
    if (ArchiveDescription::existsIn(folder) &&
        !Dialogs::question(
            QStringLiteral("Pytanie"),
            QStringLiteral("We wskazanym katalogu istnieje już archiwum. Czy zastąpić znalezione "
                           "archiwum?")))
        return;
    const QString attachments = Config::global().attachmentsFolder();
    const bool withAttachments = !attachments.isEmpty() && QDir(attachments).exists();
    ArchiveBuilder builder(m_db.DatabaseMain(), DatabaseLocation::global().password());
    const ArchiveBuilder::Failure failure =
        builder.build(folder, withAttachments ? attachments : QString(),
                      ArchiveDescription{m_nNazwa->text(), m_nData->dateText()});
    if (failure != ArchiveBuilder::Failure::None) {
        // The previous archive, if any, is as it was, or the folder holds none.
        logFailure(builder.error(), builder.detail(), kArchiveFailed);
        if (failure == ArchiveBuilder::Failure::Attachments)
            Dialogs::info(QStringLiteral("Błąd"), QStringLiteral("Nie udało się zarchiwizować załączników."));
        else
            Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Nie udało się stworzyć archiwum. ") +
                                                            EngineMessages::forUser(builder.error()));
        refreshFound();
        return;
    }
    if (attachments.isEmpty())
        Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Nie skonfigurowano lokalizacji katalogu z "
                                                              "załącznikami. Pliki załączników nie zostaną "
                                                              "zarchiwizowane."));
    else if (!withAttachments)
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Nie poprawna lokalizacja katalogu z załącznikami: ") + attachments +
                          QLatin1Char('\r') +
                          QStringLiteral("Pliki załączników nie zostaną zarchiwizowane."));
    Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Archiwum zostało stworzone."));
    refreshFound();
    m_nData->setText(DateField::emptyText());
    m_nNazwa->clear();
}

void TfArchiwum::zapiszClick()
{
    if (!validOrEmpty(m_oData)) {
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Niepoprawny format daty archiwum. Popraw pole."));
        m_oData->setFocus();
        return;
    }
    ArchiveDescription d{m_oNazwa->text(), m_oData->dateText()};
    if (d.write(m_folder))
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Zmiany w opisie archiwum zapisano."));
}

void TfArchiwum::usunClick()
{
    if (!Dialogs::question(QStringLiteral("Uwaga"),
                           QStringLiteral("Archiwum zostanie trwale usunięte. Odzyskanie archiwum będzie "
                                          "niemożliwe. Czy kontynuować usuwanie?")))
        return;
    TFileOperation op(TFileOperation::foDelete, QStringLiteral("Usuwanie archiwum"));
    TFileOperations ops;
    ops.selectOperation(&op);
    ops.clear();
    ops.addSource(QDir(m_folder).filePath(kDatabaseFileName));
    ops.addSource(QDir(m_folder).filePath(ArchiveDescription::kFileName));
    ops.execute(); // what could not be removed stays; the panel shows what is left
    refreshFound();
}

void TfArchiwum::odtworzClick()
{
    if (!OtherWorkstations::mayGoOn(m_db, OtherWorkstations::Operation::Restore))
        return;
    if (!Dialogs::question(QStringLiteral("Pytanie"),
                           QStringLiteral("Czy odtworzyć dane ze wskazanego archiwum?")) ||
        !Dialogs::question(
            QStringLiteral("Uwaga"),
            QStringLiteral("Dotychczasowe dane zostaną bezpowrotnie utracone. Czy mimo to chcesz "
                           "kontynuować operację odtwarzania danych z archiwum?")))
        return;
    const QString folder = m_folder;
    if (!ArchiveDescription::existsIn(folder)) {
        Dialogs::info(QStringLiteral("Informacje"),
                      QStringLiteral("We wskazanym katalogu nie znaleziono archiwum."));
        return;
    }
    // The archive is checked whole before anything of the live database is touched.
    const QString archiveFile = QDir(folder).filePath(kDatabaseFileName);
    const QString current = DatabaseLocation::global().password();
    QString archivePassword = current;
    DatabaseSnapshot::Check check = DatabaseSnapshot::check(archiveFile, current);
    const bool samePassword = check != DatabaseSnapshot::Check::WrongPassword;
    while (check == DatabaseSnapshot::Check::WrongPassword) {
        QString entered;
        Dialogs::setNextPromptPassword();
        if (!Dialogs::prompt(QStringLiteral("Informacje"),
                             QStringLiteral("Proszę podać hasło bazy danych, z której pochodzi archiwum"),
                             entered))
            return;
        check = DatabaseSnapshot::check(archiveFile, entered);
        if (check == DatabaseSnapshot::Check::WrongPassword)
            Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Podane hasło jest niepoprawne."));
        else
            archivePassword = entered;
    }
    if (check == DatabaseSnapshot::Check::Inconsistent) {
        Dialogs::info(QStringLiteral("Błąd"), kInconsistent);
        return;
    }
    QString error;
    QString detail;
    const DatabaseSnapshot::RestoreFailure failure =
        DatabaseSnapshot::restore(m_db, archiveFile, archivePassword, current, &error, &detail);
    if (failure != DatabaseSnapshot::RestoreFailure::None)
        logFailure(error, detail, kRestoreFailed);
    if (failure == DatabaseSnapshot::RestoreFailure::Rekey) {
        Dialogs::info(QStringLiteral("Błąd"),
                      QStringLiteral("Wystąpił błąd krytyczny podczas nadawania plikom bazy nowego hasła."));
        return;
    }
    if (failure != DatabaseSnapshot::RestoreFailure::None) {
        // The live database is as it was before the restore.
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("Nie udało się odtworzyć danych z archiwum. ") +
                          (error.isEmpty() ? QString() : EngineMessages::forUser(error) + QLatin1Char(' ')) +
                          QStringLiteral("Spróbuj wykonać operację ponownie."));
        return;
    }
    emit databaseRestored();

    if (QDir(QDir(folder).filePath(kAttachmentsSub)).exists()) {
        const QString attachments = Config::global().attachmentsFolder();
        if (attachments.isEmpty()) {
            Dialogs::info(QStringLiteral("Uwaga"),
                          QStringLiteral("Nie skonfigurowano lokalizacji katalogu z "
                                         "załącznikami. Pliki załączników nie zostaną "
                                         "przywrócone."));
        } else if (Dialogs::question(
                       QStringLiteral("Pytanie"),
                       QStringLiteral("Czy skopiować pliki załączników z archwum do ") + attachments +
                           QStringLiteral(" ? Istniejące pliki w tym katalogu zostaną nadpisane."))) {
            if (QDir(attachments).exists()) {
                const QDir source(QDir(folder).filePath(kAttachmentsSub));
                if (!source.isEmpty(QDir::Files | QDir::Hidden | QDir::System) &&
                    copyFiles(source.filePath(QStringLiteral("*")), attachments) != 0) {
                    Dialogs::info(QStringLiteral("Błąd"),
                                  QStringLiteral("Nie udało się odtworzyć załączników z archiwum."));
                    return;
                }
            } else {
                Dialogs::info(QStringLiteral("Uwaga"),
                              QStringLiteral("Nie poprawna lokalizacja katalogu z załącznikami: ") +
                                  attachments + QLatin1Char('\r') +
                                  QStringLiteral("Pliki załączników nie zostaną przywrócone."));
            }
        }
    }
    if (samePassword)
        Dialogs::info(QStringLiteral("Informacje"),
                      QStringLiteral("Operacja przebiegła pomyślnie. Dane zostały odtworzone z archiwum."));
    else
        Dialogs::info(
            QStringLiteral("Informacje"),
            QStringLiteral("Operacja przebiegła pomyślnie. Dane zostały odtworzone z archiwum i przyjęły "
                           "hasło bieżącej bazy danych. Przy ponownej archiwizacji pliki zabezpieczone "
                           "będą bieżącym hasłem bazy."));
}
