#pragma once

#include <QObject>

class TfInwentaryzacja;
class TfMain;
class TmyDataBase;

// The menu command "Inwentaryzacja" of the main window.
class StocktakingCommand : public QObject
{
    Q_OBJECT

public:
    StocktakingCommand(TfMain& main, TmyDataBase& db, QObject* parent = nullptr);

    TfInwentaryzacja& window() const { return *m_window; }
    void MInwentaryzacjaClick();

private:
    TfMain& m_main;
    TfInwentaryzacja* m_window;
};
