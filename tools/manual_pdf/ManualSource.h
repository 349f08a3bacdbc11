#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A manual is a list of Markdown chapters. Before Qt reads the Markdown,
// the chapters are joined, their headings numbered ("3.", "3.2.", "3.2.1.")
// and every picture paragraph ![„caption”](path) given a numbered caption
// line under it ("Rys. 3.2. „caption”"), so the sources stay free of
// numbers that would go stale when a chapter moves.
struct ManualHeading
{
    int level = 0;   // 1 = chapter, 2 = section, 3 = subsection
    QString number;  // "3.2."
    QString title;   // without the number
    int chapter = 0; // 1-based chapter it belongs to
};

struct ManualFigure
{
    QString number;  // "3.2."
    QString caption; // the alt text as written
    QString path;    // as written: "obrazy/TfKomputery.png"
};

struct ManualSource
{
    QString markdown;              // numbered, ready for QTextDocument::setMarkdown
    QList<ManualHeading> headings; // in document order, one per heading block
    QList<ManualFigure> figures;   // in document order, one per image block
    QStringList errors;            // "file:line: text"; a manual with errors is not built
};

namespace ManualSources {
// `chapters` holds (file name, text) pairs in chapter order. Each chapter
// must open with its only level-1 heading.
ManualSource assemble(const QList<QPair<QString, QString>>& chapters);
// The figure caption line as it appears in the document.
QString figureCaption(const ManualFigure& figure);
// A line that is a picture paragraph `![alt](path)`: its alternative text
// and path. The one reading of the form, for the builder and the check of
// the pictures against the program's windows.
bool matchPicture(const QString& line, QString* alt, QString* path);
} // namespace ManualSources
