#pragma once

#include "editors/EditorDialog.h"

class DateField;
class QLineEdit;

// Collects the date and reason of a liquidation (a computer, an equipment
// item or a licence moved to the archive). The caller puts the row's stored
// date and reason in, shows the dialog, and after a confirmed "Zapisz" reads
// them back and writes the row.
class TfLikwidacja : public EditorDialog
{
    Q_OBJECT

public:
    explicit TfLikwidacja(QWidget* parent = nullptr);

    // The row's DATAARCH (0: none) and PRZYCZYNA; a row already liquidated
    // only has them corrected, so no confirmation is asked.
    void prepare(qint64 dataArch, const QString& reason, bool alreadyLiquidated);
    void setNoConfirmation(bool on) { m_noConfirmation = on; }
    bool noConfirmation() const { return m_noConfirmation; }

    // yyyymmdd of the entered date.
    qint64 liquidationDate() const;
    QString reason() const;

    void SBZapiszClick() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_noConfirmation = false;
    DateField* fDATAARCH;
    QLineEdit* fPRZYCZYNA;
};
