#include "base/Config.h"

#include "base/AppPaths.h"
#include "base/Clock.h"
#include "base/IniFile.h"

#include <QDir>

namespace {
using Type = Config::Type;

struct OptionKey
{
    const char* name;
    Type type;
    int defaultValue;
};

// Section OPTIONS in file order.
const OptionKey kOptionKeys[] = {
    {"cbFirstLog", Type::Bool, 1},
    {"PokazujPoradeDnia", Type::Bool, 1},
    {"pytajPrzedZamknieciem", Type::Bool, 1},
    {"pytajPrzedKasowaniem", Type::Bool, 1},
    {"sprawdzajBhp", Type::Bool, 1},
    {"uzyjAktualnejIlosciBHP", Type::Bool, 0},
    {"atkualizujStanBhp", Type::Bool, 1},
    {"dataWsteczna", Type::Int, 7},
    {"dataWstecznaMin", Type::Int, 0},
    {"sprawdzajNotatki", Type::Bool, 1},
    {"sprawdzajTerminy", Type::Bool, 1},
    {"usuwajZajaczniki", Type::Bool, 0},
    {"cbNaprawy", Type::Bool, 1},
    {"cbBhpStan", Type::Bool, 1},
    {"cbTerminy", Type::Bool, 1},
    {"cbDokumenty", Type::Bool, 1},
    {"cbMagazyn", Type::Bool, 1},
    {"cbAllowChangeOsobowaNREW", Type::Bool, 0},
    {"cbRapZaakceptowal", Type::Bool, 1},
    {"cbRapWystawil", Type::Bool, 1},
    {"cbRapData", Type::Bool, 1},
    {"cbRapFirma", Type::Bool, 1},
    {"lokalizacjaZalacznikow", Type::Text, 0},
    {"mainWinWidth", Type::Int, -1},
    {"mainWinHeight", Type::Int, -1},
};

// Section REPORTS in file order; type and default follow from the name.
const char* const kReportKeys[] = {
    "RP1_KK_DataOd",
    "RP1_KK_DataDo",
    "RP1_KK_Filtr2",
    "RP1_KK_klasyfikator",
    "RP1_KK_rowniezZlikwidowane",
    "RP1_KK_kolumnaDodatkowa",
    "RP1_KK_sortujPoKolumnie",
    "RP1_KR_DataOd",
    "RP1_KR_DataDo",
    "RP1_KR_cbRowniezZlikwidowane",
    "RP1_SK_DataOd",
    "RP1_SK_DataDo",
    "RP1_SK_Filtr2",
    "RP1_SK_klasyfikator",
    "RP1_SK_rowniezZlikwidowane",
    "RP1_SK_kolumnaDodatkowa",
    "RP1_SK_sortujPoKolumnie",
    "RP1_SR_DataOd",
    "RP1_SR_DataDo",
    "RP1_SR_cbRowniezZlikwidowane",
    "RP2_SN_cbKlasyfikatorKomputery",
    "RP2_SN_cbKomputery",
    "RP2_SN_cbLokalizacjaKomputery",
    "RP2_SN_comboKlasyfikatorKomputery",
    "RP2_SN_cbLicencje",
    "RP2_SN_cbSprzet",
    "RP2_SN_cbKlasyfikatorSprzet",
    "RP2_SN_comboKlasyfikatorSprzet",
    "RP2_SN_cbLokalizacjaSprzet",
    "RP2_SN_comboLokalizacjaKomputery",
    "RP2_SN_comboLokalizacjaSprzet",
    "RP2_SN_cbBhp",
    "RP2_SN_cbKlasyfikatorBhp",
    "RP2_SN_comboKlasyfikatorBhp",
    "RP2_SN_cbUmiescNrew",
    "RP2_SN_cbUmiescCeny",
    "RP2_SN_comboCeny",
    "RP2_SN_comboLicencjaNazwa",
    "RP2_SN_comboSortuj",
    "RP2_SN_cbUmiescPusteRubryki",
    "RP2_SN_spinIloscRubryk",
    "RP2_SN_editRodzajInwentaryzacji",
    "RP2_SN_editSposobPrzeprowadzenia",
    "RP2_SN_editJm",
    "RP2_KK_RapDTOD",
    "RP2_KK_RapDTDO",
    "RP2_KK_cbDataLikwidacji",
    "RP2_KK_ZestKompSeria1",
    "RP2_KK_ZestKompSeria2",
    "RP2_KK_ZestKompSort",
    "RP2_KK_cbKlasyfikatorKomputery",
    "RP2_KK_comboKlasyfikatorKomputery",
    "RP2_KK_cbLokalizacjaKomputery",
    "RP2_KK_comboLokalizacjaKomputery",
    "RP2_KK_cbDostawca",
    "RP2_KK_comboDostawca",
    "RP2_SK_RapDTOD",
    "RP2_SK_RapDTDO",
    "RP2_SK_cbDataLikwidacji",
    "RP2_SK_ZestSprzSeria1",
    "RP2_SK_ZestSprzSeria2",
    "RP2_SK_ZestSprzSort",
    "RP2_SK_cbKlasyfikatorSprzet",
    "RP2_SK_comboKlasyfikatorSprzet",
    "RP2_SK_cbLokalizacjaSprzet",
    "RP2_SK_comboLokalizacjaSprzet",
    "RP2_SK_cbDostawca",
    "RP2_SK_comboDostawca",
    // "Drukuj etykiety": the last layout and kind of code chosen.
    "ETYKIETY_uklad",
    "ETYKIETY_kod",
};

const char* const kReportBoolsOn[] = {
    "RP2_SN_cbKomputery",  "RP2_SN_cbLicencje",   "RP2_SN_cbSprzet",         "RP2_SN_cbBhp",
    "RP2_SN_cbUmiescNrew", "RP2_SN_cbUmiescCeny", "RP2_KK_cbDataLikwidacji", "RP2_SK_cbDataLikwidacji",
};

const char* const kReportCombosZero[] = {"RP2_SN_comboCeny", "RP2_SN_comboLicencjaNazwa",
                                         "RP2_SN_comboSortuj"};

template <size_t N> bool listed(const char* const (&list)[N], const QString& name)
{
    for (const char* entry : list)
        if (name == QLatin1String(entry))
            return true;
    return false;
}

Config::Key reportKey(const QString& name, const QString& today, const QString& emptyDate)
{
    const QString section = Config::kReports;
    // The "cb" prefix comes after the page prefix: RP2_SN_cbKomputery.
    const QString bare = name.section(QLatin1Char('_'), 2);
    if (name.endsWith(QLatin1String("DataOd")) || name.endsWith(QLatin1String("DataDo")))
        return {section, name, Type::Text, today};
    if (name.endsWith(QLatin1String("RapDTOD")) || name.endsWith(QLatin1String("RapDTDO")))
        return {section, name, Type::Text, emptyDate};
    if (bare.startsWith(QLatin1String("cb")) || name.endsWith(QLatin1String("rowniezZlikwidowane")))
        return {section, name, Type::Bool, listed(kReportBoolsOn, name) ? 1 : 0};
    if (bare.startsWith(QLatin1String("combo")))
        return {section, name, Type::Int, listed(kReportCombosZero, name) ? 0 : -1};
    if (name.endsWith(QLatin1String("klasyfikator")))
        return {section, name, Type::Int, -1};
    if (name.endsWith(QLatin1String("Seria2")))
        return {section, name, Type::Text, QString()};
    if (name == QLatin1String("RP2_SN_editRodzajInwentaryzacji"))
        return {section, name, Type::Text, QStringLiteral("roczna")};
    if (name == QLatin1String("RP2_SN_editSposobPrzeprowadzenia"))
        return {section, name, Type::Text, QStringLiteral("z natury")};
    if (name == QLatin1String("RP2_SN_editJm"))
        return {section, name, Type::Text, QStringLiteral("szt.")};
    // Filtr2, kolumnaDodatkowa, sortujPoKolumnie, Seria1, Sort, spinIloscRubryk
    return {section, name, Type::Int, 0};
}

QVariant readValue(const IniFile& ini, const Config::Key& key)
{
    switch (key.type) {
    case Type::Bool:
        return ini.boolValue(key.section, key.name, key.defaultValue.toInt() != 0);
    case Type::Int:
        return ini.intValue(key.section, key.name, key.defaultValue.toInt());
    case Type::Text:
        break;
    }
    return ini.value(key.section, key.name, key.defaultValue.toString());
}

void writeValue(IniFile& ini, const Config::Key& key, const QVariant& value)
{
    switch (key.type) {
    case Type::Bool:
        ini.setBool(key.section, key.name, value.toBool());
        return;
    case Type::Int:
        ini.setInt(key.section, key.name, value.toInt());
        return;
    case Type::Text:
        ini.setValue(key.section, key.name, value.toString());
        return;
    }
}

const QString kAttachments = QStringLiteral("lokalizacjaZalacznikow");
QString g_defaultsFile;
} // namespace

