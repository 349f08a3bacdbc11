#include "ManualPictures.h"

#include "ManualSource.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace ManualPictures {
QList<Picture> parse(const QString& markdown, const QString& file)
{
    static const QRegularExpression window(QStringLiteral(R"(^„([^„”]+)”$)"));
    static const QRegularExpression path(QStringLiteral(R"(^obrazy/([A-Za-z0-9_-]+)\.png$)"));
    QList<Picture> pictures;
    const QStringList lines = markdown.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.contains(QLatin1String("![")))
            continue;
        Picture p;
        p.file = file;
        p.line = n + 1;
        QString altText, pathText;
        if (!ManualSources::matchPicture(line, &altText, &pathText)) {
            p.problem = QStringLiteral("a picture must be a paragraph of its own: ") + line.trimmed();
            pictures << p;
            continue;
        }
        const QRegularExpressionMatch alt = window.match(altText);
        const QRegularExpressionMatch target = path.match(pathText);
        if (target.hasMatch())
            p.id = target.captured(1);
        if (alt.hasMatch())
            p.caption = alt.captured(1);
        if (!target.hasMatch())
            p.problem = QStringLiteral("the picture is not obrazy/<id>.png: ") + pathText;
        else if (!alt.hasMatch())
            p.problem = QStringLiteral("the alt text is not a caption in „”: ") + altText;
        pictures << p;
    }
    return pictures;
}

QList<Picture> collect(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, {QStringLiteral("*.md")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    QList<Picture> pictures;
    for (const QString& name : files) {
        QFile f(name);
        if (!f.open(QIODevice::ReadOnly)) {
            Picture p;
            p.file = name;
            p.problem = QStringLiteral("cannot read the file");
            pictures << p;
            continue;
        }
        pictures << parse(QString::fromUtf8(f.readAll()), name);
    }
    return pictures;
}
} // namespace ManualPictures
