#pragma once

#include "editors/EditorDialog.h"

#include <functional>

class CalendarPicker;
class DateField;
class Lookup;
class QCheckBox;
class QLineEdit;
class QToolButton;
class Statement;
class TfBiblioteka;
class TmyDataBase;

// What the order and settlement dialogs share: a piece of work on one item
// of equipment with its number, dates, kind of work, ordering company and
// person. A settlement adds hours and an hourly rate; an order the choice to
// turn it into a settlement. The caller writes the row.
class WorkEntryDialog : public EditorDialog
{
    Q_OBJECT

public:
    // Re-reads equipment, kinds of work (RPRAC), companies and employees.
    void reopenLookups();
    // A new row: equipment, kind of work and company at key -1, no person,
    // other fields empty (hours and rate "0.00").
    void prepareNew();
    // Fields from a row of the orders or settlements list.
    void fillFromRow(const Statement& row);
    // The fields of another dialog of the pair (an order turned into a settlement).
    void fillFrom(const WorkEntryDialog& other);

    void setDictionaryEditor(std::function<TfBiblioteka*()> editor)
    {
        m_dictionaryEditor = std::move(editor);
    }

    void SBZapiszClick() override;
    void lastNumberClick();

protected:
    struct Texts
    {
        const char* objectName;
        QString caption, header;
        QString numberCaption, numberHint, lastNumberHint;
        QString dateCaption, dateFromHint, dateToHint;
        QString equipmentCaption;
        QString descriptionCaption, descriptionHint;
        QString badDateFrom;
        QString table, keyColumn; // the last-number query
        bool settlement;
    };
    WorkEntryDialog(TmyDataBase& db, const Texts& texts, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    TmyDataBase& db() const { return m_db; }

    QCheckBox* dodajDoRozliczen = nullptr;

private:
    QLineEdit* hourField(const char* name, const QString& hint);
    // Blank is 0; a text that does not read as a non-negative number is refused.
    bool checkNumber(QLineEdit* field, const QString& message);

    TmyDataBase& m_db;
    Texts m_texts;
    std::function<TfBiblioteka*()> m_dictionaryEditor;
    QLineEdit* fNRDOKUMENTU;
    DateField* fDATAOD;
    DateField* fDATADO;
    CalendarPicker* DTPDATAOD;
    CalendarPicker* DTPDATADO;
    Lookup* fSPRZET;
    Lookup* fRODZAJPRAC;
    Lookup* fIDFIRMY;
    Lookup* fNREW;
    QLineEdit* fOPIS;
    QLineEdit* fGODZINY = nullptr;
    QLineEdit* fSTAWKA = nullptr;
    QToolButton* m_dictionaryButton;
};
