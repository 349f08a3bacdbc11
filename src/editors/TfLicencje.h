#pragma once

#include "editors/SoftwareEditor.h"

class AmountFields;
class CalendarPicker;
class DateField;
class Lookup;
class QLineEdit;
class QWidget;
class Statement;
class TmyDataBase;

// The licence editor: one row of licencje, with the programs it covers, its
// deadlines and attachments. The caller fills it, shows it and after a
// confirmed "Zapisz" writes the row; the tabs' rows are written here at once.
class TfLicencje : public SoftwareEditor
{
    Q_OBJECT

public:
    explicit TfLicencje(TmyDataBase& db, QWidget* parent = nullptr);

    // Re-reads the suppliers, the licence types and the VAT rates.
    void reopenLookups();
    // Add: every field empty, amounts "0.00", only "Szczegóły".
    void prepareNew();
    void fillFromRow(const Statement& row);

    QWidget* detailsPage() const { return m_details; }
    QWidget* liquidationPage() const { return m_liquidation; }
    AmountFields* amounts() const { return m_amounts; }

    void SBZapiszClick() override;
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildLiquidation();
    QWidget* buildDetails();

    QWidget* m_liquidation;
    QWidget* m_details;
    AmountFields* m_amounts = nullptr;
    QLineEdit* fNREWID;
    QLineEdit* fNRLICENCJI;
    QLineEdit* fKLUCZ;
    QLineEdit* fHASLO;
    Lookup* fTYPLICENCJI;
    DateField* fDATAZAKUPU;
    CalendarPicker* DTPDATAZAKUPU;
    QLineEdit* fNRFAKTURY;
    QLineEdit* fNRKPIR;
    QLineEdit* fNETTO;
    Lookup* stawkaVAT;
    QLineEdit* fVAT;
    QLineEdit* fBRUTTO;
    Lookup* fIDFIRMY;
    QLineEdit* fINNE;
    DateField* fDATAARCH;
    QLineEdit* fPRZYCZYNA;
};
