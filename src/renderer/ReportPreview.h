#pragma once

#include "renderer/PageModel.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;
class PageView;
class ReportDataProvider;

// The preview window of a report: pages, zoom, find, print, save as PDF.
class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    enum class ZoomMode
    {
        FitWidth,
        FitPage,
        Fixed
    };

    explicit ReportPreview(PageModel model, QWidget* parent = nullptr);

    // Loads the template, lays the report out from provider and shows the
    // preview modally. A fault (missing or bad template, unknown source,
    // missing picture) shows nothing; its message goes to *error, or into a
    // message box when error is null.
    static bool showReport(const QString& templatePath, ReportDataProvider& provider, QWidget* parent,
                           QString* error = nullptr);

    const PageModel& model() const { return m_model; }
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void addShortcuts();
    void showPage(int page);
    void applyZoom();
    void showMatch();
    void zoomChosen(int index);
    void stepZoom(int direction);
    void showError(const QString& text);

    PageModel m_model;
    PageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QSpinBox* m_pageSpin = nullptr;
    QLabel* m_pageCount = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QLabel* m_findStatus = nullptr;
    ZoomMode m_zoomMode = ZoomMode::FitWidth;
    double m_fixedZoom = 1.0;
    QString m_searched;
    QList<TextMatch> m_matches;
    int m_currentMatch = -1;
};
