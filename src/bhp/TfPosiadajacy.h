#pragma once

#include "editors/EditorDialog.h"

class CalendarPicker;
class DateField;
class Lookup;
class QLineEdit;
class Statement;
class TmyDataBase;

// "Stan posiadania pracowników": how much of a BHP item one employee holds
// and for what period.
class TfPosiadajacy : public EditorDialog
{
    Q_OBJECT

public:
    TfPosiadajacy(TmyDataBase& db, QWidget* parent = nullptr);

    void reopenLookups();
    // Add: no employee, empty dates, "0.00", the employee can be chosen.
    void prepareNew();
    // Edit: the holding's values, the employee fixed.
    void fillFromRow(const Statement& row);

    QString employee() const;
    double quantity() const;
    void bindInsert(Statement& q, qint64 item) const;
    void bindUpdate(Statement& q, qint64 item) const;

    void SBZapiszClick() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TmyDataBase& m_db;
    Lookup* fNREW;
    QLineEdit* fILOSC;
    DateField* fDATAOD;
    CalendarPicker* DTPDATAOD;
    DateField* fDATADO;
    CalendarPicker* DTPDATADO;
    QLineEdit* fINNE;
};
