#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class RaportyTab;
class TDMRaporty;
class TfKomputery;
class TfMain;
class TmyDataBase;

// The reports' place in the main window: the data module, the "Raporty"
// view on its page, and the record print-out behind "Drukuj" (toolbar, menu,
// popup Ctrl+P) and the computer editor's print buttons.
class ReportCommands : public QObject
{
    Q_OBJECT

public:
    using Runner = std::function<bool(const QString& templatePath, TDMRaporty& reports)>;

    ReportCommands(TfMain& main, TmyDataBase& db, QObject* parent = nullptr);
    ~ReportCommands() override;

    TDMRaporty& reports() const { return *m_reports; }
    RaportyTab* view() const { return m_view; }
    // Tests see the report instead of a preview (the catalogue's too).
    void setRunner(Runner runner);

    // The sheet of one record: title and body go to the data module, the
    // print-out template is shown. Both texts are cleared first.
    bool print(const QString& title, const QString& body);
    // "Drukuj": the selected row of the register shown; nothing on an empty list.
    bool printCurrent();
    // The computer editor prints its sub-lists through the same sheet.
    void connectEditor(TfKomputery& editor);

private:
    void disableMissingPages();

    TfMain& m_main;
    TmyDataBase& m_db;
    std::unique_ptr<TDMRaporty> m_reports;
    RaportyTab* m_view = nullptr;
    Runner m_runner;
};
