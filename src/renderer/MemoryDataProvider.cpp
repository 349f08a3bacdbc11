#include "renderer/MemoryDataProvider.h"

void MemoryDataProvider::addSource(const QString& name, const QStringList& columns,
                                   const QList<QStringList>& rows)
{
    Source source;
    source.columns = columns;
    source.rows = rows;
    m_sources.insert(name, source);
}

void MemoryDataProvider::linkToMaster(const QString& detail, const QString& master,
                                      const QString& masterColumn, const QString& detailColumn)
{
    auto it = m_sources.find(detail);
    if (it == m_sources.end())
        return;
    it->master = master;
    it->masterColumn = masterColumn;
    it->detailColumn = detailColumn;
}

void MemoryDataProvider::addRunningSum(const QString& column, const QString& sum, const QString& resetBy)
{
    m_sumsOfColumn.insert(column, sum);
    m_sums.insert(sum, 0.0);
    m_sumResetBy.insert(sum, resetBy);
}

bool MemoryDataProvider::hasSource(const QString& source) const
{
    return m_sources.contains(source);
}

void MemoryDataProvider::first(const QString& name)
{
    auto it = m_sources.find(name);
    if (it == m_sources.end())
        return;
    Source& source = *it;
    source.visible.clear();
    source.position = 0;
    const int column = int(source.columns.indexOf(source.detailColumn));
    QString key;
    const bool linked = !source.master.isEmpty() && column >= 0;
    if (linked) {
        const auto master = m_sources.constFind(source.master);
        key = master == m_sources.constEnd() ? QString() : currentValue(*master, source.masterColumn);
    }
    for (int i = 0; i < source.rows.size(); ++i) {
        if (!linked || source.rows.at(i).value(column) == key)
            source.visible.append(i);
    }
    m_openOrder.removeAll(name);
    m_openOrder.append(name);
    if (name == m_main)
        m_pageCounter = 1;
    for (auto sum = m_sums.begin(); sum != m_sums.end(); ++sum) {
        const QString resetBy = m_sumResetBy.value(sum.key());
        if (resetBy == name || (resetBy.isEmpty() && name == m_main))
            sum.value() = 0;
    }
}

void MemoryDataProvider::next(const QString& name)
{
    auto it = m_sources.find(name);
    if (it != m_sources.end() && it->position < it->visible.size())
        ++it->position;
}

bool MemoryDataProvider::checkEof(const QString& name)
{
    const auto it = m_sources.constFind(name);
    return it == m_sources.constEnd() || it->position >= it->visible.size();
}

QString MemoryDataProvider::currentValue(const Source& source, const QString& column) const
{
    const int index = int(source.columns.indexOf(column));
    if (index < 0 || source.position >= source.visible.size())
        return {};
    return source.rows.at(source.visible.at(source.position)).value(index);
}

QString MemoryDataProvider::getValue(const QString& name)
{
    if (m_recordAsked)
        m_asked.append(name);
    if (name == QLatin1String("STRONA"))
        return QString::number(m_pageCounter);
    if (m_sums.contains(name))
        return QString::number(m_sums.value(name), 'f', 2);
    // The source opened last is the innermost one.
    for (auto it = m_openOrder.crbegin(); it != m_openOrder.crend(); ++it) {
        const Source& source = m_sources[*it];
        if (!source.columns.contains(name) || source.position >= source.visible.size())
            continue;
        const QString value = currentValue(source, name);
        bool ok = false;
        const double number = value.toDouble(&ok);
        // A value that is not a number is not added.
        if (ok) {
            for (auto sum = m_sumsOfColumn.constFind(name);
                 sum != m_sumsOfColumn.constEnd() && sum.key() == name; ++sum)
                m_sums[sum.value()] += number;
        }
        return value;
    }
    return m_variables.value(name);
}

void MemoryDataProvider::beginPage(int page)
{
    Q_UNUSED(page);
    ++m_pagesBegun;
    ++m_pageCounter;
}
