#pragma once

#include "reminders/DeadlineCheck.h"
#include "reminders/DeadlineTableModel.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTableView;

// "Sprawdzenie terminów": what is due, with delete, deactivate and export.
// Modal after login, modeless from the menu.
class TfSprawdzenieDat : public QDialog
{
    Q_OBJECT

public:
    explicit TfSprawdzenieDat(TmyDataBase& db, QWidget* parent = nullptr);

    // Fills the table; true when at least one entry was found.
    bool fillTable();
    // After login: shown modally when something is due.
    void showAfterLogin();
    // From the menu: shown without blocking the main window, filled anew.
    void showFromMenu();

    void SBUsunClick();
    void SBDezaktywujClick();
    void SBDezaktywujWszystkoClick();
    void SBCSVClick();
    void SBTXTClick();

    QTableView* table() const { return m_table; }
    const DeadlineTableModel& model() const { return *m_model; }
    const QList<DeadlineEntry>& entries() const { return m_model->entries(); }
    // The shown rows (columns 0-4), without the title row.
    QList<QStringList> shownRows() const;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The entry of the selected row; -1 when none or nothing was found.
    int selectedEntry() const;
    bool mayChange(const DeadlineEntry& entry) const;
    void removeEntry(int index);
    void cbTopClick(bool checked);

    TmyDataBase& m_db;
    DeadlineCheck m_check;
    DeadlineTableModel* m_model;
    QTableView* m_table;
    QCheckBox* m_top;
    bool m_filledIn = false;
};
