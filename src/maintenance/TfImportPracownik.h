#pragma once

#include "maintenance/CsvSheet.h"
#include "maintenance/EmployeeImport.h"

#include <QDialog>

#include <array>

class CsvSheetModel;
class QIODevice;
class QCheckBox;
class QComboBox;
class QPushButton;
class QTableView;
class TmyDataBase;

// "Import pracowników": employees from a CSV sheet, with the columns mapped
// to the fields of an employee, a verification of every row and the insert
// of the verified rows. The sheet is shown through a model, and the long
// steps (loading, verifying, importing) in a progress box with "Anuluj"; a
// message of a step is shown only once its progress box has closed.
class TfImportPracownik : public QDialog
{
    Q_OBJECT

public:
    explicit TfImportPracownik(TmyDataBase& db, QWidget* parent = nullptr);

    // "Załaduj &arkusz .CSV": `fileName` skips the open dialog (tests too).
    void zaladujClick();
    void loadFile(const QString& fileName);
    void weryfikujClick();
    void importujClick();
    void zapiszLogClick();
    void zamknijClick();

    const CsvSheet& sheet() const { return m_sheet; }
    const EmployeeImport& import() const { return m_import; }
    EmployeeImport::Columns columns() const;
    // The sheet as saved by "Zapisz log": the program's export encoding
    // (Windows-1250, CR LF), every cell quoted, quotes inside doubled.
    QByteArray resultLog() const;

protected:
    void reject() override;

private:
    void showSheet();
    void showResults();
    bool writeLog(QIODevice& device) const;
    void choicesChanged();
    void rebuildChoices();
    void applySettings(const EmployeeImport::Columns& columns, bool skipFirst);

    TmyDataBase& m_db;
    CsvSheet m_sheet;
    EmployeeImport m_import;
    bool m_loaded = false;
    bool m_verifyFoundErrors = false;
    CsvSheetModel* m_model;
    QTableView* m_grid;
    std::array<QComboBox*, EmployeeImport::FieldCount> m_choices{};
    QComboBox* m_separator;
    QCheckBox* m_pominPierwszy;
    QCheckBox* m_nieCzysc;
    QPushButton* m_weryfikuj;
    QPushButton* m_importuj;
    QPushButton* m_zapiszLog;
};
