#pragma once

#include <QList>
#include <QString>

// The lists of additional report windows, "rpdqx1.cfg" then "rpdqx2.cfg" in
// the configuration folder: one "name,caption" line per window.
namespace ReportLists {
constexpr int kMaxEntries = 100;

struct Entry
{
    QString name;    // component name of the window; empty ends the shown list
    QString caption; // text shown in the list
};

// Always kMaxEntries entries, in reading order; entries not filled are empty.
// Missing files are skipped; lines beyond the 100th are ignored.
QList<Entry> read(const QString& folder);
// The entries shown: those before the first one with an empty name.
QList<Entry> shown(const QList<Entry>& entries);
} // namespace ReportLists
