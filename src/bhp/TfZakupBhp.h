#pragma once

#include "bhp/BhpEditor.h"

class AmountFields;
class CalendarPicker;
class DateField;
class QCheckBox;
class Statement;

// "Zakup środków BHP": one invoice line for safety clothing or protective
// equipment. It changes no stock; ticking `dodajDoBhp` turns it into a new
// BHP item after the save.
class TfZakupBhp : public BhpEditor
{
    Q_OBJECT

public:
    TfZakupBhp(TmyDataBase& db, QWidget* parent = nullptr);

    // Companies, employees, KLBHP and the VAT rates.
    void reopenLookups();
    // Add: texts empty, amounts "0.00", no supplier, the first classifier, no date.
    void prepareNew();
    void fillFromRow(const Statement& row);
    // Add from a BHP item: its identity, quantity and amounts "0.00".
    void fillFromItem(const BhpItemData& item);

    bool addToItems() const;
    // What a new BHP item takes from this purchase.
    BhpItemData toItem() const;

    void bindInsert(Statement& q) const;
    void bindUpdate(Statement& q, qint64 key) const;

    void SBZapiszClick() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void bindValues(Statement& q, int firstValueLine) const;

    QLineEdit* fNRFAKTURY;
    QLineEdit* fILOSC;
    DateField* fDATAZAKUPU;
    CalendarPicker* DTPDATAZAKUPU;
    QLineEdit* fPRODUCENT;
    QLineEdit* fNETTO;
    Lookup* stawkaVAT;
    QLineEdit* fVAT;
    QLineEdit* fBRUTTO;
    Lookup* fIDFIRMY;
    QLineEdit* fNRKPIR;
    QCheckBox* dodajDoBhp;
    AmountFields* m_amounts;
};
