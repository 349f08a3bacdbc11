#pragma once

#include "store/LookupSearch.h"

#include <QComboBox>
#include <QTimer>
#include <QVariant>

class QCompleter;
class QStandardItemModel;
class Statement;
class TmyDataBase;

// A drop-down list over a lookup statement of the data module: it shows one
// field and keeps another as the key. A key that is not in the list shows
// no choice; no choice answers an invalid key.
//
// Over a register too large to list (bindSearch) nothing is read in advance:
// the user types part of the text, the store is asked for the first rows that
// hold it, and they are offered under the field; the drop-down button offers
// the first rows of the register. Only the row chosen is kept as the item.
class Lookup : public QComboBox
{
    Q_OBJECT

public:
    // Rows offered under the field at a time.
    static constexpr int kOffered = 50;

    explicit Lookup(QWidget* parent = nullptr);

    // The statement and its key and display fields; fills the list.
    void bind(Statement* statement, const QString& keyField, const QString& displayField);
    // Searches the lookup `lookupName` of LookupSearch instead of listing it.
    void bindSearch(TmyDataBase* db, const QString& lookupName);
    bool isSearching() const { return m_db != nullptr; }
    // Re-reads the rows from the bound statement (after it was reopened),
    // keeping the chosen key when it is still there; a searching lookup reads
    // the text of its chosen key again.
    void refill();

    QVariant key() const;
    bool hasChoice() const { return currentIndex() >= 0; }
    // Chooses the entry with this key; no choice when absent or invalid.
    void setKey(const QVariant& key);
    void clearChoice();
    // The key as a decimal text, or `fallback` when nothing is chosen.
    QString keyText(const QString& fallback) const;
    // The chosen key as a number for a statement line, or `noChoice` when
    // nothing (or nothing numeric) is chosen.
    QString keyLine(qint64 noChoice) const;

    // Searching lookups: offers the rows found for `typed` under the field, as
    // typing does, and answers them (at most kOffered).
    QList<LookupSearch::Match> offer(const QString& typed);
    // The list under the field while it is shown.
    QCompleter* offered() const { return m_completer; }
    // Chooses an offered row, as a click on it does.
    void chooseOffered(int row);

    void showPopup() override;

private:
    void choose(const QVariant& key, const QString& text);
    void typed();
    void editingDone();

    Statement* m_statement = nullptr;
    QString m_keyField;
    QString m_displayField;

    TmyDataBase* m_db = nullptr;
    QString m_lookupName;
    QCompleter* m_completer = nullptr;
    QStandardItemModel* m_matches = nullptr;
    QTimer m_search; // what is typed is searched once the keys waiting are handled
};
