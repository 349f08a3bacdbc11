#pragma once

#include "editors/SubRecordDialog.h"

class TfTutorial2;

// One attachment of an asset (table zalaczniki): its name, kind, date and
// the file, chosen with "Wskaż plik" and stored in the attachments folder.
class TfZalaczniki : public SubRecordDialog
{
    Q_OBJECT

public:
    explicit TfZalaczniki(TmyDataBase& db, QWidget* parent = nullptr);

    void reopenLookups() override;
    // A new attachment: no key, no kind, empty texts, today's date.
    void prepareNew() override;
    void fillFromRow(const Statement& row) override;
    // Insert: owner key, date and kind lines; kind, name and "Inne" parameters.
    void bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const override;
    // Update of every column, the file name being `storedName`.
    void bindUpdate(Statement& q, qint64 key) const override;
    void setStoredNameForUpdate(const QString& storedName) { m_updateName = storedName; }
    QString printTitle() const override { return QStringLiteral("Załączniki"); }
    QStringList printLines() const override;

    // The full path chosen with "Wskaż plik"; empty when none was chosen.
    QString sourcePath() const { return m_sourcePath; }
    QString storedNameText() const;
    // Set after a failed copy: the chosen source survives the next showing.
    void setRetry(bool on) { m_retry = on; }
    bool closesAtOnce() const { return m_closeAtOnce; }

    // Shows the dialog unless the attachments folder is unset or missing,
    // which is told to the user instead (the result then is not saved).
    int exec() override;

    // The edit loop of an existing attachment, filled from `row` already:
    // shown until cancelled or saved with the file stored. A new file is
    // copied in (the old one deleted when its name changes); a failed copy is
    // told, logged with `copyFailurePrefix`, and the dialog shown again. True
    // when the row is to be updated; its file name is then set for bindUpdate.
    bool runEdit(const QString& copyFailurePrefix);

    // The stored file name is never typed.
    void setReadOnly(bool readOnly) override;

    TfTutorial2* guide();
    void SBZapiszClick() override;
    void SBWskazClick();

private:
    Lookup* fRDZAL;
    QLineEdit* fNAZWAZALACZNIKA;
    DateField* fDATADODANIA;
    QLineEdit* fNAZWAPLIKU;
    QLineEdit* fINNE;
    TfTutorial2* m_guide = nullptr;
    QString m_sourcePath;
    QString m_keyText;
    QString m_updateName;
    bool m_retry = false;
    bool m_closeAtOnce = false;
};
