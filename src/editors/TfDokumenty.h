#pragma once

#include "editors/SubRecordDialog.h"

// One document of an asset (table dokumenty): number, dates, name and kind,
// and whether the deadline check watches its expiry.
class TfDokumenty : public SubRecordDialog
{
    Q_OBJECT

public:
    explicit TfDokumenty(TmyDataBase& db, QWidget* parent = nullptr);

    void reopenLookups() override;
    void prepareNew() override;
    void fillFromRow(const Statement& row) override;
    void bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const override;
    void bindUpdate(Statement& q, qint64 key) const override;
    QString printTitle() const override { return QStringLiteral("Dokument"); }
    QStringList printLines() const override;

    void SBZapiszClick() override;
    // The number of the most recently added document, of any owner.
    void SpeedButton1Click();

private:
    QLineEdit* fNUMER;
    DateField* fDATADOK;
    DateField* fTERMIN;
    QCheckBox* fACT;
    QLineEdit* fNAZWA;
    Lookup* fKLASYFIKATOR;
    QLineEdit* fINNE;
    // Written for the kind while none is chosen: -1 for a new document, 0 once cleared.
    qint64 m_noKind = 0;
};
