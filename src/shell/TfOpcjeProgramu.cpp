#include "shell/TfOpcjeProgramu.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "editors/TfSelectDir.h"
#include "editors/TfTutorial2.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// A check box of a tab: its objectName, the option it edits, its caption.
struct BoxRow
{
    const char* name;
    const char* key;
    const char* caption;
};

const BoxRow kGeneral[] = {
    {"PokazujPoradeDnia", "PokazujPoradeDnia", "Pokazuj poradę dnia podczas uruchomienia programu"},
    {"pytajPrzedZamknieciem", "pytajPrzedZamknieciem", "Pytaj przed zamknięciem programu"},
    {"pytajPrzedKasowaniem", "pytajPrzedKasowaniem", "Pytaj przed kasowaniem danych w tabelach"},
    {"sprawdzajBhp", "sprawdzajBhp", "Po uruchomieniu programu sprawdź zapotrzebowanie na środki BHP"},
    {"sprawdzajMagazyn", "cbMagazyn", "Przy starcie programu sprawdź stany magazynowe"},
    {"cbAllowChangeOsobowaNREW", "cbAllowChangeOsobowaNREW",
     "Zezwól na zmianę numeru ewidencyjnego w kartotece osobowej"},
    {"atkualizujStanBhp", "atkualizujStanBhp",
     "Pokaż ekran aktualizacji ilości środków BHP na stanie podczas edycji stanów posiadania"},
    {"uzyjAktualnejIlosciBHP", "uzyjAktualnejIlosciBHP", "Domyślnie użyj zaktualizowanej ilości środków BHP"},
};

const BoxRow kDeadlines[] = {
    {"cbNaprawy", "cbNaprawy", "Zaplanowane naprawy (pole 'Termin' w zakładce Naprawy)"},
    {"cbTerminy", "cbTerminy", "Zaplanowane aktywne terminy"},
    {"sprawdzajNotatki", "sprawdzajNotatki", "Notatki na bieżącą datę"},
    {"cbDokumenty", "cbDokumenty", "Terminy dokumentów"},
    {"cbBhpStan", "cbBhpStan", "Terminy wymiany środków BHP"},
};

const BoxRow kAttachments[] = {
    {"usuwajZajaczniki", "usuwajZajaczniki",
     "Podczas kasowania załączników usuwaj również sam plik załącznika"},
};

const BoxRow kReports[] = {
    {"cbRapZaakceptowal", "cbRapZaakceptowal", "Umieszczaj na raportach \"Zaakceptował\""},
    {"cbRapWystawil", "cbRapWystawil", "Umieszczaj na raportach \"Wystawił\""},
    {"cbRapData", "cbRapData", "Umieszczaj na raportach datę wystawienia"},
    {"cbRapFirma", "cbRapFirma", "Umieszczaj na raportach dane firmy"},
};

QCheckBox* makeBox(const char* name, const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLineEdit* dayField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setMaximumWidth(80);
    return field;
}
} // namespace

