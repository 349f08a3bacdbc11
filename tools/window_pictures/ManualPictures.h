#pragma once

#include <QList>
#include <QString>

// The pictures of windows in the manual's Markdown: a paragraph of its own
// `![„caption”](obrazy/<id>.png)`.
namespace ManualPictures {
struct Picture
{
    QString file; // the Markdown file, for messages
    int line = 0; // 1-based
    QString id;
    QString caption; // the alt text without „”
    // Set when the line looks like a picture of a window but breaks the form
    // (no „” quotes, another folder, not .png); says what is wrong.
    QString problem;
};

// Every picture line of one Markdown text.
QList<Picture> parse(const QString& markdown, const QString& file = QString());
// Every picture of every .md file under `folder` (sorted by path).
QList<Picture> collect(const QString& folder);
} // namespace ManualPictures
