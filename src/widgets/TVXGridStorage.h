#pragma once

#include <QList>
#include <QObject>
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
    ~TVXGridStorage();
    TVXGridStorage(const TVXGridStorage&) = delete;
    TVXGridStorage& operator=(const TVXGridStorage&) = delete;

    // Every window registers its grids here once its columns are set, under
    // their key (prefix + grid name), whenever it is built. The grid's
    // present widths become its defaults. The program's store, once built,
    // takes every grid registered before it and loads each later one at once.
    static void registerDBGrid(QTableView* grid, const QString& key);
    static void registerStringGrid(QTableView* grid, const QString& key);
    // The store of the running program; null before the first start-up.
    static TVXGridStorage* program();
    // Makes this the program's store and adds every live registered grid.
    void adoptRegisteredGrids();

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
    // Puts the default widths back on every grid and forgets every stored
    // width in the file at once, also those of windows not opened in this
    // run; false when the file could not be written.
    bool RestoreDefaultWidths();

    bool isRegistered(const QTableView* grid) const;
    int count() const { return int(m_entries.size()); }
    QString path() const { return m_path; }

    // "110,155,138" and back; an unreadable value gives false.
    static QString joinWidths(const QList<int>& widths);
    static bool splitWidths(const QString& value, QList<int>* widths);
    static QList<int> widthsOf(const QTableView* grid);

private:
    using Defaults = std::array<int, kDefaultWidths>;
    struct Entry
    {
        QString section;
        QString key;
        QPointer<QTableView> grid;
        Defaults defaults{};
        QList<int> last; // kept for a grid whose window is gone before the close
    };
    static Defaults defaultsOf(const QTableView* grid);
    static void registerGrid(QTableView* grid, const QString& key, const QString& section);
    void add(QTableView* grid, const QString& key, const QString& section);
    void add(QTableView* grid, const QString& key, const QString& section, const Defaults& defaults);
    static void apply(Entry& entry, const QString& value);

    QObject m_guard; // ends the width tracking of the grids with the store
    QString m_path;
    QList<Entry> m_entries; // data grids first, then plain grids, each in registration order
};
