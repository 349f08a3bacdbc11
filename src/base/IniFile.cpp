#include "base/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

bool IniFile::load(const QString& path)
{
    m_sections = {Section{}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    parse(file.readAll());
    return true;
}

void IniFile::parse(const QByteArray& bytes)
{
    m_sections.clear();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder cp1250("windows-1250");
        if (cp1250.isValid())
            text = cp1250.decode(bytes);
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    m_newline = text.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    m_sections.append(Section{});
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.contains(QLatin1Char(']'))) {
            const QString name = trimmed.mid(1, trimmed.indexOf(QLatin1Char(']')) - 1).trimmed();
            m_sections.append(Section{name, {line}});
        } else {
            m_sections.last().lines.append(line);
        }
    }
}

QByteArray IniFile::bytes() const
{
    QString text;
    for (const Section& section : m_sections)
        for (const QString& line : section.lines)
            text += line + m_newline;
    return text.toUtf8();
}

bool IniFile::save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = bytes();
    if (file.write(data) != data.size())
        return false;
    return file.commit();
}

IniFile::Section* IniFile::find(const QString& section)
{
    for (qsizetype i = 1; i < m_sections.size(); ++i)
        if (m_sections[i].name.compare(section, Qt::CaseInsensitive) == 0)
            return &m_sections[i];
    return nullptr;
}

const IniFile::Section* IniFile::find(const QString& section) const
{
    return const_cast<IniFile*>(this)->find(section);
}

bool IniFile::splitLine(const QString& line, QString* key, QString* value)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
        return false;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *key = line.left(eq).trimmed();
    if (key->isEmpty())
        return false;
    if (value) {
        *value = line.mid(eq + 1).trimmed();
        // Quotes keep blanks at either end (an empty date mask).
        if (value->size() >= 2 && value->startsWith(QLatin1Char('"')) && value->endsWith(QLatin1Char('"')))
            *value = value->mid(1, value->size() - 2);
    }
    return true;
}

int IniFile::keyLine(const Section& section, const QString& key)
{
    QString name;
    for (qsizetype i = section.name.isEmpty() ? 0 : 1; i < section.lines.size(); ++i)
        if (splitLine(section.lines[i], &name, nullptr) && name.compare(key, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    const Section* s = find(section);
    return s && keyLine(*s, key) >= 0;
}

QString IniFile::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    const Section* s = find(section);
    const int line = s ? keyLine(*s, key) : -1;
    if (line < 0)
        return defaultValue;
    QString name;
    QString value;
    splitLine(s->lines[line], &name, &value);
    return value;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& text)
{
    QString value = text;
    if (value != value.trimmed() ||
        (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'))))
        value = QLatin1Char('"') + value + QLatin1Char('"');
    Section* s = find(section);
    if (!s) {
        // A blank line before a new section, as hand-written files have.
        const Section& last = m_sections.last();
        if (!last.lines.isEmpty() && !last.lines.last().trimmed().isEmpty())
            m_sections.last().lines.append(QString());
        m_sections.append(Section{section, {QLatin1Char('[') + section + QLatin1Char(']')}});
        s = &m_sections.last();
    }
    const int line = keyLine(*s, key);
    if (line >= 0) {
        QString name;
        splitLine(s->lines[line], &name, nullptr);
        s->lines[line] = name + QLatin1Char('=') + value;
        return;
    }
    // After the section's last non-blank line, so the blank line before the next section stays.
    qsizetype at = s->lines.size();
    while (at > 1 && s->lines[at - 1].trimmed().isEmpty())
        --at;
    s->lines.insert(at, key + QLatin1Char('=') + value);
}

void IniFile::removeKey(const QString& section, const QString& key)
{
    Section* s = find(section);
    const int line = s ? keyLine(*s, key) : -1;
    if (line >= 0)
        s->lines.removeAt(line);
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (qsizetype i = 1; i < m_sections.size(); ++i)
        names.append(m_sections[i].name);
    return names;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList names;
    const Section* s = find(section);
    if (!s)
        return names;
    QString name;
    for (qsizetype i = 1; i < s->lines.size(); ++i)
        if (splitLine(s->lines[i], &name, nullptr))
            names.append(name);
    return names;
}

bool IniFile::boolValue(const QString& section, const QString& key, bool defaultValue) const
{
    return intValue(section, key, defaultValue ? 1 : 0) != 0;
}

int IniFile::intValue(const QString& section, const QString& key, int defaultValue) const
{
    if (!contains(section, key))
        return defaultValue;
    bool ok = false;
    const int number = value(section, key).toInt(&ok);
    return ok ? number : defaultValue;
}

void IniFile::setBool(const QString& section, const QString& key, bool value)
{
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::setInt(const QString& section, const QString& key, int value)
{
    setValue(section, key, QString::number(value));
}
