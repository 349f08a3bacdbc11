#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The stored SQL text of every named statement of the data module, line by
// line. Slot lines are empty here and filled by index before a statement runs.
struct StatementText
{
    QString name;
    QStringList lines;
};

const std::vector<StatementText>& allStatementTexts();
// The lines of one statement; empty when the name is unknown.
QStringList statementLines(const QString& name);
