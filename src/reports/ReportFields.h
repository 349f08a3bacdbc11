#pragma once

#include <QString>

#include <initializer_list>

class Statement;
class TDMRaporty;

// The variables each report answers in its own way, read from the current
// rows of the data module's sources when the renderer asks for them. The
// running sums and counters they add to stay in the module.
class ReportFields
{
public:
    explicit ReportFields(TDMRaporty& data);

    // False when the running report has no variable of this name of its own.
    bool value(const QString& name, QString* value);

    // A field of a source's current row: empty, or 0, without a row or field.
    static bool usable(const Statement* q);
    static QString text(const Statement* q, const QString& field);
    static qint64 integer(const Statement* q, const QString& field);
    static QString date(const Statement* q, const QString& field);
    static QString amount(const Statement* q, const QString& field);

private:
    using Provider = bool (ReportFields::*)();
    static Provider providerOf(const QString& report);

    bool is(const char* name) const;
    bool put(const QString& value);
    const Statement* rows(const QString& source) const;
    bool reportIs(const char* report) const;
    QString sumText(int sum) const;
    // The field's amount, added to running sum `sum` (1 to 3).
    QString accumulate(const Statement* q, const QString& field, int sum, bool add = true);
    // The same, added only the first time the report meets the item (its
    // kind and the key in `keyField`).
    QString accumulateOnce(const Statement* q, const QString& field, int sum, QChar kind,
                           const QString& keyField);
    // Net, VAT and gross of the row into sums 1 to 3, and their totals.
    bool costs();
    bool dated(std::initializer_list<const char*> fields);
    // `variable` answers `field` of `from`.
    bool alias(const char* variable, const Statement* from, const char* field);

    bool printout();
    bool document();
    bool employees();
    bool deadlines();
    bool repairs();
    bool purchases();
    bool byLocation();
    bool byEmployee();
    bool bhpHoldings();
    bool plannedDeadlines();
    bool inventory();
    bool freeLicences();
    bool assetDetails();
    bool softwareDetails();
    bool documents();
    bool history();
    bool orders();
    bool bhpPurchases();
    bool stock();
    bool attachments();

    TDMRaporty& m_data;
    QString m_name;
    const Statement* m_q = nullptr; // the main source's row
    QString* m_value = nullptr;
};
