#pragma once

#include "reports/TDMRaporty.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class Lookup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QScrollArea;
class ReportPanel;
class TmyDataBase;

// One page of the "Raporty" view: its statements and the filter controls
// they read. A statement turns its controls into the conditions of the query
// its report reads, runs the report and puts the lists' filter state back
// afterwards. Each page is one small subclass; the building blocks and the
// steps every page shares are written here once.
class ReportPage : public QWidget
{
    Q_OBJECT

public:
    // Shows a report: its name, the template's full path and whether the
    // attachment files are checked. Answers whether the report was shown.
    using Show = std::function<bool(const QString& report, const QString& path, bool checkAttachments)>;

    struct Context
    {
        TmyDataBase& db;
        TDMRaporty& reports;
        const ReportPanel& panel;
        Show show;
    };

    // `name` is the name of the page's scroll area ("Tab1"); the page itself
    // is "<name>Strona".
    ReportPage(const Context& context, const QString& name);

    // The statement of a button of this page. False for the buttons of other
    // pages, and when no report was shown.
    virtual bool run(const QString& button) = 0;
    // When the main window is shown: the page's choices back to their first
    // entry, its number fields empty.
    virtual void reset();
    // Each time the view is opened, after the lookups' statements were read
    // again: every lookup on its first entry.
    virtual void viewEntered();
    // What the page's controls set for every report shown, whichever page
    // runs it.
    virtual void addChoices(TDMRaporty::Choices& choices) const;

    // The page in a frameless scroll area, for the page control.
    QScrollArea* scrolled();

    // Trimmed; double quotes become backquotes, written back into the field.
    static QString takeNumber(QLineEdit* field);
    static QString templatePath(const QString& file);

protected:
    TmyDataBase& db() const { return m_context.db; }
    TDMRaporty& reports() const { return m_context.reports; }
    const ReportPanel& panel() const { return m_context.panel; }
    qint64 rangeFrom() const;
    qint64 rangeTo() const;

    template <typename T> T* control(const QString& name) const { return findChild<T*>(name); }
    // Ticked and enabled.
    bool checked(const QString& name) const;
    // The index of a kept choice, 0 for an unknown name.
    int choice(const QString& name) const;
    // A kept number field; null for an unknown name.
    QLineEdit* number(const QString& name) const;
    // A choice or field that reset() empties and choice() or number() find by name.
    void keepChoice(QComboBox* box);
    void keepNumber(QLineEdit* field);

    // The statement grid: bold column heads from the second column on.
    QGridLayout* startPage(const QStringList& heads);
    // A new grid row with its statement button, which runs the statement.
    QPushButton* addStatement(QGridLayout* grid, const QString& button, const QString& caption);
    // A choice in a column of the current row; several share the "Filrt 3" cell.
    QComboBox* addChoice(QGridLayout* grid, int column, const QString& name, const QStringList& items,
                         const QString& hint = {});
    // The number field of the current row; `what` completes its hint.
    QLineEdit* addNumber(QGridLayout* grid, const QString& name, const QString& what);
    int row() const { return m_row; }
    // A button in the statement look, not connected.
    static QPushButton* statementButton(QWidget* parent, const QString& name, const QString& caption);
    // A lookup over a statement of the data module; choosing in it ticks `box`.
    Lookup* addLookup(QWidget* parent, const QString& name, const QString& statement, const QString& key,
                      const QString& display, QCheckBox* box);

    // A box that narrows a statement to a lookup's choice is off while the
    // lookup is empty.
    void enableByLookup(const QString& box, const QString& lookup);
    // The chosen employee's number for a literal; double quotes become blanks.
    static QString employeeNumber(const Lookup* lookup);
    // Tells what is missing ("Informacja") and unticks the box that asked for it.
    static void refuse(QCheckBox* box, const QString& message);

    static const QStringList& seriesItems();
    static const QStringList& kindItems();
    static const QStringList& activityItems();

    bool showReport(const QString& report, const QString& file, bool checkAttachments = false);
    bool showReportAt(const QString& report, const QString& path, bool checkAttachments);
    // The repairs statement of "Ogólne" and its costs of "Finansowe": the
    // controls named `prefix` + "Seria1".."Seria4".
    bool runRepairs(const QString& prefix, bool costs);

private:
    Context m_context;
    QString m_name;
    QHash<QString, QComboBox*> m_combos;
    QHash<QString, QLineEdit*> m_numbers;
    int m_row = 0;
};
