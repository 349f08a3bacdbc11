#include "maintenance/TfImportPracownik.h"

#include "widgets/TVXGridStorage.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const int kImportKind = 1;
const QString kFilter = QStringLiteral("Arkusz .CSV (*.csv);;Wszystkie pliki (*.*)");

// The progress of a long file or sheet in a progress dialog.
class ProgressBox : public Progress
{
public:
    ProgressBox(QWidget* parent, const QString& text) : m_dialog(text, QString(), 0, 0, parent)
    {
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(500);
        m_dialog.setCancelButton(nullptr);
    }
    void setRange(qint64 total) override { m_dialog.setRange(0, int(std::min<qint64>(total, INT_MAX))); }
    void setValue(qint64 done) override
    {
        m_dialog.setValue(int(std::min<qint64>(done, m_dialog.maximum())));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QProgressDialog m_dialog;
};

struct FieldLabel
{
    const char* label;
    bool required;
};
const FieldLabel kLabels[EmployeeImport::FieldCount] = {
    {"Numer ewidencyjny", true},
    {"Imię", false},
    {"Nazwisko", true},
    {"Adres", false},
    {"Nr domu", false},
    {"Miasto", false},
    {"Kod pocztowy", false},
    {"Kraj", false},
    {"Telefon (-y)", false},
    {"Adres korespondencyjny", false},
    {"Inne", false},
    {"NIP", false},
    {"Dział", false},
    {"Stanowisko", false},
    {"Numer pokoju", false},
};

QString quoted(const QString& cell)
{
    return QLatin1Char('"') + cell + QLatin1Char('"');
}
} // namespace

TfImportPracownik::TfImportPracownik(TmyDataBase& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_import(db), m_grid(new QTableWidget(this)),
      m_separator(new QComboBox(this)),
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
    TVXGridStorage::registerStringGrid(m_grid, QStringLiteral("IMPORT_CSV"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* mapping = new QGridLayout;
    auto* mapHeading =
        new QLabel(QStringLiteral("Przypisz kolumnom arkusza odpowiednie znaczenie merytoryczne"), this);
    mapHeading->setWordWrap(true);
    mapping->addWidget(mapHeading, 0, 0, 1, 2);
    for (int f = 0; f < EmployeeImport::FieldCount; ++f) {
        auto* label = new QLabel(QString::fromUtf8(kLabels[f].label) +
                                     (kLabels[f].required ? QStringLiteral(" *)") : QString()),
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
    {
        ProgressBox progress(this, QStringLiteral("Wczytywanie arkusza .CSV"));
        if (!m_sheet.read(file, separator.at(0), &progress))
            ErrorLog::report(QStringLiteral("Niepoprawny format arkusza .CSV"), false, 802);
    }
    m_import.reset();
    showSheet();
    if (!(m_loaded && m_nieCzysc->isChecked() && previousColumns == m_sheet.columnCount()))
        rebuildChoices();
    m_loaded = true;
    m_weryfikuj->setEnabled(true);
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
    const int columns = m_sheet.columnCount();
    m_grid->clear();
    m_grid->setColumnCount(columns + 2);
    m_grid->setRowCount(int(m_sheet.rows().size()));
    QStringList headers;
    for (int c = 1; c <= columns; ++c)
        headers << QStringLiteral("Kolumna #") + QString::number(c);
    headers << QStringLiteral("Zaimportowano?") << QStringLiteral("Uwagi");
    m_grid->setHorizontalHeaderLabels(headers);
    // The stored widths fit a sheet of as many columns as the last one.
    if (TVXGridStorage* layouts = TVXGridStorage::program())
        layouts->LoadWidths(m_grid);
    QStringList lines;
    for (int r = 0; r < m_sheet.rows().size(); ++r) {
        const CsvSheet::Row& row = m_sheet.rows().at(r);
        lines << QString::number(row.line); // the line of the file, blank lines not shown
        for (int c = 0; c < row.fields.size(); ++c)
            m_grid->setItem(r, c, new QTableWidgetItem(row.fields.at(c)));
    }
    m_grid->setVerticalHeaderLabels(lines);
    for (int c = 0; c < columns; ++c)
        m_grid->setColumnWidth(c, 100);
    m_grid->setColumnWidth(columns,
                           std::max(100, m_grid->fontMetrics().horizontalAdvance(headers.at(columns)) + 16));
    m_grid->setColumnWidth(columns + 1, 200);
    m_shownColumns = columns;
}

void TfImportPracownik::showResults()
{
    const auto& results = m_import.results();
    for (int r = 0; r < results.size() && r < m_grid->rowCount(); ++r) {
        m_grid->setItem(r, m_shownColumns, new QTableWidgetItem(results.at(r).status));
        m_grid->setItem(r, m_shownColumns + 1, new QTableWidgetItem(results.at(r).remarks));
    }
}

void TfImportPracownik::weryfikujClick()
{
    m_weryfikuj->setEnabled(false);
    m_importuj->setEnabled(true);
    m_zapiszLog->setEnabled(true);
    bool ok = false;
    {
        ProgressBox progress(this, QStringLiteral("Weryfikacja arkusza .CSV"));
        ok = m_import.verify(m_sheet, columns(), m_pominPierwszy->isChecked(), &progress);
    }
    m_verifyFoundErrors = !ok;
    showResults();
    if (ok) {
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("Nie wykryto problemów. Arkusz .CSV wydaje się być poprawny."));
        return;
    }
    QStringList lines;
    for (int line : m_import.failedLines(m_sheet).mid(0, 20))
        lines << QString::number(line);
    Dialogs::info(
        QStringLiteral("Uwaga"),
        QStringLiteral("Wykryto błędy weryfikacji danych. Sprawdź komentarz w kolumnie po prawo w tabeli "
                       ".CSV") +
            QStringLiteral("\nWiersze pliku z błędami: ") + lines.join(QStringLiteral(", ")) +
            (m_import.failedLines(m_sheet).size() > 20 ? QStringLiteral(", ...") : QString()));
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
        added = m_import.import(m_pominPierwszy->isChecked(), &progress);
    }
    showResults();
    QString text = QStringLiteral("Operacja zakończona");
    if (m_import.importFailed())
        text +=
            QStringLiteral(" Podczas importu pojawiły się błędy. Prosze sprawdzić ich opis w tabeli .CSV");
    text += QStringLiteral(". Dodano wierszy: ") + QString::number(added) + QLatin1Char('.');
    Dialogs::info(QStringLiteral("Informacja"), text);
}

QByteArray TfImportPracownik::resultLog() const
{
    QString out;
    const int columns = m_grid->columnCount();
    QStringList header;
    for (int c = 0; c < columns; ++c)
        header << quoted(m_grid->horizontalHeaderItem(c) ? m_grid->horizontalHeaderItem(c)->text()
                                                         : QString());
    out += header.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << quoted(m_grid->item(r, c) ? m_grid->item(r, c)->text() : QString());
        out += cells.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

void TfImportPracownik::zapiszLogClick()
{
    const QString name =
        Dialogs::saveFileName(this, QStringLiteral("Zapisz wyniku importu do arkusza .CSV"), {}, kFilter);
    if (name.isEmpty())
        return;
    QSaveFile file(name);
    const QByteArray bytes = resultLog();
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
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
