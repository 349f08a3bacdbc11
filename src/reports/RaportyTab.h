#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <functional>

class CalendarPicker;
class DateField;
class Lookup;
class QPlainTextEdit;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TDMRaporty;
class TmyDataBase;

// The "Raporty" view: the page control RaportyTab with the statements of the
// pages "Ogólne" and "Finansowe" and the shared panel of date range and issue
// date. A statement turns its filter controls into the conditions of the
// query its report reads, runs the report and puts the lists' filter state
// back afterwards.
class RaportyTab : public QWidget
{
    Q_OBJECT

public:
    // Shows a report: the template's full path and the data module set up
    // for it. Answers whether the report was shown.
    using Runner = std::function<bool(const QString& templatePath, TDMRaporty& reports)>;

    RaportyTab(TmyDataBase& db, TDMRaporty& reports, QWidget* parent = nullptr);

    // Tests see the report instead of a preview window.
    void setRunner(Runner runner) { m_runner = std::move(runner); }

    // When the main window is shown: every choice back to its first entry,
    // number fields empty, amounts "0" with their boxes unticked.
    void resetPages();
    // Each time the view is opened: the issue-date box from the options, today's date.
    void viewEntered();
    // A "&Widok" report entry: the page, when it is built.
    void showTab(int tab);

    QTabWidget* tabs() const { return m_tabs; }

    // The statements, by the name of their button.
    bool run(const QString& button);

    // The date limits of the shared panel: 0 and 99999999 for empty or invalid fields.
    qint64 rangeFrom() const;
    qint64 rangeTo() const;
    // Trimmed; double quotes become backquotes, written back into the field.
    static QString takeNumber(QLineEdit* field);

    static QString templatePath(const QString& file);

    // The protocols' texts in repfields.ini of the configuration folder:
    // read when the main window is shown, written when it closes.
    void loadProtocolTexts();
    void saveProtocolTexts() const;
    static QString protocolTextsPath();

private:
    QWidget* buildGeneral();
    QWidget* buildFinancial();
    QWidget* buildPanel();
    QWidget* buildProtocol(int kind);
    QWidget* buildLocations();
    QWidget* buildEmployees();
    QWidget* buildBhp();
    QWidget* buildAdditional();
    QWidget* scrolled(QWidget* page, const QString& name);
    Lookup* addLookup(QWidget* parent, const QString& name, const QString& statement, const QString& key,
                      const QString& display, QCheckBox* box);
    void presetLookups();
    template <typename T> T* control(const QString& name) const { return findChild<T*>(name); }
    bool checked(const QString& name) const;
    QGridLayout* startPage(QWidget* page);
    QPushButton* addStatement(QGridLayout* grid, const QString& button, const QString& caption);
    QComboBox* addChoice(QGridLayout* grid, int column, const QString& name, const QStringList& items,
                         const QString& hint = {});
    QLineEdit* addNumber(QGridLayout* grid, const QString& name, const QString& what);
    QComboBox* combo(const QString& name) const;
    QLineEdit* number(const QString& name) const;
    int choice(const QString& name) const;

    bool showReport(const QString& report, const QString& file, bool checkAttachments = false);
    bool showReportAt(const QString& report, const QString& path, bool checkAttachments);
    bool runProtocol(int kind);
    bool runLocations();
    bool runByEmployee();
    bool runBhpHistory();
    bool runBhpNeeds();
    bool runHoldings();
    bool runBhpPurchases();
    bool runAttachments();
    bool runAdditional();
    bool prepareDormak();
    bool runDormak();
    bool runDormakCsv();
    bool runAssetReport(const QString& button);
    bool runRepairs(bool costs);
    bool runDeadlines();
    bool runFreeLicences();
    bool runDocuments();
    bool runHistory();
    bool runOrders(const QString& list, const QString& seria, const QString& sort, const QString& report,
                   const QString& file);
    bool runEmployees();
    bool runCosts(const QString& button);
    bool runRegister();

    TmyDataBase& m_db;
    TDMRaporty& m_reports;
    Runner m_runner;
    QTabWidget* m_tabs = nullptr;
    DateField* m_from = nullptr;
    DateField* m_to = nullptr;
    QCheckBox* m_issueDateOn = nullptr;
    DateField* m_issueDate = nullptr;
    CalendarPicker* m_issuePicker = nullptr;
    QCheckBox* m_liquidationDate = nullptr;
    QCheckBox* m_showPasswords = nullptr;
    QCheckBox* m_above = nullptr;
    QCheckBox* m_below = nullptr;
    QLineEdit* m_aboveValue = nullptr;
    QLineEdit* m_belowValue = nullptr;
    QHash<QString, QComboBox*> m_combos;
    QHash<QString, QLineEdit*> m_numbers;
    int m_row = 0;
};
