#pragma once

#include "store/Stocktaking.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;
class StocktakingModel;
class TfNowaInwentaryzacja;
class TmyDataBase;

// "Inwentaryzacja": sessions of stocktaking, and the counting itself. A
// barcode scanner is a keyboard typing the code and Enter into the one field
// that always has the focus; every code read goes into a queue that is
// worked off in order, each scan its own short write, so nothing typed at a
// scanner's pace is lost or mixed. Scans of other workstations come in
// through the session's change counter every few seconds.
class TfInwentaryzacja : public QDialog
{
    Q_OBJECT

public:
    explicit TfInwentaryzacja(TmyDataBase& db, QWidget* parent = nullptr);

    // Reads the sessions and shows the newest; false when they cannot be read.
    bool prepare();
    qint64 currentSession() const { return m_session.id; }
    // The station name written with each scan.
    static QString workstationName();
    // Sets the station name (tests play two workstations in one process).
    void setWorkstation(const QString& name)
    {
        m_workstation = name;
        m_fixedWorkstation = true;
    }

    void SBNowaClick();
    void SBZamknijClick();
    void SBUsunClick();
    void SBArkuszClick();
    void SBRozniceClick();
    void SBWybierzClick();
    // Reads what other workstations scanned since the last look.
    void refreshChanges();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void sessionChange();
    void fillSessions(qint64 select);
    void showSession(qint64 id);
    void codeEntered();
    void workQueue();
    void showResult(const ScanResult& result);
    void applyItem(const StocktakingItem& item);
    void showCounts();
    void updateButtons();
    void refocus();
    QString companyName();
    void print(bool (*show)(QWidget*, const StocktakingSession&, const QList<StocktakingItem>&,
                            const QString&));

    TmyDataBase& m_db;
    Stocktaking m_store;
    QString m_workstation;
    bool m_fixedWorkstation = false;
    StocktakingSession m_session;
    qint64 m_seen = 0; // the session's change counter last read
    QStringList m_queue;
    bool m_working = false;
    QList<ScanResult> m_toChoose;

    QComboBox* m_sesje;
    QLabel* m_opis;
    QLabel* m_liczby[4];
    QLineEdit* m_kod;
    QLabel* m_wynik;
    QTableView* m_oczekiwane;
    QTableView* m_poza;
    StocktakingModel* m_oczekiwaneModel;
    StocktakingModel* m_pozaModel;
    QComboBox* m_doWyboru;
    QPushButton* m_wybierz;
    QPushButton* m_nowa;
    QPushButton* m_zamknij;
    QPushButton* m_usun;
    QPushButton* m_arkusz;
    QPushButton* m_roznice;
    QTimer* m_timer;
    TfNowaInwentaryzacja* m_nowaForm;
};
