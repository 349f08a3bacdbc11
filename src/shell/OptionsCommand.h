#pragma once

#include <QObject>

class Config;
class TfMain;
class TfOpcjeProgramu;
class TmyDataBase;

// The menu command "Opcje": the options of this computer and, for the
// administrator, the parameters of the automatic backup.
class OptionsCommand : public QObject
{
    Q_OBJECT

public:
    OptionsCommand(TfMain& main, TmyDataBase& db, QObject* parent = nullptr);

    TfOpcjeProgramu& dialog() const { return *m_dialog; }

    void MOpcjeClick();

private:
    TfMain& m_main;
    TmyDataBase& m_db;
    TfOpcjeProgramu* m_dialog;
};
