#include "maintenance/TfImportPracownik.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "maintenance/CsvSheetModel.h"
#include "registers/TVXExportToCSV.h"
#include "widgets/TVXGridStorage.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const int kImportKind = 1;
const QString kFilter = QStringLiteral("Arkusz .CSV (*.csv);;Wszystkie pliki (*.*)");

// The progress of a long step in a progress box with "Anuluj". The window
// keeps painting while the step runs; the box is gone when the object is,
// so the step's messages are shown after its scope ends.
class ProgressBox : public Progress
{
public:
    ProgressBox(QWidget* parent, const QString& text) : m_dialog(text, QStringLiteral("Anuluj"), 0, 0, parent)
    {
        m_dialog.setObjectName(QStringLiteral("ProgressBox"));
        m_dialog.setWindowTitle(QStringLiteral("Import pracowników"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(400);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_clock.start();
    }
    void setRange(qint64 total) override
    {
        m_scale = total > INT_MAX ? double(INT_MAX) / double(total) : 1.0;
        m_dialog.setRange(0, int(double(total) * m_scale));
    }
    void setValue(qint64 done) override
    {
        // A few repaints a second are enough; more would cost the step its speed.
        if (m_clock.elapsed() < 40)
            return;
        m_clock.restart();
        m_dialog.setValue(std::min(int(double(done) * m_scale), m_dialog.maximum()));
        QCoreApplication::processEvents();
    }
    bool cancelled() const override { return m_dialog.wasCanceled(); }

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_clock;
    double m_scale = 1.0;
};

const bool kRequired[EmployeeImport::FieldCount] = {true,  false, true,  false, false, false, false, false,
                                                    false, false, false, false, false, false, false};

// The sheet's rows for the CSV writer: the header row, then every row.
class LogRows : public TVXExportToCSV::Rows
{
public:
    explicit LogRows(const CsvSheetModel& model) : m_model(model) {}
    int count() const override { return m_model.rowCount() + 1; }
    QStringList row(int index) const override
    {
        return index == 0 ? m_model.headerTexts() : m_model.rowTexts(index - 1);
    }

private:
    const CsvSheetModel& m_model;
};
} // namespace

TfImportPracownik::TfImportPracownik(TmyDataBase& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_import(db), m_model(new CsvSheetModel(m_sheet, m_import, this)),
      m_grid(new QTableView(this)), m_separator(new QComboBox(this)),
      m_pominPierwszy(new QCheckBox(QStringLiteral("Pomiń pierwszy wiersz"), this)),
      m_nieCzysc(new QCheckBox(QStringLiteral("Nie czyść ustawień po wczytaniu .CSV"), this))
{
    setObjectName(QStringLiteral("TfImportPracownik"));
    setWindowTitle(QStringLiteral("Import pracowników"));
    setModal(true);
    resize(1100, 640);

    auto* heading = new QLabel(QStringLiteral("Import pracowników z arkusza .CSV"), this);
    heading->setObjectName(QStringLiteral("Naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    m_grid->setObjectName(QStringLiteral("CSV"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows of one height: a view of hundreds of thousands of rows then never
    // measures them.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->setWordWrap(false);
    TVXGridStorage::registerStringGrid(m_grid, QStringLiteral("IMPORT_CSV"));

    auto* mapping = new QGridLayout;
    auto* mapHeading =
        new QLabel(QStringLiteral("Przypisz kolumnom arkusza odpowiednie znaczenie merytoryczne"), this);
    mapHeading->setWordWrap(true);
    mapping->addWidget(mapHeading, 0, 0, 1, 2);
    for (int f = 0; f < EmployeeImport::FieldCount; ++f) {
        auto* label = new QLabel(EmployeeImport::label(EmployeeImport::Field(f)) +
                                     (kRequired[f] ? QStringLiteral(" *)") : QString()),
                                 this);
        auto* choice = new QComboBox(this);
        choice->setObjectName(QStringLiteral("cb") + QString::number(f + 1));
        choice->setToolTip(QStringLiteral("Wskaż kolumnę, która zawiera pożądaną informację"));
        choice->addItem(QStringLiteral("Brak danych"));
        // Wide enough for "Kolumna #999" from the start: the choices come with the sheet.
        choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        choice->setMinimumContentsLength(int(QStringLiteral("Kolumna #999").size()));
        connect(choice, &QComboBox::activated, this, &TfImportPracownik::choicesChanged);
        m_choices[size_t(f)] = choice;
        mapping->addWidget(label, f + 1, 0);
        mapping->addWidget(choice, f + 1, 1);
    }
    mapping->addWidget(new QLabel(QStringLiteral("*) Informacje wymagane"), this),
                       EmployeeImport::FieldCount + 1, 0, 1, 2);

    m_separator->setObjectName(QStringLiteral("separator"));
    m_separator->setEditable(true);
    m_separator->addItems({QStringLiteral(";"), QStringLiteral(",")});
    m_separator->lineEdit()->setMaxLength(1);
    m_separator->setToolTip(QStringLiteral("Wprowadź lub wybierz separator kolumn z listy"));
    m_pominPierwszy->setObjectName(QStringLiteral("pominPierwszy"));
    m_pominPierwszy->setToolTip(
        QStringLiteral("Pomiń podczas importu pierwszy wiersz arkusza (np. nagłówki kolumn)"));
    connect(m_pominPierwszy, &QCheckBox::clicked, this, &TfImportPracownik::choicesChanged);
    m_nieCzysc->setObjectName(QStringLiteral("nieCzysc"));
    m_nieCzysc->setChecked(true);

    auto* options = new QHBoxLayout;
    options->addWidget(new QLabel(QStringLiteral("Separator kolumn"), this));
    options->addWidget(m_separator);
    options->addWidget(m_pominPierwszy);
    options->addWidget(m_nieCzysc);
    options->addStretch();

    auto makeButton = [this](const char* name, const QString& text, const QString& hint) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        return b;
    };
    auto* zaladuj = makeButton("SBZaladuj", QStringLiteral("Załaduj &arkusz .CSV"), {});
    m_weryfikuj = makeButton("SBWeryfikuj", QStringLiteral("Zw&eryfikuj"),
                             QStringLiteral("Weryfikuje poprawność arkusza"));
    m_importuj = makeButton("SBImportuj", QStringLiteral("Importuj"), {});
    m_zapiszLog = makeButton("SBZapiszLog", QStringLiteral("Zapisz log"),
                             QStringLiteral("Zapisz arkusz .CSV wraz z informacjami o wyniku importu"));
    auto* zamknij = makeButton("SBZamknij", QStringLiteral("&Zamknij"), {});
    connect(zaladuj, &QPushButton::clicked, this, &TfImportPracownik::zaladujClick);
    connect(m_weryfikuj, &QPushButton::clicked, this, &TfImportPracownik::weryfikujClick);
    connect(m_importuj, &QPushButton::clicked, this, &TfImportPracownik::importujClick);
    connect(m_zapiszLog, &QPushButton::clicked, this, &TfImportPracownik::zapiszLogClick);
    connect(zamknij, &QPushButton::clicked, this, &TfImportPracownik::zamknijClick);
    for (QPushButton* b : {m_weryfikuj, m_importuj, m_zapiszLog})
        b->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {zaladuj, m_weryfikuj, m_importuj, m_zapiszLog})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(zamknij);

    auto* body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    body->addLayout(mapping);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(options);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

EmployeeImport::Columns TfImportPracownik::columns() const
{
    EmployeeImport::Columns c{};
    for (size_t f = 0; f < c.size(); ++f)
        c[f] = std::max(0, m_choices[f]->currentIndex());
    return c;
}

void TfImportPracownik::zaladujClick()
{
    const QString name = Dialogs::openFileName(this, QStringLiteral("Otwórz arkusz .CSV"), {}, kFilter);
    if (!name.isEmpty())
        loadFile(name);
}

void TfImportPracownik::loadFile(const QString& fileName)
{
    for (QPushButton* b : {m_weryfikuj, m_importuj, m_zapiszLog})
        b->setEnabled(false);
    const int previousColumns = m_loaded ? m_sheet.columnCount() : -1;
    m_sheet.clear();
    m_import.reset();
    showSheet();
    const QString separator = m_separator->currentText();
    if (separator.isEmpty()) {
        Dialogs::info(QStringLiteral("Błąd"), QStringLiteral("Niepoprawny separator kolumn!"));
        return;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        ErrorLog::report(
            QStringLiteral("Błąd podczas otwierania pliku. Jeśli plik otwarty jest w innym programie "
                           "(Np. MS Excel), zamknij go i spróbuj załadować go ponownie. ") +
                file.errorString(),
            false, 809);
        return;
    }
    bool read = false;
    {
        ProgressBox progress(this, QStringLiteral("Wczytywanie arkusza .CSV"));
        read = m_sheet.read(file, separator.at(0), &progress);
    }
    file.close();
    showSheet();
    if (m_sheet.wasCancelled())
        return;
    if (!read) {
        // What is not a spreadsheet in one of the accepted encodings is
        // refused with the line at fault; the complete rows before a format
        // error stay in the sheet.
        ErrorLog::report(m_sheet.errorString().startsWith(QStringLiteral("Niepoprawny format arkusza"))
                             ? m_sheet.errorString()
                             : QStringLiteral("Niepoprawny format arkusza .CSV. ") + m_sheet.errorString(),
                         false, 802);
        if (m_sheet.rowCount() == 0)
            return;
    }
    if (!(m_loaded && m_nieCzysc->isChecked() && previousColumns == m_sheet.columnCount()))
        rebuildChoices();
    m_loaded = true;
    m_weryfikuj->setEnabled(true);
    if (!read)
        return;
    if (Dialogs::question(
            QStringLiteral("Pytanie"),
            QStringLiteral("Arkusz załadowany poprawnie. Czy przywrócić poprzednią konfigurację "
                           "imporu?"))) {
        const Config::ImportSettings s = Config::loadImportSettings(kImportKind);
        EmployeeImport::Columns c{};
        std::copy(s.columns.begin(), s.columns.end(), c.begin());
        applySettings(c, s.pominPierwszy);
    }
}

void TfImportPracownik::rebuildChoices()
{
    for (QComboBox* choice : m_choices) {
        choice->clear();
        choice->addItem(QStringLiteral("Brak danych"));
        for (int n = 1; n <= m_sheet.columnCount(); ++n)
            choice->addItem(QStringLiteral("Kolumna #") + QString::number(n));
        choice->setCurrentIndex(0);
    }
}

void TfImportPracownik::applySettings(const EmployeeImport::Columns& columns, bool skipFirst)
{
    for (size_t f = 0; f < columns.size(); ++f)
        m_choices[f]->setCurrentIndex(columns[f] < m_choices[f]->count() ? std::max(0, columns[f]) : 0);
    m_pominPierwszy->setChecked(skipFirst);
    choicesChanged();
}

void TfImportPracownik::choicesChanged()
{
    // An import always follows a verification of the choices as they are now.
    m_weryfikuj->setEnabled(m_sheet.columnCount() > 1);
    m_importuj->setEnabled(false);
    m_zapiszLog->setEnabled(false);
}

void TfImportPracownik::showSheet()
{
    m_model->sheetChanged();
    // The stored widths fit a sheet of as many columns as the last one.
    if (TVXGridStorage* layouts = TVXGridStorage::program())
        layouts->LoadWidths(m_grid);
    const int columns = m_sheet.columnCount();
    for (int c = 0; c < columns; ++c)
        m_grid->setColumnWidth(c, 100);
    const QString status = QStringLiteral("Zaimportowano?");
    m_grid->setColumnWidth(columns, std::max(100, m_grid->fontMetrics().horizontalAdvance(status) + 16));
    m_grid->setColumnWidth(columns + 1, 200);
}

void TfImportPracownik::showResults()
{
    m_model->resultsChanged();
}

void TfImportPracownik::weryfikujClick()
{
    m_weryfikuj->setEnabled(false);
    bool ok = false;
    {
        ProgressBox progress(this, QStringLiteral("Weryfikacja arkusza .CSV"));
        ok = m_import.verify(m_sheet, columns(), m_pominPierwszy->isChecked(), &progress);
    }
    showResults();
    if (m_import.verifyCancelled()) {
        // Only a whole verification opens the way to the import.
        m_weryfikuj->setEnabled(true);
        return;
    }
    m_importuj->setEnabled(true);
    m_zapiszLog->setEnabled(true);
    m_verifyFoundErrors = !ok;
    m_import.showFailure();
    if (ok) {
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("Nie wykryto problemów. Arkusz .CSV wydaje się być poprawny."));
        return;
    }
    // The rows at fault are marked in the table.
    Dialogs::info(QStringLiteral("Uwaga"),
                  QStringLiteral("Wykryto błędy weryfikacji danych. Sprawdź komentarz "
                                 "w kolumnie po prawo w tabeli .CSV"));
}

void TfImportPracownik::importujClick()
{
    const QString question =
        QStringLiteral("Zalecamy wykonanie archiwizacji bazy danych przed dokonaniem importu. ") +
        (m_verifyFoundErrors
             ? QStringLiteral("W zweryfikowanym arkuszu wykryto błędy. Czy kontynuować import danych "
                              "z pominięciem usterek?")
             : QStringLiteral("Czy kontynuować import danych?"));
    if (!Dialogs::question(QStringLiteral("Uwaga"), question))
        return;
    int added = 0;
    {
        ProgressBox progress(this, QStringLiteral("Import pracowników"));
        added = m_import.import(m_sheet, m_pominPierwszy->isChecked(), &progress);
    }
    showResults();
    // Rows once imported are not imported twice; after a rollback the rest may be tried again.
    if (!m_import.importFailed() && !m_import.importCancelled())
        m_importuj->setEnabled(false);
    m_import.showFailure();
    QString text = QStringLiteral("Operacja zakończona");
    if (m_import.importFailed())
        text +=
            QStringLiteral(" Podczas importu pojawiły się błędy. Prosze sprawdzić ich opis w tabeli .CSV");
    text += QStringLiteral(". Dodano wierszy: ") + QString::number(added) + QLatin1Char('.');
    Dialogs::info(QStringLiteral("Informacja"), text);
}

bool TfImportPracownik::writeLog(QIODevice& device) const
{
    TVXExportToCSV writer;
    writer.setDoubledQuotes(true);
    return writer.write(LogRows(*m_model), device);
}

QByteArray TfImportPracownik::resultLog() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writeLog(buffer);
    return bytes;
}

void TfImportPracownik::zapiszLogClick()
{
    const QString name =
        Dialogs::saveFileName(this, QStringLiteral("Zapisz wyniku importu do arkusza .CSV"), {}, kFilter);
    if (name.isEmpty())
        return;
    TVXExportToCSV writer;
    writer.setDoubledQuotes(true);
    const bool ok = writer.write(LogRows(*m_model), name);
    Dialogs::info(QStringLiteral("Informacja"),
                  ok ? QStringLiteral("Arkusz wynikowy zapisano.")
                     : QStringLiteral("Wystąpił błąd podczas zapisu arkusza wynikowego."));
}

void TfImportPracownik::zamknijClick()
{
    if (Dialogs::question(QStringLiteral("Pytanie"), QStringLiteral("Czy zapamiętać konfigurację imporu?"))) {
        Config::ImportSettings s;
        const EmployeeImport::Columns c = columns();
        std::copy(c.begin(), c.end(), s.columns.begin());
        s.pominPierwszy = m_pominPierwszy->isChecked();
        Config::saveImportSettings(kImportKind, s);
    }
    QDialog::reject();
}

void TfImportPracownik::reject()
{
    zamknijClick(); // Esc asks the same as "Zamknij"
}
