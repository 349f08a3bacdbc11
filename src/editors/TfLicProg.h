#pragma once

#include "editors/EditorDialog.h"

class Lookup;
class QCheckBox;
class QLineEdit;
class TmyDataBase;

// "Licencjonowane oprogramowanie": which program a licence covers and for how
// many computers. Used from the licence and the program editor; the caller
// reopens the two lists, fills the dialog and writes the link.
class TfLicProg : public EditorDialog
{
    Q_OBJECT

public:
    explicit TfLicProg(TmyDataBase& db, QWidget* parent = nullptr);

    // Re-reads the licence and program lists (after the caller reopened them).
    void refillLists();
    // Keys to show (-1: none) and whether each list is locked. A locked key
    // the list does not offer (a liquidated licence) is shown as `shown`.
    void setLicence(qint64 key, bool locked, const QString& shown = {});
    void setProgram(qint64 key, bool locked, const QString& shown = {});
    void setCount(qint64 count, bool unlimited);

    // -1 when nothing is chosen.
    qint64 licence() const;
    qint64 program() const;
    bool unlimited() const;
    // The count as written: 0 for an unlimited licence.
    qint64 count() const;
    QString licenceText() const;
    QString programText() const;

    void setReadOnly(bool readOnly) override;
    void SBZapiszClick() override;
    // Leaving the count field: its whole-number form, or 0.
    void fILOSCLICExit();
    void fWIELOSTANClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Lookup* fLICENCJA;
    Lookup* fPROGRAM;
    QCheckBox* fWIELOSTAN;
    QLineEdit* fILOSCLIC;
    bool m_licenceLocked = false;
    bool m_programLocked = false;
};
