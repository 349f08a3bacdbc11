#pragma once

#include "editors/EditorDialog.h"

class QLineEdit;
class Statement;

// "Magazyn zasobów": one resource of the store with its quantity and the
// level at which the stock check reports it.
class TfMagazyn : public EditorDialog
{
    Q_OBJECT

public:
    explicit TfMagazyn(QWidget* parent = nullptr);

    // Add: empty name and notes, both quantities "0.00".
    void prepareNew();
    void fillFromRow(const Statement& row);
    // The values of the insert (:PARAM0, :PARAM1, lines 1 and 3) and the update.
    void bindInsert(Statement& q) const;
    void bindUpdate(Statement& q, qint64 key) const;

    void SBZapiszClick() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* fCZESC;
    QLineEdit* fILOSC;
    QLineEdit* fPRZYPOMNIJ;
    QLineEdit* fUWAGI;
};
