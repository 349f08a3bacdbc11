#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <array>

// The settings of this computer in "sprzetnik.ini" of the configuration
// folder: one table of keys with their types and defaults (sections OPTIONS,
// DATABASE and REPORTS), the program-wide values read from it, and the import
// settings of the sections IMPORTS<n>. Keys compare without regard to case.
class Config
{
public:
    enum class Type
    {
        Bool,
        Int,
        Text
    };
    struct Key
    {
        QString section;
        QString name; // spelled as written into the file
        Type type;
        QVariant defaultValue;
    };

    static inline const QString kFileName = QStringLiteral("sprzetnik.ini");
    static inline const QString kOptions = QStringLiteral("OPTIONS");
    static inline const QString kDatabase = QStringLiteral("DATABASE");
    static inline const QString kReports = QStringLiteral("REPORTS");

    // Every key of OPTIONS, DATABASE and REPORTS in file order. Date defaults
    // of REPORTS are worked out when the table is built (today, empty mask).
    static QList<Key> keys();

    // The values the running program uses.
    static Config& global();

    Config() { reset(); }

    // Reads OPTIONS and REPORTS from the configuration file; missing file or
    // keys give the defaults. An empty attachments folder is taken from the
    // installation-default file beside the program and written back.
    void load();
    // Writes OPTIONS and REPORTS (cbFirstLog always 0), keeping every other
    // line of the file as it is. Answers false when the file cannot be written.
    bool save() const;

    // Sets every OPTIONS and REPORTS value to its default.
    void reset();

    bool flag(const QString& name) const;
    int number(const QString& name) const;
    QString text(const QString& name) const;
    QVariant value(const QString& name) const;
    void set(const QString& name, const QVariant& value);

    // lokalizacjaZalacznikow, kept without a trailing separator.
    QString attachmentsFolder() const { return text(QStringLiteral("lokalizacjaZalacznikow")); }
    void setAttachmentsFolder(const QString& folder);

    // Section DATABASE, key lokalizacja: read and written directly in the file.
    static QString databaseLocation();
    static bool setDatabaseLocation(const QString& location);

    // Section "IMPORTS" + kind: the 15 column choosers (kind 1 only) and "skip the first line".
    struct ImportSettings
    {
        std::array<int, 15> columns{};
        bool pominPierwszy = false;
    };
    static ImportSettings loadImportSettings(int kind);
    static bool saveImportSettings(int kind, const ImportSettings& settings);

    static QString filePath();
    // The installation-default "sprzetnik.ini" beside the program (tests point it elsewhere).
    static QString defaultsFilePath();
    static void setDefaultsFilePath(const QString& path);
    // A folder path without trailing separators ("/" alone stays).
    static QString withoutTrailingSeparator(QString path);

private:
    QList<Key> m_keys;
    QList<QVariant> m_values;
};
