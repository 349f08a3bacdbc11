#include "DatabaseRows.h"

#include "store/DatabaseTemplate.h"
#include "store/ResultCells.h"
#include "store/SqlBackend.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"

#include <algorithm>

namespace DatabaseRows {
QStringList of(SqlConnection& connection, const QString& table)
{
    QStringList columns = DatabaseTemplate::tableColumns(connection, table);
    for (QString& c : columns)
        c = c.toUpper();
    columns.sort(); // the backends may declare them in another order
    const QByteArray sql =
        "SELECT " + columns.join(QStringLiteral(", ")).toUtf8() + " FROM " + table.toUtf8();
    auto cursor = connection.backend()->prepare(sql, nullptr);
    ResultCells::Cells cells;
    ResultCells::Arena arena;
    int rows = 0;
    while (cursor->readRows(10000, cells, arena, rows, 0) == SqlCursor::Read::More) {
    }
    QStringList lines;
    const qsizetype width = columns.size();
    for (int r = 0; r < rows; ++r) {
        QStringList values;
        for (qsizetype c = 0; c < width; ++c) {
            const ResultCells::Cell& cell = cells[size_t(r * width + c)];
            const QByteArray bytes(arena.data() + cell.offset, qsizetype(cell.length));
            switch (cell.kind) {
            case ResultCells::Kind::Null:
                values << QStringLiteral("NULL");
                break;
            case ResultCells::Kind::Integer:
                values << QStringLiteral("n:") + QString::number(cell.i);
                break;
            case ResultCells::Kind::Real:
                // A whole amount is the same number read back as an integer.
                values << QStringLiteral("n:") + QString::number(cell.d, 'g', 17);
                break;
            case ResultCells::Kind::Text:
            case ResultCells::Kind::Blob:
                // By their bytes: a BLOB column of the file may hold text,
                // which the server keeps as bytes.
                values << (bytes.contains('\0') || !QUtf8StringView(bytes).isValidUtf8()
                               ? QStringLiteral("x:") + QString::fromLatin1(bytes.toHex())
                               : QStringLiteral("s:") + QString::fromUtf8(bytes));
                break;
            }
        }
        lines << values.join(QLatin1Char('|'));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

QString firstDifference(SqlConnection& a, SqlConnection& b)
{
    // The added tables too, where either side has them: both must then.
    QStringList tables = TableList::tables();
    const QStringList inA = DatabaseTemplate::tables(a);
    const QStringList inB = DatabaseTemplate::tables(b);
    for (const QString& table : TableList::addedTables()) {
        const bool left = inA.contains(table, Qt::CaseInsensitive);
        if (left != inB.contains(table, Qt::CaseInsensitive))
            return table + (left ? QStringLiteral(": missing in the second")
                                 : QStringLiteral(": missing in the first"));
        if (left)
            tables << table;
    }
    for (const QString& table : tables) {
        const QStringList left = of(a, table);
        const QStringList right = of(b, table);
        if (left == right)
            continue;
        const qsizetype n = std::min(left.size(), right.size());
        for (qsizetype i = 0; i < n; ++i)
            if (left.at(i) != right.at(i))
                return table + QStringLiteral(": ") + left.at(i) + QStringLiteral(" <> ") + right.at(i);
        return table + QStringLiteral(": ") + QString::number(left.size()) + QStringLiteral(" against ") +
               QString::number(right.size()) + QStringLiteral(" rows");
    }
    return {};
}
} // namespace DatabaseRows
