#pragma once

#include <QString>
#include <QVariant>

#include <vector>

class TmyDataBase;

// What "Usuń" and "Likwiduj" remove or switch off, per register, as data:
// the main statement and the cascade after it, in their order. The
// statements of one command run in one write transaction; the stored files of
// deleted attachments are removed only after it has committed.
namespace DeleteCascade {

struct Step
{
    // A statement followed by the decimal key, or (files set) the stored
    // files of this kind's attachments, collected here and removed after the
    // commit.
    const char* sql = nullptr;
    const char* filesOf = nullptr;
};

struct Rule
{
    const char* registerName; // page of the main window
    const char* list;         // the list the row is read from and reloaded
    const char* key;          // key field of the list's row
    // Key appended; with a text key it is bound as :PARAM0 instead.
    const char* mainDelete;
    bool textKey;
    std::vector<Step> cascade;
    qint64 code;
    // The attachments register: the row's own file (NAZWAPLIKU), reported
    // with fileCode when it cannot be removed.
    bool ownFile = false;
    qint64 fileCode = 242128;
};

struct Liquidation
{
    const char* registerName;
    const char* list;
    const char* key;
    const char* statement;              // DBFLikwidacja…: reason :PARAM0, date line 4, key line 6
    const char* kind;                   // the deadlines switched off by DBFUnactiveTerminy
    std::vector<const char*> followUps; // each followed by the decimal key
    qint64 code;
};

const Rule* find(const QString& registerName);
const Liquidation* liquidationOf(const QString& registerName);
const std::vector<Rule>& rules();

// Runs the delete of `key` with its cascade in one transaction; a failure is
// reported with the rule's code and rolls everything back. With the option
// usuwajZajaczniki the files of the deleted attachments (`ownFile` for the
// attachments register) are removed after the commit. False on failure.
bool run(TmyDataBase& db, const Rule& rule, const QVariant& key, const QString& ownFile = {});

// The liquidation statements of `key` with the dialog's reason and date
// (yyyymmdd, 0 when none) in one transaction, reported with the rule's code.
bool liquidate(TmyDataBase& db, const Liquidation& rule, qint64 key, const QString& reason, qint64 date);

} // namespace DeleteCascade
