#include "ManualSource.h"

#include <QRegularExpression>

namespace {
const QRegularExpression& headingLine()
{
    static const QRegularExpression re(QStringLiteral("^(#{1,6})\\s+(.*?)\\s*#*\\s*$"));
    return re;
}

const QRegularExpression& codeSpan()
{
    static const QRegularExpression re(QStringLiteral("`[^`]*`"));
    return re;
}

const QRegularExpression& markupTag()
{
    static const QRegularExpression re(QStringLiteral("(?<!\\\\)<[A-Za-z/!][^<>]*>"));
    return re;
}

QString numberOf(const int (&counters)[3], int level)
{
    QString number;
    for (int i = 0; i < level; ++i)
        number += QString::number(counters[i]) + QLatin1Char('.');
    return number;
}
} // namespace

namespace ManualSources {
bool matchPicture(const QString& line, QString* alt, QString* path)
{
    static const QRegularExpression re(QStringLiteral("^\\s*!\\[([^\\]]*)\\]\\(([^)]*)\\)\\s*$"));
    const QRegularExpressionMatch m = re.match(line);
    if (!m.hasMatch())
        return false;
    *alt = m.captured(1);
    *path = m.captured(2);
    return true;
}

QString figureCaption(const ManualFigure& figure)
{
    return QStringLiteral("Rys. ") + figure.number + QLatin1Char(' ') + figure.caption;
}

ManualSource assemble(const QList<QPair<QString, QString>>& chapters)
{
    ManualSource out;
    int counters[3] = {0, 0, 0};
    int figureInChapter = 0;
    QStringList lines;
    for (const auto& [file, text] : chapters) {
        bool inFence = false;
        bool sawChapter = false;
        const QStringList source = text.split(QLatin1Char('\n'));
        for (int i = 0; i < source.size(); ++i) {
            QString line = source.at(i);
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            const QString where = file + QLatin1Char(':') + QString::number(i + 1) + QStringLiteral(": ");
            if (line.trimmed().startsWith(QLatin1String("```"))) {
                inFence = !inFence;
                lines << line;
                continue;
            }
            if (inFence) {
                lines << line;
                continue;
            }
            if (const auto m = headingLine().match(line); m.hasMatch()) {
                const int level = int(m.captured(1).size());
                const QString title = m.captured(2);
                if (level > 3) {
                    out.errors << where + QStringLiteral("nagłówek głębszy niż trzeci poziom");
                    continue;
                }
                if (level == 1) {
                    if (sawChapter)
                        out.errors << where + QStringLiteral("drugi nagłówek rozdziału w jednym pliku");
                    sawChapter = true;
                    figureInChapter = 0;
                } else if (!sawChapter) {
                    out.errors << where + QStringLiteral("plik nie zaczyna się nagłówkiem rozdziału");
                }
                if (title.isEmpty())
                    out.errors << where + QStringLiteral("pusty nagłówek");
                ++counters[level - 1];
                for (int deeper = level; deeper < 3; ++deeper)
                    counters[deeper] = 0;
                const QString number = numberOf(counters, level);
                out.headings.append({level, number, title, counters[0]});
                lines << QString(level, QLatin1Char('#')) + QLatin1Char(' ') + number + QLatin1Char(' ') +
                             title;
                continue;
            }
            if (QString alt, path; matchPicture(line, &alt, &path)) {
                if (!sawChapter)
                    out.errors << where + QStringLiteral("rysunek przed nagłówkiem rozdziału");
                ++figureInChapter;
                ManualFigure figure{QString::number(counters[0]) + QLatin1Char('.') +
                                        QString::number(figureInChapter) + QLatin1Char('.'),
                                    alt.trimmed(), path.trimmed()};
                if (figure.caption.isEmpty())
                    out.errors << where + QStringLiteral("rysunek bez podpisu");
                // The Markdown reader takes no blank inside a picture's path.
                if (figure.path.isEmpty() || figure.path.contains(QRegularExpression(QStringLiteral("\\s"))))
                    out.errors << where + QStringLiteral("ścieżka rysunku pusta lub ze spacją");
                out.figures.append(figure);
                // The picture and its caption are paragraphs of their own.
                // The reader drops a picture whose alternative text is empty.
                lines << QString()
                      << QStringLiteral("![") + figure.number + QStringLiteral("](") + figure.path +
                             QLatin1Char(')')
                      << QString() << QLatin1Char('*') + figureCaption(figure) + QLatin1Char('*')
                      << QString();
                continue;
            }
            if (line.contains(QLatin1String("![")))
                out.errors << where + QStringLiteral("rysunek musi być osobnym akapitem");
            // The reader takes <słowo> for markup and drops the text after it.
            QString outsideCode = line;
            outsideCode.remove(codeSpan());
            if (outsideCode.contains(markupTag()))
                out.errors << where + QStringLiteral("znacznik HTML w tekście (zapisz \\< i \\>)");
            lines << line;
        }
        if (inFence)
            out.errors << file + QStringLiteral(": niezamknięty blok kodu");
        if (!sawChapter)
            out.errors << file + QStringLiteral(": brak nagłówka rozdziału");
        lines << QString();
    }
    out.markdown = lines.join(QLatin1Char('\n'));
    return out;
}
} // namespace ManualSources
