#pragma once

#include "maintenance/DatabaseMove.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TmyDataBase;

// "Administracja bazą danych": emptying a register, table or dictionary,
// packing the database, moving it to a server or into a new file, opening
// and clearing the error log.
class TfAdministracjaBaza : public QDialog
{
    Q_OBJECT

public:
    explicit TfAdministracjaBaza(TmyDataBase& db, QWidget* parent = nullptr);

    void wyczyscClick();
    void optymalizujClick();
    void otworzLogClick();
    void czyscLogClick();
    void naSerwerClick();
    void doPlikuClick();

    // Called when this workstation chose to work on the moved database (its
    // location already saved); without one the user is told it takes effect
    // at the next start.
    static void setMovedHandler(std::function<void()> handler);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildMovePage();
    // Runs `move` under the progress box and shows the row counts; false
    // when it failed or was stopped (told to the user).
    bool runMove(const std::function<DatabaseMove::Counts(const DatabaseCopy::Progress&)>& move,
                 const QString& targetText);
    void showCounts(const DatabaseMove::Counts& counts, const QString& targetText);
    // Asks whether this workstation goes over to the moved database; `save` stores its location.
    void offerSwitch(const QString& targetText, const std::function<void()>& save);

    TmyDataBase& m_db;
    QTabWidget* m_pages;
    QComboBox* m_tabela;
    QLineEdit* m_serwerAdres = nullptr;
    QSpinBox* m_serwerPort = nullptr;
    QLineEdit* m_serwerBaza = nullptr;
    QLineEdit* m_serwerUzytkownik = nullptr;
    QLineEdit* m_serwerHaslo = nullptr;
    QCheckBox* m_cbSerwerTLS = nullptr;
    QLineEdit* m_hasloPliku = nullptr;
    QLabel* m_obecnaBaza = nullptr;
    QPushButton* m_naSerwer = nullptr;
};