QList<Config::Key> Config::keys()
{
    QList<Key> table;
    for (const OptionKey& option : kOptionKeys) {
        const QString name = QLatin1String(option.name);
        table.append({kOptions, name, option.type,
                      option.type == Type::Text ? QVariant(QString()) : QVariant(option.defaultValue)});
    }
    table.append({kDatabase, QStringLiteral("lokalizacja"), Type::Text, QString()});

    const QChar sep = Clock::dateSeparator();
    const QString today = Clock::today().toString(QStringLiteral("dd") + sep + QStringLiteral("MM") + sep +
                                                  QStringLiteral("yyyy"));
    const QString emptyDate =
        QStringLiteral("  ") + sep + QStringLiteral("  ") + sep + QStringLiteral("    ");
    for (const char* name : kReportKeys)
        table.append(reportKey(QLatin1String(name), today, emptyDate));
    return table;
}

Config& Config::global()
{
    static Config config;
    return config;
}

QString Config::filePath()
{
    return AppPaths::configFile(kFileName);
}

QString Config::defaultsFilePath()
{
    return g_defaultsFile.isEmpty() ? AppPaths::programDir() + QLatin1Char('/') + kFileName : g_defaultsFile;
}

void Config::setDefaultsFilePath(const QString& path)
{
    g_defaultsFile = path;
}

