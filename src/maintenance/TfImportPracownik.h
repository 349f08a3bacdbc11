#pragma once

#include "maintenance/CsvSheet.h"
#include "maintenance/EmployeeImport.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTableWidget;
class TmyDataBase;

// "Import pracowników": employees from a CSV sheet, with the columns mapped
// to the fields of an employee, a verification of every row and the insert
// of the verified rows.
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
    EmployeeImport::Columns columns() const;
    // The sheet as saved by "Zapisz log".
    QByteArray resultLog() const;

protected:
    void reject() override;

private:
    void showSheet();
    void showResults();
    void choicesChanged();
    void rebuildChoices();
    void applySettings(const EmployeeImport::Columns& columns, bool skipFirst);

    TmyDataBase& m_db;
    CsvSheet m_sheet;
    EmployeeImport m_import;
    bool m_loaded = false;
    bool m_verifyFoundErrors = false;
    int m_shownColumns = 0;
    QTableWidget* m_grid;
    std::array<QComboBox*, EmployeeImport::FieldCount> m_choices{};
    QComboBox* m_separator;
    QCheckBox* m_pominPierwszy;
    QCheckBox* m_nieCzysc;
    QPushButton* m_weryfikuj;
    QPushButton* m_importuj;
    QPushButton* m_zapiszLog;
};
