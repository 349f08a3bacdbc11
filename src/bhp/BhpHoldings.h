#pragma once

#include <QObject>
#include <QString>

class SubList;
class SubRecordDialog;
class TfBhp;
class TfIloscNaStanie;
class TfPosiadajacy;
class TmyDataBase;

// The holdings tab of a BHP item: issuing it to an employee, changing what
// an employee holds and taking it back. Each change is written at once; the
// quantity on stock it implies is confirmed in "BHP na stanie" and put into
// the item editor, which stores it only with its own "Zapisz".
class BhpHoldings : public QObject
{
    Q_OBJECT

public:
    BhpHoldings(TmyDataBase& db, TfBhp& editor, SubList* list);

    void setItem(qint64 key) { m_item = key; }

    void add();
    void edit();
    void preview();
    void remove();
    void print();
    // "Dodaj do historii": the history add of the item starts from the holding.
    void toHistory();
    // "Ilość razem".
    void showSum();
    // Prepares the history dialog from a holding when "Dodaj do historii" asked for it.
    bool prepareHistory(SubRecordDialog* dialog);

    TfPosiadajacy& dialog() const { return *m_dialog; }
    TfIloscNaStanie& stockDialog() const { return *m_stock; }

private:
    // The stock dialog for a change from `before` to `after`; false when cancelled.
    // Without `atkualizujStanBhp` nothing is shown and true is answered.
    bool confirmStock(double before, double after, double* newValue);
    void refresh(const QString& employee);

    TmyDataBase& m_db;
    TfBhp& m_editor;
    SubList* m_list;
    TfPosiadajacy* m_dialog;
    TfIloscNaStanie* m_stock;
    qint64 m_item = -1;

    struct HistoryPrefill
    {
        bool pending = false;
        QString nrew;
        qint64 dataod = 0;
        qint64 datado = 0;
        QString inne;
    } m_prefill;
};