TfOpcjeProgramu::TfOpcjeProgramu(Config& config, QWidget* parent) : QDialog(parent), m_config(config)
{
    setObjectName(QStringLiteral("TfOpcjeProgramu"));
    setWindowTitle(QStringLiteral("Opcje programu"));
    setModal(true);
    setMinimumSize(680, 420);

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Opcje programu"), this);
    heading->setObjectName(QStringLiteral("lNaglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    heading->setFont(font);
    layout->addWidget(heading);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl"));
    layout->addWidget(m_tabs, 1);

    const auto addBoxes = [this](const auto& rows, QWidget* page, QBoxLayout* into) {
        for (const BoxRow& row : rows) {
            QCheckBox* box = makeBox(row.name, QString::fromUtf8(row.caption), page);
            into->addWidget(box);
            m_options << Option{box, QLatin1String(row.key)};
        }
    };

    // Ogólne
    auto* general = new QWidget(m_tabs);
    general->setObjectName(QStringLiteral("tsOgolne"));
    auto* generalLayout = new QVBoxLayout(general);
    addBoxes(kGeneral, general, generalLayout);
    generalLayout->addStretch();
    m_tabs->addTab(general, QStringLiteral("Ogólne"));

    // Sprawdzanie terminów
    auto* deadlines = new QWidget(m_tabs);
    deadlines->setObjectName(QStringLiteral("tsSprawdzanieTerminow"));
    auto* deadlinesLayout = new QVBoxLayout(deadlines);
    deadlinesLayout->addWidget(new QLabel(QStringLiteral("Sprawdzaj:"), deadlines));
    addBoxes(kDeadlines, deadlines, deadlinesLayout);
    auto* days = new QGridLayout;
    m_dataPrzed = dayField("dataPrzed", deadlines);
    m_dataPo = dayField("dataPo", deadlines);
    days->addWidget(new QLabel(QStringLiteral("Ile dni przed terminem informować "), deadlines), 0, 0);
    days->addWidget(m_dataPrzed, 0, 1);
    days->addWidget(new QLabel(QStringLiteral("Ile dni po terminie informować "), deadlines), 1, 0);
    days->addWidget(m_dataPo, 1, 1);
    days->addWidget(new QLabel(QStringLiteral("Wartość 0 oznacza bezterminowo"), deadlines), 1, 2);
    days->setColumnStretch(3, 1);
    deadlinesLayout->addLayout(days);
    deadlinesLayout->addStretch();
    m_tabs->addTab(deadlines, QStringLiteral("Sprawdzanie terminów"));

    // Załączniki
    auto* attachments = new QWidget(m_tabs);
    attachments->setObjectName(QStringLiteral("tsZalaczniki"));
    auto* attachmentsLayout = new QVBoxLayout(attachments);
    attachmentsLayout->addWidget(new QLabel(QStringLiteral("Lokalizacja załączników:"), attachments));
    auto* folderRow = new QHBoxLayout;
    m_folder = new QLineEdit(attachments);
    m_folder->setObjectName(QStringLiteral("lokalizacjaZalacznikow"));
    folderRow->addWidget(m_folder, 1);
    auto* pick = new QPushButton(QStringLiteral("Wskaż katalog"), attachments);
    pick->setObjectName(QStringLiteral("SBWskazKatalog"));
    pick->setAutoDefault(false);
    folderRow->addWidget(pick);
    auto* help = new QPushButton(QStringLiteral("?"), attachments);
    help->setObjectName(QStringLiteral("SBPomoc"));
    help->setToolTip(QStringLiteral("Pomoc"));
    help->setAutoDefault(false);
    folderRow->addWidget(help);
    attachmentsLayout->addLayout(folderRow);
    addBoxes(kAttachments, attachments, attachmentsLayout);
    attachmentsLayout->addStretch();
    m_tabs->addTab(attachments, QStringLiteral("Załączniki"));

    // Raporty
    auto* reports = new QWidget(m_tabs);
    reports->setObjectName(QStringLiteral("tsRaporty"));
    auto* reportsLayout = new QVBoxLayout(reports);
    addBoxes(kReports, reports, reportsLayout);
    reportsLayout->addStretch();
    m_tabs->addTab(reports, QStringLiteral("Raporty"));

    // Kopia zapasowa
    auto* backup = new QWidget(m_tabs);
    backup->setObjectName(QStringLiteral("tsKopiaZapasowa"));
    auto* backupLayout = new QVBoxLayout(backup);
    auto* numbers = new QGridLayout;
    m_howOften = new QSpinBox(backup);
    m_howOften->setObjectName(QStringLiteral("cbHowOften"));
    m_howOften->setRange(1, 365);
    m_howManyFolders = new QSpinBox(backup);
    m_howManyFolders->setObjectName(QStringLiteral("cbHowManyFolders"));
    m_howManyFolders->setRange(2, 100);
    m_howOften->setMinimumWidth(80);
    m_howManyFolders->setMinimumWidth(80);
    numbers->addWidget(new QLabel(QStringLiteral("Co ile dni wykonywać kopię?"), backup), 0, 0);
    numbers->addWidget(m_howOften, 0, 1);
    numbers->addWidget(new QLabel(QStringLiteral("Ile kopii przechowywać?"), backup), 1, 0);
    numbers->addWidget(m_howManyFolders, 1, 1);
    numbers->setColumnStretch(2, 1);
    backupLayout->addLayout(numbers);
    m_onlyAdmin = makeBox("cbIsOnlyAdmin", QStringLiteral("Tylko administrator może wykonać kopię"), backup);
    m_doBackup = makeBox(
        "cbIsDoBackup",
        QStringLiteral("Włącz mechanizm automatycznego tworzenia kopii bezpieczeństwa bazy danych"), backup);
    m_askBefore = makeBox("cbIsAskBeforeBackup", QStringLiteral("Pytaj przed wykonaniem kopii"), backup);
    backupLayout->addWidget(m_onlyAdmin);
    backupLayout->addWidget(m_doBackup);
    backupLayout->addWidget(m_askBefore);
    backupLayout->addStretch();
    backupLayout->addWidget(
        new QLabel(QStringLiteral("*) Tą konfigurację może zmienić jedynie Administrator"), backup));
    m_tabs->addTab(backup, QStringLiteral("Kopia zapasowa"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* save = new QPushButton(QStringLiteral("&Zapisz"), this);
    save->setObjectName(QStringLiteral("SBZapisz"));
    save->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    cancel->setObjectName(QStringLiteral("SBAnuluj"));
    cancel->setAutoDefault(false);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, &TfOpcjeProgramu::SBZapiszClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(pick, &QPushButton::clicked, this, &TfOpcjeProgramu::SBWskazKatalogClick);
    connect(help, &QPushButton::clicked, this, &TfOpcjeProgramu::SBPomocClick);
}

void TfOpcjeProgramu::setBackupParams(const SystemParams& params, bool editable)
{
    m_howOften->setValue(params.intervalDays);
    m_howManyFolders->setValue(params.slotsKept);
    m_onlyAdmin->setChecked(params.adminsOnly);
    m_askBefore->setChecked(params.askFirst);
    m_doBackup->setChecked(params.enabled);
    for (QWidget* control : {static_cast<QWidget*>(m_howOften), static_cast<QWidget*>(m_howManyFolders),
                             static_cast<QWidget*>(m_onlyAdmin), static_cast<QWidget*>(m_askBefore),
                             static_cast<QWidget*>(m_doBackup)})
        control->setEnabled(editable);
}

SystemParams TfOpcjeProgramu::backupParams(SystemParams base) const
{
    base.intervalDays = m_howOften->value();
    base.slotsKept = m_howManyFolders->value();
    base.adminsOnly = m_onlyAdmin->isChecked();
    base.askFirst = m_askBefore->isChecked();
    base.enabled = m_doBackup->isChecked();
    return base;
}

void TfOpcjeProgramu::showEvent(QShowEvent* event)
{
    loadOptions();
    QDialog::showEvent(event);
}

void TfOpcjeProgramu::loadOptions()
{
    m_tabs->setCurrentIndex(0);
    for (const Option& option : m_options)
        option.box->setChecked(m_config.flag(option.key));
    m_folder->setText(m_config.attachmentsFolder());
    m_dataPrzed->setText(QString::number(m_config.number(QStringLiteral("dataWsteczna"))));
    m_dataPo->setText(QString::number(m_config.number(QStringLiteral("dataWstecznaMin"))));
}

void TfOpcjeProgramu::SBZapiszClick()
{
    const QString folder = Config::withoutTrailingSeparator(m_folder->text().trimmed());
    // Asked first: staying in the dialog must leave every option as it was,
    // or a later save (the window size, for one) would store half the changes.
    if (!folder.isEmpty() && !QFileInfo(folder).isDir() &&
        Dialogs::question(QStringLiteral("Pytanie"),
                          QStringLiteral("Wskazana lokalizacja nie istnieje. Czy chcesz wskazać inną?")))
        return;
    for (const Option& option : m_options)
        m_config.set(option.key, option.box->isChecked());
    bool ok = false;
    const int before = m_dataPrzed->text().trimmed().toInt(&ok);
    if (ok)
        m_config.set(QStringLiteral("dataWsteczna"), before);
    const int after = m_dataPo->text().trimmed().toInt(&ok);
    if (ok)
        m_config.set(QStringLiteral("dataWstecznaMin"), after);
    m_config.setAttachmentsFolder(folder);
    m_config.save();
    accept();
}

void TfOpcjeProgramu::SBWskazKatalogClick()
{
    if (m_folder->text().trimmed().isEmpty()) {
        TfTutorial2 guide(this);
        guide.exec();
    }
    TfSelectDir picker(this);
    picker.setFolder(m_folder->text().trimmed());
    if (picker.exec() == QDialog::Accepted)
        m_folder->setText(picker.folder());
}

void TfOpcjeProgramu::SBPomocClick()
{
    TfTutorial2 guide(this);
    guide.exec();
}
