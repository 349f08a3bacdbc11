#pragma once

#include "editors/SubRecordDialog.h"

// One period of use of an asset (table historia): who used it, from when
// to when, and where.
class TfHistoria : public SubRecordDialog
{
    Q_OBJECT

public:
    explicit TfHistoria(TmyDataBase& db, QWidget* parent = nullptr);

    void reopenLookups() override;
    void prepareNew() override;
    // "Dodaj do historii": both dates today and the person chosen (none for an empty text).
    void prepareFor(const QString& nrew);
    // A new entry from a holding: person, period and other information.
    void prepareFrom(const QString& nrew, qint64 dataod, qint64 datado, const QString& inne);
    void fillFromRow(const Statement& row) override;
    void bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const override;
    void bindUpdate(Statement& q, qint64 key) const override;
    QString printTitle() const override { return QStringLiteral("Historia"); }
    QStringList printLines() const override;

    void SBZapiszClick() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString person() const;

    Lookup* fNREW;
    DateField* fDATAOD;
    DateField* fDATADO;
    QLineEdit* fMIEJSCE;
    QLineEdit* fINNE;
};
