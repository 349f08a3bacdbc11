#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;
class SubList;
class TfLicProg;
class TmyDataBase;

// The licence-program links on a tab of the licence or the program editor:
// add, edit, preview, delete and print through TfLicProg. The rows are
// written at once; "Anuluj" of the editor does not undo them.
class LicenceLinks : public QObject
{
    Q_OBJECT

public:
    enum class Owner
    {
        Licence, // the licence editor: the licence is fixed, a program is chosen
        Program  // the program editor: the program is fixed, a licence is chosen
    };

    LicenceLinks(TmyDataBase& db, Owner owner, SubList* list, QWidget* dialogParent);

    // The edited licence or program; the list shows its active links.
    void setOwner(qint64 key);
    void setPrinter(std::function<void(const QString&, const QString&)> print) { m_print = std::move(print); }

    void add();
    void edit();
    void preview();
    void remove();
    void print();

    // Made on first use.
    TfLicProg* dialog();
    // Puts the cursor on the link.
    bool locate(qint64 program, qint64 licence);

private:
    bool editable() const;
    // The dialog filled from the selected link, both lists offering everything.
    void fillFromRow();

    TmyDataBase& m_db;
    Owner m_owner;
    SubList* m_list;
    QWidget* m_dialogParent;
    TfLicProg* m_dialog = nullptr;
    qint64 m_key = -1;
    std::function<void(const QString&, const QString&)> m_print;
};
