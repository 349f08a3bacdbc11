#pragma once

#include "editors/EditorDialog.h"

#include <QMap>

class Lookup;
class QLineEdit;
class QToolButton;
class Statement;
class TfBiblioteka;
class TmyDataBase;

// The employee card: one row of osobowa. The caller fills it, shows it and
// after a confirmed "Zapisz" writes the row with the statements bound here.
class TfOsobowa : public EditorDialog
{
    Q_OBJECT

public:
    explicit TfOsobowa(TmyDataBase& db, QWidget* parent = nullptr);

    // The dictionary editor behind the "[...]" buttons (made on first use when not set).
    void setDictionaryEditor(TfBiblioteka* editor) { m_biblioteka = editor; }
    TfBiblioteka* dictionaryEditor();

    // Re-reads the departments and positions.
    void reopenLookups();
    // Add: every field empty, no department and no position.
    void prepareNew();
    // Fields from a row of the employee list.
    void fillFromRow(const Statement& row);
    // The number can be typed: always for add and copy, on edit only with
    // the option that allows changing it.
    void setNumberEditable(bool editable);

    // :PARAM0 ... :PARAM12 and the two dictionary lines of DBFInsertOsobowa
    // and DBFUpdateOsobowa; the update's key :PARAM13 is the row's old number.
    void bindInsert(Statement& q) const;
    void bindUpdate(Statement& q, const QString& oldNumber) const;

    void SBZapiszClick() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void bindTexts(Statement& q) const;
    void goToSlownik(int dictionaryIndex, Lookup* lookup, const QString& statement);

    TmyDataBase& m_db;
    TfBiblioteka* m_biblioteka = nullptr;
    QMap<QString, QLineEdit*> m_edits; // column -> field
    Lookup* fDZIAL;
    Lookup* fSTANOWISKO;
    QList<QToolButton*> m_dictionaryButtons;
};
