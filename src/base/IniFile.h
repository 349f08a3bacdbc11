#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A plain INI file ("[section]" and "key=value" lines) kept as its lines, so
// that a write touches only the lines it changes: sections and keys the
// program does not know, comments and odd lines come back exactly as read.
// Section and key names compare without regard to letter case.
class IniFile
{
public:
    IniFile() = default;
    explicit IniFile(const QString& path) { load(path); }

    // A missing or unreadable file gives an empty set (answers false).
    bool load(const QString& path);
    // Writes every line back; answers false when the file cannot be written.
    bool save(const QString& path) const;
    // UTF-8 text is taken as such, anything else as Windows-1250.
    void parse(const QByteArray& bytes);
    QByteArray bytes() const;

    bool contains(const QString& section, const QString& key) const;
    // The value with surrounding blanks and one pair of surrounding double
    // quotes removed, or `defaultValue` when the key is missing.
    QString value(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    // Replaces the value in place (the key keeps the spelling the file has) or
    // appends the key to its section, creating the section at the end. A value
    // with blanks at either end is written in double quotes.
    void setValue(const QString& section, const QString& key, const QString& value);
    void removeKey(const QString& section, const QString& key);

    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // Booleans are written 1/0 and read as "not 0"; integers in decimal.
    bool boolValue(const QString& section, const QString& key, bool defaultValue) const;
    int intValue(const QString& section, const QString& key, int defaultValue) const;
    void setBool(const QString& section, const QString& key, bool value);
    void setInt(const QString& section, const QString& key, int value);

private:
    struct Section
    {
        QString name;      // as spelled in the file; empty for the lines before the first section
        QStringList lines; // header line first (when named), then the body as read
    };
    Section* find(const QString& section);
    const Section* find(const QString& section) const;
    // Index of the key's line in the section, -1 when missing.
    static int keyLine(const Section& section, const QString& key);
    static bool splitLine(const QString& line, QString* key, QString* value);

    QList<Section> m_sections{Section{}}; // the lines before the first section come first
    QString m_newline = QStringLiteral("\n");
};
