#pragma once

#include "renderer/ReportDataProvider.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <memory>

class Statement;
class TmyDataBase;

// The report data module: the report definitions, the record sources that
// walk the data module's queries for the renderer, and the variables of every
// report. One report runs at a time; its context (page counter, running sums,
// properties, print-out texts) is shared by all reports and reset by the
// First of each report's main source.
class TDMRaporty : public ReportDataProvider
{
public:
    // What the catalogue chose for the report that runs next.
    struct Choices
    {
        bool issueDateOn = false; // dataNaRaporcie
        QString issueDate;        // dataRap as typed
        bool computers = true;    // sections of the location and employee reports
        bool equipment = true;
        bool licences = true;
        bool uses = true;        // "Użytkuje..."
        bool responsible = true; // "Odpowiada za..."
        bool archiveSeries = false;
        bool showPasswords = false;   // "Pokaż hasła"
        bool grossValue = false;      // "Brutto" as the initial value
        bool attachmentCheck = false; // test that attachment files exist
        bool oneLocation = false;     // the location report for `location` alone
        qint64 location = 0;
    };

    explicit TDMRaporty(TmyDataBase& db);
    ~TDMRaporty() override;
    TDMRaporty(const TDMRaporty&) = delete;
    TDMRaporty& operator=(const TDMRaporty&) = delete;

    // The module created at start-up.
    static TDMRaporty* instance();

    static QStringList reportNames();
    // The main source first, then the further sources of its template.
    static QStringList sourcesOf(const QString& report);
    // "Raport", or "Wydruk z programu Sprzetnik" for the print-outs.
    static QString reportTitle(const QString& report);
    // The report definition that has this record source; empty when none has.
    static QString reportOfSource(const QString& source);

    // The report definition the next run answers for; false for an unknown
    // name. The page counter starts again.
    bool setReport(const QString& report);
    QString report() const { return m_report; }
    Choices& choices() { return m_choices; }
    const Choices& choices() const { return m_choices; }

    // Texts of a position print-out.
    void setPrintout(const QString& title, const QString& body);
    void clearPrintout() { setPrintout(QString(), QString()); }
    QString printoutTitle() const { return m_title; }
    QString printoutBody() const { return m_body; }

    // Values of the protocol documents (dNREWID, dNAZWA, ..., NRKPIR),
    // prepared by their page before the report starts.
    void setDocument(const QHash<QString, QString>& values) { m_document = values; }
    QString documentValue(const QString& name) const { return m_document.value(name); }

    int pageCounter() const { return m_page; }
    double runningSum(int index) const { return m_sums.at(std::size_t(index - 1)); }
    int installedCount() const { return m_installed; }
    QString propertyName(int lp) const { return m_propertyNames.at(std::size_t(lp - 1)); }
    QString propertyValue(int lp) const { return m_propertyValues.at(std::size_t(lp - 1)); }

    // ReportDataProvider
    bool hasSource(const QString& source) const override;
    void first(const QString& source) override;
    void next(const QString& source) override;
    bool checkEof(const QString& source) override;
    QString getValue(const QString& name) override;
    void beginPage(int page) override;

    // The variables every report answers; empty for other names.
    static bool isCommon(const QString& name);
    QString commonValue(const QString& name);

    // The text of a licence's programs (at most three, then " ... (i więcej)").
    QString licenceProgramsText(qint64 licence);

private:
    // The per-report variables read the sources' rows and add to the sums.
    friend class ReportFields;

    struct Walk;
    Walk& walk(const QString& source);
    Statement* rows(const QString& source) const;
    bool openList(const QString& source, const QString& list);
    bool openQuery(const QString& source, Statement& query, qint64 code);
    void resetRun();
    void loadProperties(const QString& kind, qint64 classifier, qint64 object);
    void skipToFreeLicence();
    bool sectionWanted(const QString& source) const;
    QString responsibleText(const QString& nrew);
    static QString companyText(const Statement& q);
    QString locationText(qint64 kod);

    TmyDataBase& m_db;
    QString m_report;
    QString m_mainSource;
    Choices m_choices;
    std::map<QString, std::unique_ptr<Walk>> m_walks;
    std::unique_ptr<Statement> m_scratch;

    int m_page = 0;
    std::array<double, 3> m_sums{};
    QSet<QString> m_counted; // items already in a sum that counts each item once
    int m_installed = 0;
    std::array<QString, 14> m_propertyNames;
    std::array<QString, 14> m_propertyValues;
    bool m_propertyDelivered = true;
    QString m_title;
    QString m_body;
    QHash<QString, QString> m_document;
    QString m_company; // FIRMA, read once per run
    bool m_companyRead = false;
};
