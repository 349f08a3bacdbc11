#pragma once

#include <QDialog>

class QComboBox;
class QTabWidget;
class TmyDataBase;

// "Administracja bazą danych": emptying a register, table or dictionary,
// packing the database, opening and clearing the error log.
class TfAdministracjaBaza : public QDialog
{
    Q_OBJECT

public:
    explicit TfAdministracjaBaza(TmyDataBase& db, QWidget* parent = nullptr);

    void wyczyscClick();
    void optymalizujClick();
    void otworzLogClick();
    void czyscLogClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TmyDataBase& m_db;
    QTabWidget* m_pages;
    QComboBox* m_tabela;
};
