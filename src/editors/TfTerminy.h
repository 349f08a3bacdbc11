#pragma once

#include "editors/SubRecordDialog.h"

class QComboBox;

// One deadline of an asset (table terminy): its kind, the dates from and
// to, which of them the deadline check watches, and whether it is active.
class TfTerminy : public SubRecordDialog
{
    Q_OBJECT

public:
    explicit TfTerminy(TmyDataBase& db, QWidget* parent = nullptr);

    void reopenLookups() override;
    void prepareNew() override;
    void fillFromRow(const Statement& row) override;
    void bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const override;
    void bindUpdate(Statement& q, qint64 key) const override;
    QString printTitle() const override { return QStringLiteral("Termin"); }
    QStringList printLines() const override;

    void SBZapiszClick() override;

private:
    // "D" for "Datę do", "O" for "Datę od".
    QString whichDate() const;

    Lookup* fKLASYFIKATOR;
    DateField* fDATAOD;
    DateField* fDATADO;
    QComboBox* fSPRODDO;
    QLineEdit* fOPIS;
    QLineEdit* fINNE;
    QCheckBox* fACT;
};
