#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// The stored SQL text of every named statement of the data module, line by
// line. Slot lines are empty here and filled by index before a statement runs;
// line indexes are part of each statement's contract.
struct StatementText
{
    QString name;
    QStringList lines;
    // Slot lines that must hold a value (a key, code, number or date) before
    // the statement can run; condition and sort slots of list queries are
    // written from the list state instead (ListState).
    QList<int> valueLines = {};
};

const std::vector<StatementText>& allStatementTexts();
// The lines of one statement; empty when the name is unknown.
QStringList statementLines(const QString& name);
// The stored text of one statement; nullptr when the name is unknown.
const StatementText* findStatementText(const QString& name);
