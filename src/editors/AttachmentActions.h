#pragma once

#include <QObject>
#include <QString>

#include <functional>

class SubList;
class TfZalaczniki;
class TmyDataBase;

// What an asset's editor does with its attachment list: add a file (the row
// first, then the file copied in under the row's key), replace it, open it,
// delete the row (and, with usuwajZajaczniki on, the file), preview and print.
class AttachmentActions : public QObject
{
    Q_OBJECT

public:
    // Error codes and copy-failure log prefixes of an owner kind.
    struct Codes
    {
        qint64 insert;
        qint64 nameUpdate;
        qint64 edit;
        qint64 fileDelete;
        qint64 rowDelete;
        QString addPrefix;
        QString editPrefix;
    };
    static Codes codes(const QString& ownerKind);

    AttachmentActions(TmyDataBase& db, SubList* list, TfZalaczniki* dialog, QObject* parent);

    void setOwner(const QString& ownerKind, qint64 ownerKey);
    void setPrinter(std::function<void(const QString&, const QString&)> print) { m_print = std::move(print); }

    void add();
    void edit();
    void preview();
    void remove();
    void open();
    void print();

    // The update of an edited attachment (also the register's edit); false after a reported error.
    static bool update(TmyDataBase& db, const TfZalaczniki& dialog, qint64 key, qint64 code);

private:
    bool editable() const;

    TmyDataBase& m_db;
    SubList* m_list;
    TfZalaczniki* m_dialog;
    QString m_ownerKind;
    qint64 m_ownerKey = -1;
    std::function<void(const QString&, const QString&)> m_print;
};
