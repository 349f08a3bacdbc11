#pragma once

#include <QObject>

class TfAdministracjaBaza;
class TfArchiwum;
class TfImportPracownik;
class TfMain;
class TmyDataBase;

// The menu commands of data maintenance: the archive, the database
// administration and the employee import.
class MaintenanceCommands : public QObject
{
    Q_OBJECT

public:
    MaintenanceCommands(TfMain& main, TmyDataBase& db, QObject* parent = nullptr);

    TfArchiwum& archive() const { return *m_archiwum; }
    TfAdministracjaBaza& administration() const { return *m_administracja; }
    TfImportPracownik& employeeImport() const { return *m_import; }

    void MArchiwizacjaClick();
    void MAdministracjaBazaClick();
    void MImportPracownikowClick();

private:
    TfMain& m_main;
    TfArchiwum* m_archiwum;
    TfAdministracjaBaza* m_administracja;
    TfImportPracownik* m_import;
};
