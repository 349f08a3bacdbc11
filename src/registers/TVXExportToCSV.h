#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

class QIODevice;

// The program's CSV format, read directly by spreadsheets: Windows-1250
// text, one line per row ended by CR LF, every field between double quotes,
// fields separated by ";" (none after the last). Quotes inside a field are
// not escaped: the callers replace them before. The first row is the titles.
class TVXExportToCSV
{
public:
    using Grid = QList<QStringList>;

    // Rows handed to the writer one by one, so that a long list need not be
    // copied into a grid first.
    class Rows
    {
    public:
        virtual ~Rows() = default;
        virtual int count() const = 0;
        virtual QStringList row(int index) const = 0;
        // The cells of row `index` into `cells`, whose storage the writer
        // keeps from row to row; by default a copy of row().
        virtual void readRow(int index, QStringList& cells) const { cells = row(index); }
    };

    // Quotes inside a field written doubled, as RFC 4180 reads them (the
    // import's result log, whose cells come from a file). The program's own
    // lists keep the format above: their callers replace the quotes.
    void setDoubledQuotes(bool on) { m_doubledQuotes = on; }

    // The rows hand over texts as shown, and the writer makes them cells
    // (cellText()) as it encodes them, without a copy of each.
    void setMakeCellTexts(bool on) { m_makeCellTexts = on; }

    // Told after every written row; answering false cancels the export.
    using Progress = std::function<bool(int written, int total)>;
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // Writes to a device opened for writing; false on a write failure or a cancel.
    bool write(const Grid& grid, QIODevice& device);
    bool write(const Rows& rows, QIODevice& device);
    // Writes a file through a temporary file beside it that replaces
    // `fileName` only when complete: a failed or cancelled export leaves the
    // previous file, or none, under that name.
    bool write(const Grid& grid, const QString& fileName);
    bool write(const Rows& rows, const QString& fileName);

    QString errorString() const { return m_error; }
    bool wasCancelled() const { return m_cancelled; }
    // Characters of the last export that Windows-1250 cannot hold, written as "?".
    int replacedCharacters() const { return m_replaced; }

    // Windows-1250 bytes of a text; a character the code page lacks becomes "?".
    static QByteArray encode(QStringView text, int* replaced = nullptr);
    // The same appended to `out`.
    static void appendEncoded(QByteArray& out, QStringView text, int* replaced = nullptr);
    // A text as a cell of this format, which does not escape quotes: a double
    // quote becomes a backquote, and a backquote an apostrophe.
    static QString cellText(QString text);
    static void toCellTexts(Grid& grid);

private:
    Progress m_progress;
    QString m_error;
    bool m_cancelled = false;
    int m_replaced = 0;
    bool m_doubledQuotes = false;
    bool m_makeCellTexts = false;
};
