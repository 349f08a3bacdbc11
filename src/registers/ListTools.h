#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class BulkResponsibleChange;
class ColumnSums;
class ListCsvExport;
class ListSearch;
class PropertyNamesPages;
class TfFiszka;
class TfMain;
class TfSumy;

// The list tools of the main window: search, column sums, CSV export, the
// Fiszka card, the property-names pages and the bulk change of the
// responsible person. Created by the main window, which
// runs them from its toolbar and menus.
class ListTools : public QObject
{
    Q_OBJECT

public:
    explicit ListTools(TfMain& main);
    ~ListTools() override;

    ListSearch& search() const { return *m_search; }
    ColumnSums& sums() const { return *m_sums; }
    ListCsvExport& csv() const { return *m_csv; }
    TfSumy& sumWindow() const { return *m_sumWindow; }
    TfFiszka& fiszka() const { return *m_fiszka; }
    PropertyNamesPages& propertyNames() const { return *m_propertyNames; }
    BulkResponsibleChange& bulkChange() const { return *m_bulkChange; }

    // "Fiszka": shown without blocking the main window.
    void SBFiszkaClick();
    // After login: the card's text back to its two starting lines.
    void resetTemporaryNotes(const QStringList& lines);
    // Logout: the tool windows are hidden.
    void hideToolWindows();

private:
    ListSearch* m_search;
    TfSumy* m_sumWindow;
    TfFiszka* m_fiszka;
    std::unique_ptr<ColumnSums> m_sums;
    std::unique_ptr<ListCsvExport> m_csv;
    PropertyNamesPages* m_propertyNames;
    BulkResponsibleChange* m_bulkChange;
};
