#pragma once

#include <QString>
#include <QUrl>

// Whether the desktop has a program for a file or a link. Where the shell
// "open" goes through the freedesktop tools, the opener is started for
// anything and says nothing when no program takes the file: its default
// application is asked first, so that the user can be told.
class FileAssociation
{
public:
    enum class Answer
    {
        Unknown, // cannot be told here; opening will show
        None,    // no program is set for it
        Found
    };

    static Answer handlerFor(const QUrl& url);
    // The MIME type whose default application is asked: the file's type, or
    // "x-scheme-handler/<scheme>" for a link; empty for web links, which a
    // browser always takes.
    static QString typeOf(const QUrl& url);
};
