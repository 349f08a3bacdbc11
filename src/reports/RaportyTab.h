#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class ProtocolPage;
class QLineEdit;
class QTabWidget;
class ReportPage;
class ReportPanel;
class TDMRaporty;
class TmyDataBase;

// The "Raporty" view: the page control RaportyTab with one page per group of
// statements, and the shared panel of date range and issue date under it.
// Each page runs its own statements; the view shows their reports.
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
    void addPage(ReportPage* page, const QString& caption);
    // Sets up the data module for the report and shows it.
    bool showReport(const QString& report, const QString& path, bool checkAttachments);

    TmyDataBase& m_db;
    TDMRaporty& m_reports;
    Runner m_runner;
    QTabWidget* m_tabs = nullptr;
    ReportPanel* m_panel = nullptr;
    QList<ReportPage*> m_pages;
    QList<ProtocolPage*> m_protocols;
};
