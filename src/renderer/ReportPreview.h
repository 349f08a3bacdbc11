#pragma once

#include "renderer/PageModel.h"
#include "renderer/PageSink.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QWidget;
class PageSpool;
class PageView;
class ReportDataProvider;
class ReportEngine;

// The preview window of a report: pages, zoom, find, print, save as PDF.
// A report being laid out shows its first page at once; the others join
// while a bar tells how many are ready and offers "Anuluj".
class ReportPreview : public QDialog, private PageSink
{
    Q_OBJECT

public:
    enum class ZoomMode
    {
        FitWidth,
        FitPage,
        Fixed
    };

    // A report already laid out.
    explicit ReportPreview(PageModel model, QWidget* parent = nullptr);
    // Pages made elsewhere, page by page as they are shown (labels).
    explicit ReportPreview(std::unique_ptr<PageSource> pages, QWidget* parent = nullptr);
    // An empty preview that layOut() fills, titled and sized for the
    // report's paper from the start.
    explicit ReportPreview(const PageFormat& format = {}, QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Loads the template, shows the preview and lays the report out into
    // it, then waits until the user closes it. A fault found before the
    // first page (missing or bad template, unknown source, missing picture)
    // shows nothing; its message goes to *error, or into a message box when
    // error is null.
    static bool showReport(const QString& templatePath, ReportDataProvider& provider, QWidget* parent,
                           QString* error = nullptr);

    // Lays the report out page by page into the preview, keeping the window
    // alive meanwhile. False when the engine failed or was stopped.
    bool layOut(ReportEngine& engine);
    // Stops a layout that is running; the pages done stay to be seen.
    void cancelLayout();
    bool isLayingOut() const { return m_layingOut; }
    // Every page is there: not running, not stopped.
    bool isComplete() const { return m_complete; }

    const PageSource& pages() const { return *m_pages; }
    int pageCount() const;
    int currentPage() const;
    void setCurrentPage(int page);
    ZoomMode zoomMode() const { return m_zoomMode; }
    double zoom() const;
    // A fixed zoom, 1.0 for the real size.
    void setZoom(double zoom);
    void setZoomMode(ZoomMode mode);

    void find(const QString& text);
    void findNext();
    void findPrevious();
    int matchCount() const { return int(m_matches.size()); }
    int currentMatch() const { return m_currentMatch; }

    // Prints on a printer already set up; false with a message on failure.
    bool print(QPrinter& printer, QString* error = nullptr);
    bool savePdf(const QString& path, QString* error = nullptr);

public slots:
    void printWithDialog();
    void saveWithDialog();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // PageSink: the engine's pages arrive here while layOut() runs.
    bool start(const PageFormat& format) override;
    bool addPage(Page&& page) override;
    bool counted(int pages) override;
    // Lets the window answer now and then while a layout runs; false when
    // the user stopped it.
    bool answer(const QString& status);

    void buildUi();
    void showPage(int page);
    void applyZoom();
    void showMatch();
    void zoomChosen(int index);
    void stepZoom(int direction);
    void showError(const QString& text);
    void showFormat();
    void updatePageCount();
    void enableCommands();
    // Runs step for 0..total-1 under a progress dialog with "Anuluj" when it
    // takes long; false when the user stopped it.
    bool withProgress(const QString& label, int total, const std::function<bool(int)>& step);
    // The same dialog around a print or a save, given as a function of its progress callback.
    bool withProgress(const QString& label,
                      const std::function<bool(const std::function<bool(int, int)>&)>& job);

    std::unique_ptr<PageSource> m_pages;
    PageSpool* m_spool = nullptr; // m_pages while a report is laid out into the preview
    PageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QSpinBox* m_pageSpin = nullptr;
    QLabel* m_pageCount = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QLabel* m_findStatus = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_pdfAction = nullptr;
    QList<QAction*> m_findActions;
    QWidget* m_layoutBar = nullptr;
    QLabel* m_layoutStatus = nullptr;
    QPushButton* m_cancelButton = nullptr;
    ZoomMode m_zoomMode = ZoomMode::FitWidth;
    double m_fixedZoom = 1.0;
    QString m_searched;
    QList<TextMatch> m_matches;
    int m_currentMatch = -1;
    bool m_layingOut = false;
    bool m_complete = true;
    bool m_stopRequested = false;
    bool m_waitCursor = false;
    QElapsedTimer m_lastEvents;  // since the window last answered
    QElapsedTimer m_layoutClock; // since the layout started
    bool m_answered = false;     // the window has answered during this layout
};
