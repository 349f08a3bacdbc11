#pragma once

#include "registers/RegisterCommands.h"

#include <QObject>
#include <QString>

#include <map>
#include <memory>

class AdditionalCommands;
class TfKomputery;
class TmyDataBase;
class QWidget;

// The record commands "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" (and later
// "Usuń" and "Likwiduj") of the main window, dispatched by register name to
// the register's own command class. Registers are named as the main
// window's pages ("komputery"); a register without a command class, or
// without the command, answers false and nothing happens.
class RecordCommands : public QObject
{
    Q_OBJECT

public:
    RecordCommands(TmyDataBase& db, TfKomputery& computers, QObject* parent = nullptr);
    ~RecordCommands() override;

    bool add(const QString& registerName);
    // Sets the copy flag and runs the add; nothing on an empty list.
    bool copy(const QString& registerName);
    bool edit(const QString& registerName);
    bool preview(const QString& registerName);
    bool remove(const QString& registerName);
    bool liquidate(const QString& registerName);

    // Adds a register's command class (replacing one of the same name).
    void registerCommands(std::unique_ptr<RegisterCommands> commands);
    RegisterCommands* commandsOf(const QString& registerName) const;
    bool hasEditor(const QString& registerName) const;
    bool canAdd(const QString& registerName) const;

    CommandContext& context() { return m_context; }
    // Edit and preview of the deadline, repair, document, history and attachment registers.
    AdditionalCommands& additional() const { return *m_additional; }
    TfKomputery& computers() const { return m_computers; }

signals:
    // The list was reloaded and its cursor moved: the grid follows it.
    void listReloaded(const QString& list);

private:
    TfKomputery& m_computers;
    CommandContext m_context;
    AdditionalCommands* m_additional;
    std::map<QString, std::unique_ptr<RegisterCommands>> m_registers;
};
