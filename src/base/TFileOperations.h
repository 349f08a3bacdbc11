#pragma once

#include <QStringList>

class TFileOperation;

// Runs the selected file operation once per source, in list order, with the
// destination at the same position (or the one of the previous run).
class TFileOperations
{
public:
    void selectOperation(TFileOperation* operation) { m_operation = operation; }
    TFileOperation* operation() const { return m_operation; }

    void clear();
    void addSource(const QString& source) { m_sources.append(source); }
    void addDestination(const QString& destination) { m_destinations.append(destination); }
    const QStringList& sources() const { return m_sources; }
    const QStringList& destinations() const { return m_destinations; }

    // 0 when every run succeeded (or there was nothing to run); otherwise the
    // first non-zero answer, the runs after it not made. The lists stay.
    int execute();

private:
    TFileOperation* m_operation = nullptr;
    QStringList m_sources;
    QStringList m_destinations;
};
