#include "reminders/TfSprawdzenieDat.h"

#include "base/Clock.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "registers/TVXExportToCSV.h"
#include "store/AppState.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

namespace {
QPushButton* addButton(QWidget* parent, QHBoxLayout* row, const char* name, const QString& caption,
                       const QString& hint)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}
} // namespace

TfSprawdzenieDat::TfSprawdzenieDat(TmyDataBase& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_check(db), m_model(new DeadlineTableModel(this)),
      m_table(new QTableView(this)), m_top(new QCheckBox(QStringLiteral("Zawsze na wierzchu"), this))
{
    setObjectName(QStringLiteral("TfSprawdzenieDat"));
    setWindowTitle(QStringLiteral("Sprawdzenie terminów"));
    resize(1100, 480);

    auto* heading = new QLabel(QStringLiteral("Wkrótce upłynie bądź już upłynął termin dla:"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    m_model->setFixedColor(palette().color(QPalette::Button));
    m_table->setObjectName(QStringLiteral("SGTabela"));
    m_table->setModel(m_model);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setColumnHidden(DeadlineTableModel::kKeyColumn, true); // the key of delete and deactivate
    m_table->setColumnWidth(0, 80);
    m_table->setColumnWidth(1, 50);
    m_table->setColumnWidth(2, 170);
    m_table->setColumnWidth(3, 400);
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->setColumnWidth(4, 360);
    m_table->setStyleSheet(
        QStringLiteral("QTableView::item:selected { background: #0000c0; color: white; }"));

    m_top->setObjectName(QStringLiteral("cbTop"));
    connect(m_top, &QCheckBox::toggled, this, &TfSprawdzenieDat::cbTopClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_top);
    buttons->addStretch();
    connect(addButton(this, buttons, "SBCSV", QStringLiteral("do CSV"),
                      QStringLiteral("Zapisz tabelę do arkusza CSV")),
            &QPushButton::clicked, this, &TfSprawdzenieDat::SBCSVClick);
    connect(addButton(this, buttons, "SBTXT", QStringLiteral("do TXT ..."),
                      QStringLiteral("Zapisz tabelę do pliku tekstowego")),
            &QPushButton::clicked, this, &TfSprawdzenieDat::SBTXTClick);
    connect(addButton(this, buttons, "SBDezaktywuj", QStringLiteral("Dezaktywuj"),
                      QStringLiteral("Dezaktywuj wskazany termin")),
            &QPushButton::clicked, this, &TfSprawdzenieDat::SBDezaktywujClick);
    connect(
        addButton(this, buttons, "SBUsun", QStringLiteral("Usuń"), QStringLiteral("Usuń wskazaną pozycję")),
        &QPushButton::clicked, this, &TfSprawdzenieDat::SBUsunClick);
    connect(addButton(this, buttons, "SBDezaktywujWszystko", QStringLiteral("Dezakt. wszystko"),
                      QStringLiteral("Dezaktywuj wszystkie terminy")),
            &QPushButton::clicked, this, &TfSprawdzenieDat::SBDezaktywujWszystkoClick);
    QPushButton* ok = addButton(this, buttons, "SBOk", QStringLiteral("&Ok"), QStringLiteral("Zamknij okno"));
    connect(ok, &QPushButton::clicked, this, [this] {
        m_filledIn = false;
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
}

bool TfSprawdzenieDat::fillTable()
{
    // The entries of the last fill go first: the new ones take their memory.
    m_model->setEntries({});
    m_model->setEntries(
        m_check.collect(DeadlineOptions::fromConfig(), AppState::instance().rights, Clock::today()));
    return !entries().isEmpty();
}

void TfSprawdzenieDat::showAfterLogin()
{
    if (!fillTable())
        return;
    m_filledIn = true;
    setModal(true);
    exec();
    m_filledIn = false;
}

void TfSprawdzenieDat::showFromMenu()
{
    m_filledIn = false;
    if (isVisible()) {
        fillTable();
        raise();
        activateWindow();
        return;
    }
    setModal(false);
    show();
    raise();
}

void TfSprawdzenieDat::showEvent(QShowEvent* event)
{
    if (!m_filledIn)
        fillTable();
    QDialog::showEvent(event);
}

void TfSprawdzenieDat::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        m_model->setFixedColor(palette().color(QPalette::Button));
    QDialog::changeEvent(event);
}

QList<QStringList> TfSprawdzenieDat::shownRows() const
{
    QList<QStringList> rows;
    const int count = m_model->rowCount();
    rows.reserve(count);
    for (int r = 0; r < count; ++r) {
        QStringList cells;
        cells.reserve(5);
        for (int c = 0; c < 5; ++c)
            cells << m_model->cellText(r, c);
        rows << cells;
    }
    return rows;
}

int TfSprawdzenieDat::selectedEntry() const
{
    const int row = m_table->currentIndex().row();
    if (row < 0 || row >= entries().size())
        return -1;
    return row;
}

bool TfSprawdzenieDat::mayChange(const DeadlineEntry& entry) const
{
    if (AppState::instance().has(DeadlineCheck::writeRight(entry.kind)))
        return true;
    Dialogs::info(QStringLiteral("Informacja"),
                  QStringLiteral("Brak uprawnień do wykonania wskazanej operacji."));
    return false;
}

void TfSprawdzenieDat::removeEntry(int index)
{
    m_model->removeEntry(index);
    if (!entries().isEmpty())
        m_table->selectRow(qMin(index, int(entries().size()) - 1));
}

void TfSprawdzenieDat::SBUsunClick()
{
    const int index = selectedEntry();
    if (index < 0)
        return;
    const DeadlineEntry entry = entries().at(index);
    if (!mayChange(entry))
        return;
    if (Config::global().flag(QStringLiteral("pytajPrzedKasowaniem")) &&
        !Dialogs::question(QStringLiteral("Pytanie"),
                           QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?")))
        return;
    if (m_check.remove(entry))
        removeEntry(index);
}

void TfSprawdzenieDat::SBDezaktywujClick()
{
    const int index = selectedEntry();
    if (index < 0)
        return;
    const DeadlineEntry entry = entries().at(index);
    if (entry.isBhp()) {
        Dialogs::info(
            QStringLiteral("Informacja"),
            QStringLiteral("Funkcja deaktywacji nie dotyczy pozycji typu BHP (stan posiadania środka BHP)."));
        return;
    }
    if (!mayChange(entry))
        return;
    if (Config::global().flag(QStringLiteral("pytajPrzedKasowaniem")) &&
        !Dialogs::question(QStringLiteral("Pytanie"),
                           QStringLiteral("Czy na pewno deaktywować zaznaczoną pozycję?")))
        return;
    m_check.deactivate(entry);
    removeEntry(index); // also after a failed update, which has been reported
}

void TfSprawdzenieDat::SBDezaktywujWszystkoClick()
{
    if (entries().isEmpty())
        return;
    if (!Dialogs::question(QStringLiteral("Pytanie"),
                           QStringLiteral("Czy na pewno deaktywować wszystkie terminy?")))
        return;
    m_model->setEntries(m_check.deactivateAll(entries(), AppState::instance().rights));
}

void TfSprawdzenieDat::SBCSVClick()
{
    const QString fileName = Dialogs::saveFileName(
        this, QStringLiteral("Eksportuj dane do arkusza .CSV"), QStringLiteral("zaplanowane_zdarzenia.csv"),
        QStringLiteral("Arkusz .CSV (*.csv);;Wszystkie pliki (*.*)"), QStringLiteral("csv"));
    if (fileName.isEmpty())
        return;
    TVXExportToCSV::Grid grid;
    grid << DeadlineCheck::titles();
    grid << shownRows();
    TVXExportToCSV::toCellTexts(grid);
    TVXExportToCSV csv;
    Dialogs::info(QStringLiteral("Informacja"), csv.write(grid, fileName)
                                                    ? QStringLiteral("Eksport zakończony poprawnie.")
                                                    : QStringLiteral("Nie udało się wyeksportować danych."));
}

void TfSprawdzenieDat::SBTXTClick()
{
    const QString fileName = Dialogs::saveFileName(
        this, QStringLiteral("Eksportuj dane do pliku tekstowego"),
        QStringLiteral("zaplanowane_zdarzenia.txt"),
        QStringLiteral("Plik tekstowy (*.txt);;Wszystkie pliki (*.*)"), QStringLiteral("txt"));
    if (fileName.isEmpty())
        return;
    // Written to a temporary file first, so a failed export leaves no half file.
    QSaveFile file(fileName);
    const bool ok =
        file.open(QIODevice::WriteOnly) && DeadlineCheck::writeText(shownRows(), file) && file.commit();
    Dialogs::info(QStringLiteral("Informacja"), ok ? QStringLiteral("Eksport zakończony poprawnie.")
                                                   : QStringLiteral("Nie udało się wyeksportować danych."));
}

void TfSprawdzenieDat::cbTopClick(bool checked)
{
    const bool visible = isVisible();
    const bool filledIn = m_filledIn;
    m_filledIn = true; // showing again after the flag change keeps the table
    setWindowFlag(Qt::WindowStaysOnTopHint, checked);
    if (visible)
        show();
    m_filledIn = filledIn;
}
