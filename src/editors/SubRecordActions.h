#pragma once

#include <QObject>
#include <QString>

#include <functional>

class SubList;
class SubRecordDialog;
class TmyDataBase;

// What an asset's editor does with one of its sub-record lists (deadlines,
// repairs, documents, history): add, edit, preview, delete and print a row
// through the list's dialog. Each write goes to the store at once, and the
// list is refreshed with its cursor on the written row.
class SubRecordActions : public QObject
{
    Q_OBJECT

public:
    enum Kind
    {
        Deadlines,
        Repairs,
        Documents,
        History
    };
    enum Operation
    {
        Insert,
        Update,
        Delete
    };

    // Sets the list's actions; the dialog stays the caller's.
    SubRecordActions(TmyDataBase& db, Kind kind, SubList* list, SubRecordDialog* dialog, QObject* parent);

    void setOwner(const QString& ownerKind, qint64 ownerKey);
    // Points the shared classification list back at the owner's dictionary
    // after a deadline or document dialog moved it.
    void setRestoreClassifier(std::function<void()> restore) { m_restoreClassifier = std::move(restore); }
    // The record print-out: title and text.
    void setPrinter(std::function<void(const QString&, const QString&)> print) { m_print = std::move(print); }
    // History: the person of "Dodaj do historii", taken once by the next add.
    void setHistoryPrefill(std::function<bool(QString*)> take) { m_takePrefill = std::move(take); }
    // A new record prepared by the owner (true) instead of left empty (false).
    void setPrepareNew(std::function<bool(SubRecordDialog*)> prepare) { m_prepareNew = std::move(prepare); }

    void add();
    void edit();
    void preview();
    void remove();
    void print();

    SubRecordDialog* dialog() const { return m_dialog; }

    // The error code of a write for an owner kind; 0 where the owner has no such list.
    static qint64 code(Kind kind, const QString& ownerKind, Operation operation);
    // Statement names and the table's key.
    static QString statementName(Kind kind, Operation operation);
    static QString keyColumn(Kind kind);
    static QString tableName(Kind kind);

private:
    bool usesClassifier() const { return m_kind == Deadlines || m_kind == Documents; }
    void restoreClassifier();
    bool editable() const;

    TmyDataBase& m_db;
    Kind m_kind;
    SubList* m_list;
    SubRecordDialog* m_dialog;
    QString m_ownerKind;
    qint64 m_ownerKey = -1;
    std::function<void()> m_restoreClassifier;
    std::function<void(const QString&, const QString&)> m_print;
    std::function<bool(QString*)> m_takePrefill;
    std::function<bool(SubRecordDialog*)> m_prepareNew;
};
