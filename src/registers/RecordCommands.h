#pragma once

#include <QObject>
#include <QString>

class AdditionalCommands;
class Statement;
class TfKomputery;
class TmyDataBase;

// The record commands "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the main
// window for the registers whose editors exist. Each copies the current row
// of the register's list into its editor, shows the editor, and after a
// confirmed save writes the row, reloads the list and puts its cursor on the
// saved row. Registers are named as the main window's pages ("komputery").
class RecordCommands : public QObject
{
    Q_OBJECT

public:
    RecordCommands(TmyDataBase& db, TfKomputery& computers, QObject* parent = nullptr);

    // Each answers whether the register has the command; nothing happens on
    // an empty list (add excepted).
    bool add(const QString& registerName);
    bool copy(const QString& registerName);
    bool edit(const QString& registerName);
    bool preview(const QString& registerName);

    static bool hasEditor(const QString& registerName);
    // Edit and preview of the deadline, repair, document, history and attachment registers.
    AdditionalCommands& additional() const { return *m_additional; }

signals:
    // The list was reloaded and its cursor moved: the grid follows it.
    void listReloaded(const QString& list);

private:
    bool addComputer();
    bool editComputer();
    bool previewComputer();
    bool listHasRow(const QString& list);
    // Reopens the editor's lookups and fills it from the current row.
    void loadComputer(qint64 key, const Statement& row);
    bool insertComputer();
    bool updateComputer(qint64 key);
    void saveProperties(qint64 key);
    void relocate(const QString& list, qint64 key);
    QString amountLine(const QString& column) const;

    TmyDataBase& m_db;
    TfKomputery& m_computers;
    AdditionalCommands* m_additional;
    bool m_copy = false;
};
