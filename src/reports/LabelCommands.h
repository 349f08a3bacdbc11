#pragma once

#include "reports/LabelSheet.h"
#include "reports/TfEtykiety.h"

#include <QObject>

#include <functional>
#include <memory>

class TfMain;
class TmyDataBase;

// "Drukuj etykiety" of the computers, the other equipment and the BHP items:
// the dialog, the rows of the list shown, and the label pages in the preview.
class LabelCommands : public QObject
{
    Q_OBJECT

public:
    // Shows the pages; the default is the program's preview window.
    using Viewer = std::function<void(std::unique_ptr<LabelSheet> sheet)>;

    LabelCommands(TfMain& main, TmyDataBase& db, QObject* parent = nullptr);

    TfEtykiety& dialog() const { return *m_dialog; }
    void setViewer(Viewer viewer) { m_viewer = std::move(viewer); }

    // The list of a register that has labels, with its read right; empty and -1 for others.
    static QString listOf(const QString& registerName, int* readRight = nullptr);
    // Whether the register shown may print labels now: its read right and rows to print.
    bool available(const QString& registerName) const;
    // Runs the command on the register shown.
    void MDrukujEtykietyClick();

    // The rows of `list` (its current filter and order): all of them, or the one under the cursor.
    static QList<LabelRow> rowsOf(TmyDataBase& db, const QString& list, bool all);
    // Our company's name (firmy, IDFIRMY = 1); empty when it cannot be read.
    static QString ownCompany(TmyDataBase& db);

private:
    bool check(const TfEtykiety::Choice& choice);

    TfMain& m_main;
    TmyDataBase& m_db;
    TfEtykiety* m_dialog;
    Viewer m_viewer;
    QString m_list;
    std::unique_ptr<LabelSheet> m_sheet; // made by check(), shown after the dialog closes
};
