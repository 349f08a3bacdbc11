#pragma once

#include "renderer/ReportDataProvider.h"

#include <QHash>
#include <QStringList>

// Record sources held in memory, for print-outs prepared in code, for the
// sample report and for measuring the renderer. It keeps the report context
// the way the program's report data does: the First of the main source sets
// the page counter (variable STRONA) to 1 and the running sums to 0, and
// BeginPage adds 1 to the counter.
class MemoryDataProvider : public ReportDataProvider
{
public:
    // A source with its column names and rows (each row one text per column).
    void addSource(const QString& name, const QStringList& columns, const QList<QStringList>& rows);
    // The First of detail keeps only its rows whose detailColumn equals
    // masterColumn of the current row of master.
    void linkToMaster(const QString& detail, const QString& master, const QString& masterColumn,
                      const QString& detailColumn);
    void setMainSource(const QString& name) { m_main = name; }
    void setVariable(const QString& name, const QString& value) { m_variables.insert(name, value); }
    // Asking for column adds its number to the running sum sum; asking for
    // sum answers the total so far as "0.00". The sum starts from 0 at the
    // First of resetBy, or of the main source when resetBy is empty.
    void addRunningSum(const QString& column, const QString& sum, const QString& resetBy = QString());

    bool hasSource(const QString& source) const override;
    void first(const QString& source) override;
    void next(const QString& source) override;
    bool checkEof(const QString& source) override;
    QString getValue(const QString& name) override;
    void beginPage(int page) override;

    int pageCounter() const { return m_pageCounter; }
    int pagesBegun() const { return m_pagesBegun; }
    // Every name asked so far, in order.
    const QStringList& askedNames() const { return m_asked; }
    void setRecordAsked(bool on) { m_recordAsked = on; }

private:
    struct Source
    {
        QStringList columns;
        QList<QStringList> rows;
        QList<int> visible; // indexes into rows after the last First
        int position = 0;
        QString master, masterColumn, detailColumn;
    };
    QString currentValue(const Source& source, const QString& column) const;

    QHash<QString, Source> m_sources;
    QStringList m_openOrder; // sources by their last First, the latest last
    QHash<QString, QString> m_variables;
    QMultiHash<QString, QString> m_sumsOfColumn;
    QHash<QString, double> m_sums;
    QHash<QString, QString> m_sumResetBy;
    QString m_main;
    int m_pageCounter = 0;
    int m_pagesBegun = 0;
    bool m_recordAsked = false;
    QStringList m_asked;
};
