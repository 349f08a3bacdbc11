#pragma once

#include <QObject>

class TfMain;
class TfSprawdzenieBhp;
class TfSprawdzenieMagazynu;
class TmyDataBase;

// The two checks of what runs short, after login and from the menu
// ("Sprawdz zapotrzebowanie na BHP", "Sprawdź stany magazynowe").
class StockCheckWindows : public QObject
{
    Q_OBJECT

public:
    StockCheckWindows(TfMain& main, TmyDataBase& db, QObject* parent = nullptr);

    // After login: the needs window only when something is low.
    void bhpAfterLogin();
    // After login with `cbMagazyn`: the stock window only when something is low.
    void stockAfterLogin();

    TfSprawdzenieBhp& bhp() const { return *m_bhp; }
    TfSprawdzenieMagazynu& stock() const { return *m_stock; }

private:
    TfMain& m_main;
    TfSprawdzenieBhp* m_bhp;
    TfSprawdzenieMagazynu* m_stock;
};
