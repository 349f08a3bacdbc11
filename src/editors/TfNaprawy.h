#pragma once

#include "editors/SubRecordDialog.h"

class AmountFields;

// One repair of an asset (table naprawy): when it is due, who did it and
// when, the invoice and its amounts.
class TfNaprawy : public SubRecordDialog
{
    Q_OBJECT

public:
    explicit TfNaprawy(TmyDataBase& db, QWidget* parent = nullptr);

    void reopenLookups() override;
    void prepareNew() override;
    void fillFromRow(const Statement& row) override;
    void bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const override;
    void bindUpdate(Statement& q, qint64 key) const override;
    QString printTitle() const override { return QStringLiteral("Naprawa"); }
    QStringList printLines() const override;

    AmountFields* amounts() const { return m_amounts; }
    void SBZapiszClick() override;

private:
    DateField* fTERMIN;
    QCheckBox* fACT;
    QLineEdit* fOPIS;
    Lookup* fIDFIRMY;
    QLineEdit* fNRFAKTURY;
    DateField* fDATANAPRAWY;
    QLineEdit* fNETTO;
    Lookup* stawkaVAT;
    QLineEdit* fVAT;
    QLineEdit* fBRUTTO;
    QLineEdit* fINNE;
    AmountFields* m_amounts;
    // Written for the company while none is chosen: -1 for a new repair, 0 once cleared.
    qint64 m_noCompany = 0;
};
