#include "base/FileAssociation.h"

#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

QString FileAssociation::typeOf(const QUrl& url)
{
    if (url.isLocalFile())
        return QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name();
    const QString scheme = url.scheme().toLower();
    if (scheme.isEmpty() || scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return {};
    return QStringLiteral("x-scheme-handler/") + scheme;
}

FileAssociation::Answer FileAssociation::handlerFor(const QUrl& url)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID)
    const QString type = typeOf(url);
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (type.isEmpty() || tool.isEmpty())
        return Answer::Unknown;
    QProcess query;
    query.start(tool, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        query.kill();
        return Answer::Unknown;
    }
    return query.readAllStandardOutput().trimmed().isEmpty() ? Answer::None : Answer::Found;
#else
    // The system's own "open" reports a file type without a program.
    Q_UNUSED(url);
    return Answer::Unknown;
#endif
}
