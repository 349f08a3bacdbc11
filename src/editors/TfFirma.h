#pragma once

#include "editors/EditorDialog.h"

#include <QMap>

class QLineEdit;
class Statement;

// The company card: one row of firmy, also the user's own company (row 1)
// for "Nasza firma". The caller fills it, shows it and after a confirmed
// "Zapisz" writes the row with the statements bound here.
class TfFirma : public EditorDialog
{
    Q_OBJECT

public:
    explicit TfFirma(QWidget* parent = nullptr);

    // The 24 text columns in the order of the insert's and update's parameters.
    static const QStringList& columns();

    // Add: every field empty.
    void prepareNew();
    // Fields from a row holding the columns of firmy.
    void fillFromRow(const Statement& row);

    // :PARAM0 ... :PARAM23 of DBFInsertFirmy and DBFUpdateFirmy; the update
    // also takes the key.
    void bindInsert(Statement& q) const;
    void bindUpdate(Statement& q, qint64 key) const;

    void SBZapiszClick() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QMap<QString, QLineEdit*> m_edits; // column -> field
};
