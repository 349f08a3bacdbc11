#pragma once

#include "editors/AssetEditor.h"

// The equipment editor: one row of sprzet, any item other than a computer,
// kept like a computer with the computer it belongs to and property names
// of its own class.
class TfSprzet : public AssetEditor
{
    Q_OBJECT

public:
    explicit TfSprzet(TmyDataBase& db, QWidget* parent = nullptr);

    // Also the computers an item can be attached to (DBFKompSprzet).
    void reopenLookups() override;
    // A new item: the first class of KLSPR, no computer.
    void prepareNew() override;
    // Also the computer, and the captions of the item's stored class.
    void fillFromRow(const Statement& row) override;

    // The print-out of the item in the fields: title "Sprzęt".
    QString printText() const;

protected:
    QWidget* extraDetail(QWidget* page, QString* caption) override;
    qint64 captionClassifier() const override;
    void tabChanged(int index) override;

private:
    Lookup* fIDKOMPUTERA = nullptr;
};
