#include "widgets/TVXGridStorage.h"

#include "base/IniFile.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace {
const QString kDataGrids = QStringLiteral("DBGRID");
const QString kPlainGrids = QStringLiteral("GRID");

TVXGridStorage* g_program = nullptr;

struct Registration
{
    QPointer<QTableView> grid;
    QString key;
    QString section;
    std::array<int, TVXGridStorage::kDefaultWidths> defaults;
};
std::vector<Registration>& registrations()
{
    static std::vector<Registration> list;
    return list;
}
} // namespace

TVXGridStorage::TVXGridStorage(const QString& iniPath) : m_path(iniPath) {}

TVXGridStorage::~TVXGridStorage()
{
    if (g_program == this)
        g_program = nullptr;
}

TVXGridStorage* TVXGridStorage::program()
{
    return g_program;
}

TVXGridStorage::Defaults TVXGridStorage::defaultsOf(const QTableView* grid)
{
    Defaults defaults{};
    const QList<int> widths = widthsOf(grid);
    for (int i = 0; i < kDefaultWidths - 1 && i < widths.size(); ++i)
        defaults[size_t(i)] = widths[i];
    return defaults;
}

void TVXGridStorage::registerGrid(QTableView* grid, const QString& key, const QString& section)
{
    if (!grid)
        return;
    auto& list = registrations();
    std::erase_if(list, [grid](const Registration& r) { return !r.grid || r.grid == grid; });
    list.push_back({grid, key, section, defaultsOf(grid)});
    if (g_program && !g_program->isRegistered(grid)) {
        g_program->add(grid, key, section, list.back().defaults);
        g_program->LoadWidths(grid);
    }
}

void TVXGridStorage::registerDBGrid(QTableView* grid, const QString& key)
{
    registerGrid(grid, key, kDataGrids);
}

void TVXGridStorage::registerStringGrid(QTableView* grid, const QString& key)
{
    registerGrid(grid, key, kPlainGrids);
}

void TVXGridStorage::adoptRegisteredGrids()
{
    g_program = this;
    for (const Registration& r : registrations())
        if (r.grid && !isRegistered(r.grid))
            add(r.grid, r.key, r.section, r.defaults);
}

void TVXGridStorage::add(QTableView* grid, const QString& key, const QString& section)
{
    add(grid, key, section, defaultsOf(grid));
}

void TVXGridStorage::add(QTableView* grid, const QString& key, const QString& section,
                         const Defaults& defaults)
{
    Entry entry;
    entry.section = section;
    entry.key = key;
    entry.grid = grid;
    entry.defaults = defaults;
    entry.last = widthsOf(grid);
    // Data grids are walked before plain grids, each in registration order.
    qsizetype at = m_entries.size();
    if (section == kDataGrids)
        for (at = 0; at < m_entries.size() && m_entries[at].section == kDataGrids; ++at) {
        }
    m_entries.insert(at, entry);
    // The widths of a window closed before the program are still written at its close.
    QObject::connect(grid->horizontalHeader(), &QHeaderView::sectionResized, &m_guard, [this, grid] {
        for (Entry& e : m_entries)
            if (e.grid == grid)
                e.last = widthsOf(grid);
    });
}

void TVXGridStorage::AddDBGrid(QTableView* grid, const QString& key)
{
    add(grid, key, kDataGrids);
}

void TVXGridStorage::AddStringGrid(QTableView* grid, const QString& key)
{
    add(grid, key, kPlainGrids);
}

QList<int> TVXGridStorage::widthsOf(const QTableView* grid)
{
    QList<int> widths;
    if (!grid)
        return widths;
    const QHeaderView* header = grid->horizontalHeader();
    for (int c = 0; c < header->count(); ++c)
        widths << header->sectionSize(c);
    return widths;
}

QString TVXGridStorage::joinWidths(const QList<int>& widths)
{
    QStringList items;
    for (int w : widths)
        items << QString::number(w);
    return items.join(QLatin1Char(','));
}

bool TVXGridStorage::splitWidths(const QString& value, QList<int>* widths)
{
    QStringList items = value.split(QLatin1Char(','));
    // Text after the last comma counts only when it is not empty.
    if (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    widths->clear();
    for (const QString& item : items) {
        bool ok = false;
        const int w = item.trimmed().toInt(&ok);
        if (!ok || w < 0)
            return false;
        widths->append(w);
    }
    return true;
}

void TVXGridStorage::apply(Entry& entry, const QString& value)
{
    if (!entry.grid || value.isEmpty())
        return;
    QList<int> widths;
    // A value that is not a list of numbers is ignored like a wrong count.
    if (!splitWidths(value, &widths) || widths.size() != entry.grid->horizontalHeader()->count())
        return;
    for (int c = 0; c < widths.size(); ++c)
        entry.grid->setColumnWidth(c, widths[c]);
}

void TVXGridStorage::LoadWidths()
{
    const IniFile ini(m_path);
    for (Entry& entry : m_entries)
        apply(entry, ini.value(entry.section, entry.key));
}

void TVXGridStorage::LoadWidths(QTableView* grid)
{
    const IniFile ini(m_path);
    for (Entry& entry : m_entries)
        if (entry.grid == grid)
            apply(entry, ini.value(entry.section, entry.key));
}

bool TVXGridStorage::SaveWidths() const
{
    IniFile ini(m_path);
    for (const Entry& entry : m_entries)
        ini.setValue(entry.section, entry.key, joinWidths(entry.grid ? widthsOf(entry.grid) : entry.last));
    return ini.save(m_path);
}

bool TVXGridStorage::RestoreDefaultWidths()
{
    // A window that is gone would write its old widths back at the close.
    m_entries.removeIf([](const Entry& e) { return !e.grid; });
    for (Entry& entry : m_entries) {
        const int columns = entry.grid->horizontalHeader()->count();
        for (int c = 0; c < columns && c < kDefaultWidths; ++c)
            if (entry.defaults[size_t(c)] != 0)
                entry.grid->setColumnWidth(c, entry.defaults[size_t(c)]);
        entry.last = widthsOf(entry.grid);
    }
    // The windows not opened in this run would load their stored widths later.
    IniFile ini(m_path);
    for (const QString& section : {kDataGrids, kPlainGrids})
        for (const QString& key : ini.keys(section))
            ini.removeKey(section, key);
    return ini.save(m_path);
}

bool TVXGridStorage::isRegistered(const QTableView* grid) const
{
    return std::any_of(m_entries.cbegin(), m_entries.cend(),
                       [grid](const Entry& e) { return e.grid == grid; });
}