QString Config::withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        path.chop(1);
    return path;
}

void Config::reset()
{
    m_keys.clear();
    m_values.clear();
    for (const Key& key : keys()) {
        // DATABASE is read and written on its own (database location).
        if (key.section == kDatabase)
            continue;
        m_keys.append(key);
        m_values.append(key.defaultValue);
    }
}

void Config::load()
{
    reset();
    const IniFile ini(filePath());
    for (qsizetype i = 0; i < m_keys.size(); ++i)
        m_values[i] = readValue(ini, m_keys[i]);

    if (attachmentsFolder().isEmpty()) {
        const IniFile defaults(defaultsFilePath());
        const QString folder = withoutTrailingSeparator(defaults.value(kOptions, kAttachments));
        if (!folder.isEmpty()) {
            setAttachmentsFolder(folder);
            IniFile file(filePath());
            file.setValue(kOptions, kAttachments, folder);
            file.save(filePath());
        }
    }
}

bool Config::save() const
{
    IniFile ini(filePath());
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        const Key& key = m_keys[i];
        if (key.name == QLatin1String("cbFirstLog"))
            writeValue(ini, key, false); // the default credentials are shown on the first start only
        else if (key.name == kAttachments)
            writeValue(ini, key, withoutTrailingSeparator(m_values[i].toString()));
        else
            writeValue(ini, key, m_values[i]);
    }
    return ini.save(filePath());
}

QVariant Config::value(const QString& name) const
{
    for (qsizetype i = 0; i < m_keys.size(); ++i)
        if (m_keys[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return m_values[i];
    qWarning("Config: unknown key %s", qPrintable(name));
    return {};
}

bool Config::flag(const QString& name) const
{
    return value(name).toInt() != 0;
}

int Config::number(const QString& name) const
{
    return value(name).toInt();
}

QString Config::text(const QString& name) const
{
    return value(name).toString();
}

void Config::set(const QString& name, const QVariant& value)
{
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i].name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        switch (m_keys[i].type) {
        case Type::Bool:
            m_values[i] = value.toBool();
            break;
        case Type::Int:
            m_values[i] = value.toInt();
            break;
        case Type::Text:
            m_values[i] = m_keys[i].name == kAttachments ? withoutTrailingSeparator(value.toString())
                                                         : value.toString();
            break;
        }
        return;
    }
    qWarning("Config: unknown key %s", qPrintable(name));
}

void Config::setAttachmentsFolder(const QString& folder)
{
    set(kAttachments, folder);
}

QString Config::databaseLocation()
{
    return IniFile(filePath()).value(kDatabase, QStringLiteral("lokalizacja"));
}

bool Config::setDatabaseLocation(const QString& location)
{
    IniFile ini(filePath());
    ini.setValue(kDatabase, QStringLiteral("lokalizacja"), withoutTrailingSeparator(location));
    return ini.save(filePath());
}

Config::ImportSettings Config::loadImportSettings(int kind)
{
    const IniFile ini(filePath());
    const QString section = QStringLiteral("IMPORTS") + QString::number(kind);
    ImportSettings settings;
    if (kind == 1)
        for (int i = 0; i < 15; ++i)
            settings.columns[size_t(i)] =
                ini.intValue(section, QStringLiteral("cb") + QString::number(i + 1), 0);
    settings.pominPierwszy = ini.boolValue(section, QStringLiteral("pominPierwszy"), false);
    return settings;
}

bool Config::saveImportSettings(int kind, const ImportSettings& settings)
{
    IniFile ini(filePath());
    const QString section = QStringLiteral("IMPORTS") + QString::number(kind);
    if (kind == 1)
        for (int i = 0; i < 15; ++i)
            ini.setInt(section, QStringLiteral("cb") + QString::number(i + 1), settings.columns[size_t(i)]);
    ini.setBool(section, QStringLiteral("pominPierwszy"), settings.pominPierwszy);
    return ini.save(filePath());
}
