#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include <array>

class QTableView;

// Column widths of the program's grids kept between runs in "sprzetnik.ini":
// section "DBGRID" for the lists bound to a query, "GRID" for the text
// tables filled by code. Widths are stored by column position, one
// comma-separated value per grid.
class TVXGridStorage
{
public:
    static constexpr int kDefaultWidths = 41;

    explicit TVXGridStorage(const QString& iniPath);

    // Append an entry and record the grid's present widths as its defaults.
    void AddDBGrid(QTableView* grid, const QString& key);
    void AddStringGrid(QTableView* grid, const QString& key);

    // Applies the stored widths to every registered grid; a value missing,
    // empty, unreadable or with another number of widths than the grid has
    // columns leaves that grid as it is.
    void LoadWidths();
    // The same for one registered grid (after its columns changed).
    void LoadWidths(QTableView* grid);
    // Writes the widths of every registered grid.
    bool SaveWidths() const;
    void RestoreDefaultWidths();

    bool isRegistered(const QTableView* grid) const;
    int count() const { return int(m_entries.size()); }
    QString path() const { return m_path; }

    // "110,155,138" and back; an unreadable value gives false.
    static QString joinWidths(const QList<int>& widths);
    static bool splitWidths(const QString& value, QList<int>* widths);
    static QList<int> widthsOf(const QTableView* grid);

private:
    struct Entry
    {
        QString section;
        QString key;
        QPointer<QTableView> grid;
        std::array<int, kDefaultWidths> defaults{};
    };
    void add(QTableView* grid, const QString& key, const QString& section);
    static void apply(const Entry& entry, const QString& value);

    QString m_path;
    QList<Entry> m_entries; // data grids first, then plain grids, each in registration order
};
