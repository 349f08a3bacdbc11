#pragma once

#include "editors/SoftwareEditor.h"

class Lookup;
class QLineEdit;
class QWidget;
class Statement;
class TmyDataBase;

// The program editor: one row of programy, with the licences that cover it
// and its attachments. The caller fills it, shows it and after a confirmed
// "Zapisz" writes the row; the links and attachments are written here at once.
class TfProgramy : public SoftwareEditor
{
    Q_OBJECT

public:
    explicit TfProgramy(TmyDataBase& db, QWidget* parent = nullptr);

    // Re-reads the companies and the KLOPR classification list.
    void reopenLookups();
    // Add: every field empty, only "Szczegóły".
    void prepareNew();
    void fillFromRow(const Statement& row);

    QWidget* detailsPage() const { return m_details; }

    void SBZapiszClick() override;
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildDetails();

    QWidget* m_details;
    QLineEdit* fNREWID;
    QLineEdit* fNAZWA;
    QLineEdit* fWERSJA;
    QLineEdit* fNRSERYJNY;
    QLineEdit* fPRODUCENT;
    Lookup* fIDFIRMY;
    Lookup* fKLASYFIKATOR;
    QLineEdit* fINNE;
};
