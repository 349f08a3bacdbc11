#include "reminders/TipsFile.h"

#include "base/AppPaths.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>

void TipsFile::load(const QString& fileName)
{
    m_tips.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    // Written by hand in any editor: UTF-8, else the Windows code page.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QStringDecoder("windows-1250").decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (m_tips.size() >= kMaxTips)
            break;
        line = line.trimmed();
        if (!line.isEmpty())
            m_tips << line;
    }
}

int TipsFile::next(int last, const std::function<int(int)>& random) const
{
    const int count = int(m_tips.size());
    if (count < 2)
        return -1;
    int tip = last;
    while (tip == last)
        tip = random ? random(count) : int(QRandomGenerator::global()->bounded(count));
    return tip;
}

QString TipsFile::installedPath()
{
    const QString path = AppPaths::configFile(QStringLiteral("porady.dat"));
    if (!QFile::exists(path))
        QFile::copy(AppPaths::programDir() + QStringLiteral("/data/porady.dat"), path);
    return path;
}
