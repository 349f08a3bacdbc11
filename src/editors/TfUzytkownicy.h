#pragma once

#include "editors/EditorDialog.h"

class Lookup;
class QLineEdit;
class TmyDataBase;

// A user of a computer: the employee with his login and password there.
class TfUzytkownicy : public EditorDialog
{
    Q_OBJECT

public:
    explicit TfUzytkownicy(QWidget* parent = nullptr);

    // The employees (DBFPracownicy: NREW shown as PRACOWNIK), searched as typed.
    void bindEmployees(TmyDataBase* db);
    void refillEmployees();
    void clearFields();
    // Fills the dialog from a row of the users list.
    void fillFrom(const QString& nrew, const QString& login, const QString& haslo, const QString& opis,
                  const QString& inne);
    // Editing keeps the employee: the list is disabled and greyed.
    void lockEmployee(bool locked);

    QString employee() const;
    QString employeeText() const;

    void SBZapiszClick() override;

protected:
    // The texts in which a user of equipment differs; no login and password there.
    struct Texts
    {
        const char* objectName;
        QString caption, header, employeeHint, descriptionHint;
        bool withLogin;
    };
    TfUzytkownicy(const Texts& texts, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    Lookup* fNREW;
    QLineEdit* fLOGIN = nullptr;
    QLineEdit* fHASLO = nullptr;
    QLineEdit* fOPIS;
    QLineEdit* fINNE;
};
