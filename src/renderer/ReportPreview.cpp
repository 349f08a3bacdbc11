#include "renderer/ReportPreview.h"

#include "renderer/PagePainter.h"
#include "renderer/PageSpool.h"
#include "renderer/PageView.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportTemplate.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
constexpr int kViewMargin = 30;     // the gaps around the paper and the shadow
constexpr int kEventsEveryMs = 40;  // how often the window answers while pages are laid out
constexpr int kFirstEventsMs = 100; // a short report is done before the window is first redrawn
constexpr int kBarAfterMs = 300;    // the progress bar is for reports that take a while
constexpr int kProgressAfterMs = 400;
const QList<double> kZoomSteps{0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
} // namespace

ReportPreview::ReportPreview(PageModel model, QWidget* parent)
    : QDialog(parent), m_pages(std::make_unique<PageModel>(std::move(model)))
{
    buildUi();
    showFormat();
    updatePageCount();
    resize(900, 1000);
    showPage(0);
    applyZoom();
}

ReportPreview::ReportPreview(std::unique_ptr<PageSource> pages, QWidget* parent)
    : QDialog(parent), m_pages(std::move(pages))
{
    buildUi();
    showFormat();
    updatePageCount();
    resize(900, 1000);
    showPage(0);
    applyZoom();
}

ReportPreview::ReportPreview(const PageFormat& format, QWidget* parent) : QDialog(parent)
{
    auto empty = std::make_unique<PageModel>();
    empty->setFormat(format);
    m_pages = std::move(empty);
    buildUi();
    showFormat();
    resize(900, 1000);
    applyZoom();
}

ReportPreview::~ReportPreview() = default;

bool ReportPreview::showReport(const QString& templatePath, ReportDataProvider& provider, QWidget* parent,
                               QString* error)
{
    QString fault;
    ReportTemplate report;
    std::unique_ptr<ReportEngine> engine;
    if (!report.load(templatePath)) {
        fault = report.errorString();
    } else {
        engine = std::make_unique<ReportEngine>(report, provider);
        if (!engine->check())
            fault = engine->errorString();
    }
    if (!fault.isEmpty()) {
        if (error)
            *error = fault;
        else
            QMessageBox::warning(parent, QStringLiteral("Błąd"), fault);
        return false;
    }
    ReportPreview preview(engine->format(), parent);
    preview.setWindowModality(Qt::ApplicationModal);
    preview.show();
    if (!preview.layOut(*engine) && !engine->cancelled()) {
        if (error)
            *error = engine->errorString();
        else
            preview.showError(engine->errorString());
    }
    if (preview.isVisible())
        preview.exec();
    return true;
}

bool ReportPreview::layOut(ReportEngine& engine)
{
    auto spool = std::make_unique<PageSpool>();
    m_spool = spool.get();
    m_pages = std::move(spool);
    m_view->setPages(m_pages.get());
    m_matches.clear();
    m_currentMatch = -1;
    m_layingOut = true;
    m_complete = false;
    m_stopRequested = false;
    enableCommands();
    m_layoutStatus->setText(QStringLiteral("Przygotowywanie stron…"));
    m_cancelButton->show();
    m_layoutBar->findChild<QProgressBar*>()->show();
    m_layoutBar->hide();
    // Until the first page is there, the data are read: the cursor tells,
    // over a window that is drawn already.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_waitCursor = true;
    // Painted directly: posted events wait, so nothing else runs before the layout.
    if (isVisible())
        repaint();
    m_lastEvents.start();
    m_layoutClock.start();
    m_answered = false;
    const bool ok = engine.run(static_cast<PageSink&>(*this));
    if (m_waitCursor) {
        QApplication::restoreOverrideCursor();
        m_waitCursor = false;
    }
    m_layingOut = false;
    m_complete = ok;
    m_layoutBar->setVisible(!ok && m_spool->pageCount() > 0 && isVisible());
    m_layoutStatus->setText(
        QStringLiteral("Przerwano: przygotowano stron %1 (wydruk niepełny).").arg(m_spool->pageCount()));
    m_cancelButton->hide();
    m_layoutBar->findChild<QProgressBar*>()->hide();
    updatePageCount();
    enableCommands();
    showPage(currentPage());
    return ok;
}

void ReportPreview::cancelLayout()
{
    if (m_layingOut)
        m_stopRequested = true;
}

void ReportPreview::reject()
{
    // Closing the window stops the layout too.
    cancelLayout();
    QDialog::reject();
}

bool ReportPreview::start(const PageFormat& format)
{
    m_spool->start(format);
    showFormat();
    return !m_stopRequested;
}

bool ReportPreview::addPage(Page&& page)
{
    m_spool->addPage(std::move(page));
    const int count = m_spool->pageCount();
    if (count == 1) {
        showPage(0);
        if (m_waitCursor) {
            QApplication::restoreOverrideCursor();
            m_waitCursor = false;
        }
    }
    return answer(QStringLiteral("Przygotowano stron: %1…").arg(count));
}

bool ReportPreview::counted(int pages)
{
    return answer(QStringLiteral("Liczenie stron: %1…").arg(pages));
}

bool ReportPreview::answer(const QString& status)
{
    if (m_lastEvents.elapsed() >= (m_answered ? kEventsEveryMs : kFirstEventsMs)) {
        updatePageCount();
        m_layoutStatus->setText(status);
        if (m_layoutClock.elapsed() >= kBarAfterMs)
            m_layoutBar->show();
        // The window keeps answering: pages can be turned, "Anuluj" pressed.
        QApplication::processEvents();
        m_lastEvents.restart();
        m_answered = true;
    }
    return !m_stopRequested;
}

void ReportPreview::showFormat()
{
    const QString title = m_pages->format().title;
    setWindowTitle(title.isEmpty() ? QStringLiteral("Podgląd wydruku")
                                   : QStringLiteral("Podgląd wydruku - ") + title);
    m_view->refresh();
    applyZoom();
}

int ReportPreview::pageCount() const
{
    return m_pages->pageCount();
}

void ReportPreview::updatePageCount()
{
    const int count = pageCount();
    m_pageSpin->blockSignals(true);
    m_pageSpin->setRange(1, qMax(1, count));
    m_pageSpin->blockSignals(false);
    m_pageCount->setText(QStringLiteral(" z %1 ").arg(count));
}

void ReportPreview::enableCommands()
{
    // A report is printed and saved whole, so only when every page is there.
    m_printAction->setEnabled(m_complete && !m_layingOut);
    m_pdfAction->setEnabled(m_complete && !m_layingOut);
    m_findEdit->setEnabled(!m_layingOut);
    for (QAction* a : std::as_const(m_findActions))
        a->setEnabled(!m_layingOut);
    const QString why = QStringLiteral(" (dostępne, gdy raport jest gotowy)");
    m_printAction->setToolTip(QStringLiteral("Drukuj raport (Ctrl+P)") +
                              (m_printAction->isEnabled() ? QString() : why));
    m_pdfAction->setToolTip(QStringLiteral("Zapisz raport jako plik PDF (Ctrl+S)") +
                            (m_pdfAction->isEnabled() ? QString() : why));
}

bool ReportPreview::withProgress(const QString& label, int total, const std::function<bool(int)>& step)
{
    QProgressDialog progress(label, QStringLiteral("Anuluj"), 0, total, this);
    progress.setObjectName(QStringLiteral("progressDialog"));
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressAfterMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool done = true;
    for (int i = 0; i < total; ++i) {
        if (!step(i)) {
            done = false;
            break;
        }
        progress.setValue(i + 1);
        if (progress.wasCanceled()) {
            done = false;
            break;
        }
    }
    QApplication::restoreOverrideCursor();
    return done;
}

bool ReportPreview::withProgress(const QString& label,
                                 const std::function<bool(const std::function<bool(int, int)>&)>& job)
{
    QProgressDialog progress(this);
    progress.setObjectName(QStringLiteral("progressDialog"));
    progress.setWindowTitle(windowTitle());
    progress.setCancelButtonText(QStringLiteral("Anuluj"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressAfterMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setLabelText(label.arg(0).arg(pageCount()));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = job([&](int done, int total) {
        progress.setMaximum(total);
        if (done == total || done % 10 == 0)
            progress.setLabelText(label.arg(done).arg(total));
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    QApplication::restoreOverrideCursor();
    return ok;
}

void ReportPreview::buildUi()
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(bar);

    auto makeAction = [&](const QString& name, const QString& text, QStyle::StandardPixmap icon,
                          const QList<QKeySequence>& keys, const QString& tip) {
        auto* action = new QAction(text, this);
        if (icon != QStyle::SP_CustomBase)
            action->setIcon(style()->standardIcon(icon));
        action->setObjectName(name);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setToolTip(tip);
        bar->addAction(action);
        return action;
    };

    QAction* printAction =
        makeAction(QStringLiteral("printAction"), QStringLiteral("Drukuj..."), QStyle::SP_CustomBase,
                   {QKeySequence(Qt::CTRL | Qt::Key_P)}, QStringLiteral("Drukuj raport (Ctrl+P)"));
    printAction->setIcon(QIcon(QStringLiteral(":/icons/document-print.png")));
    m_printAction = printAction;
    QAction* pdfAction = makeAction(QStringLiteral("pdfAction"), QStringLiteral("Zapisz PDF..."),
                                    QStyle::SP_DialogSaveButton, {QKeySequence(Qt::CTRL | Qt::Key_S)},
                                    QStringLiteral("Zapisz raport jako plik PDF (Ctrl+S)"));
    m_pdfAction = pdfAction;
    bar->addSeparator();

    QAction* firstAction =
        makeAction(QStringLiteral("firstPageAction"), QString(), QStyle::SP_MediaSkipBackward,
                   {QKeySequence(Qt::CTRL | Qt::Key_Home)}, QStringLiteral("Pierwsza strona"));
    QAction* previousAction =
        makeAction(QStringLiteral("previousPageAction"), QString(), QStyle::SP_ArrowLeft,
                   {QKeySequence(Qt::Key_PageUp)}, QStringLiteral("Poprzednia strona (PgUp)"));
    m_pageSpin = new QSpinBox(this);
    m_pageSpin->setObjectName(QStringLiteral("pageSpin"));
    m_pageSpin->setRange(1, 1);
    m_pageSpin->setToolTip(QStringLiteral("Numer strony"));
    bar->addWidget(m_pageSpin);
    m_pageCount = new QLabel(QStringLiteral(" z %1 ").arg(pageCount()), this);
    m_pageCount->setObjectName(QStringLiteral("pageCountLabel"));
    bar->addWidget(m_pageCount);
    QAction* nextAction =
        makeAction(QStringLiteral("nextPageAction"), QString(), QStyle::SP_ArrowRight,
                   {QKeySequence(Qt::Key_PageDown)}, QStringLiteral("Następna strona (PgDn)"));
    QAction* lastAction =
        makeAction(QStringLiteral("lastPageAction"), QString(), QStyle::SP_MediaSkipForward,
                   {QKeySequence(Qt::CTRL | Qt::Key_End)}, QStringLiteral("Ostatnia strona"));
    bar->addSeparator();

    QAction* zoomOutAction =
        makeAction(QStringLiteral("zoomOutAction"), QStringLiteral("−"), QStyle::SP_CustomBase,
                   {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, QStringLiteral("Pomniejsz (Ctrl+-)"));
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));
    m_zoomBox->addItem(QStringLiteral("Szerokość strony"));
    m_zoomBox->addItem(QStringLiteral("Cała strona"));
    for (double step : kZoomSteps)
        m_zoomBox->addItem(QStringLiteral("%1%").arg(qRound(step * 100)), step);
    m_zoomBox->setToolTip(QStringLiteral("Powiększenie"));
    bar->addWidget(m_zoomBox);
    QAction* zoomInAction =
        makeAction(QStringLiteral("zoomInAction"), QStringLiteral("+"), QStyle::SP_CustomBase,
                   {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                   QStringLiteral("Powiększ (Ctrl++)"));
    bar->addSeparator();

    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    m_findEdit->setPlaceholderText(QStringLiteral("Znajdź (Ctrl+F)"));
    m_findEdit->setClearButtonEnabled(true);
    m_findEdit->setMaximumWidth(220);
    bar->addWidget(m_findEdit);
    QAction* findPreviousAction =
        makeAction(QStringLiteral("findPreviousAction"), QString(), QStyle::SP_ArrowUp,
                   {QKeySequence(Qt::SHIFT | Qt::Key_F3)}, QStringLiteral("Znajdź poprzedni (Shift+F3)"));
    QAction* findNextAction = makeAction(QStringLiteral("findNextAction"), QString(), QStyle::SP_ArrowDown,
                                         {QKeySequence(Qt::Key_F3)}, QStringLiteral("Znajdź następny (F3)"));
    m_findStatus = new QLabel(this);
    m_findStatus->setObjectName(QStringLiteral("findStatus"));
    m_findStatus->setMinimumWidth(90);
    bar->addWidget(m_findStatus);
    auto* focusFind = new QAction(this);
    focusFind->setObjectName(QStringLiteral("focusFindAction"));
    focusFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    QWidget::addAction(focusFind);
    m_findActions = {findPreviousAction, findNextAction, focusFind};
    bar->addSeparator();
    QAction* closeAction =
        makeAction(QStringLiteral("closeAction"), QStringLiteral("Zamknij"), QStyle::SP_DialogCloseButton, {},
                   QStringLiteral("Zamknij podgląd (Esc)"));

    m_layoutBar = new QWidget(this);
    m_layoutBar->setObjectName(QStringLiteral("layoutBar"));
    auto* layoutBar = new QHBoxLayout(m_layoutBar);
    layoutBar->setContentsMargins(8, 4, 8, 4);
    m_layoutStatus = new QLabel(m_layoutBar);
    m_layoutStatus->setObjectName(QStringLiteral("layoutStatus"));
    auto* busy = new QProgressBar(m_layoutBar);
    busy->setObjectName(QStringLiteral("layoutProgress"));
    busy->setRange(0, 0);
    busy->setMaximumWidth(200);
    m_cancelButton = new QPushButton(QStringLiteral("Anuluj"), m_layoutBar);
    m_cancelButton->setObjectName(QStringLiteral("cancelLayoutButton"));
    m_cancelButton->setToolTip(QStringLiteral("Przerwij przygotowywanie stron raportu"));
    layoutBar->addWidget(m_layoutStatus);
    layoutBar->addWidget(busy);
    layoutBar->addWidget(m_cancelButton);
    layoutBar->addStretch(1);
    layout->addWidget(m_layoutBar);
    m_layoutBar->hide();
    connect(m_cancelButton, &QPushButton::clicked, this, &ReportPreview::cancelLayout);

    m_view = new PageView;
    m_view->setObjectName(QStringLiteral("pageView"));
    m_view->setPages(m_pages.get());
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("pageScroll"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);
    m_scroll->viewport()->installEventFilter(this);

    connect(printAction, &QAction::triggered, this, &ReportPreview::printWithDialog);
    connect(pdfAction, &QAction::triggered, this, &ReportPreview::saveWithDialog);
    connect(closeAction, &QAction::triggered, this, &ReportPreview::reject);
    connect(firstAction, &QAction::triggered, this, [this] { showPage(0); });
    connect(previousAction, &QAction::triggered, this, [this] { showPage(currentPage() - 1); });
    connect(nextAction, &QAction::triggered, this, [this] { showPage(currentPage() + 1); });
    connect(lastAction, &QAction::triggered, this, [this] { showPage(pageCount() - 1); });
    connect(m_pageSpin, &QSpinBox::valueChanged, this, [this](int value) { showPage(value - 1); });
    connect(m_zoomBox, &QComboBox::activated, this, &ReportPreview::zoomChosen);
    connect(zoomInAction, &QAction::triggered, this, [this] { stepZoom(1); });
    connect(zoomOutAction, &QAction::triggered, this, [this] { stepZoom(-1); });
    connect(m_findEdit, &QLineEdit::returnPressed, this, [this] {
        if (m_findEdit->text() != m_searched)
            find(m_findEdit->text());
        else
            findNext();
    });
    connect(findNextAction, &QAction::triggered, this, [this] {
        if (m_findEdit->text() != m_searched)
            find(m_findEdit->text());
        else
            findNext();
    });
    connect(findPreviousAction, &QAction::triggered, this, [this] {
        if (m_findEdit->text() != m_searched)
            find(m_findEdit->text());
        else
            findPrevious();
    });
    connect(focusFind, &QAction::triggered, this, [this] {
        m_findEdit->setFocus(Qt::ShortcutFocusReason);
        m_findEdit->selectAll();
    });
    m_scroll->setFocus();
}

int ReportPreview::currentPage() const
{
    return m_view->page();
}

void ReportPreview::setCurrentPage(int page)
{
    showPage(page);
}

void ReportPreview::showPage(int page)
{
    page = qBound(0, page, qMax(0, pageCount() - 1));
    const bool changed = page != m_view->page();
    m_view->setPage(page);
    m_pageSpin->blockSignals(true);
    m_pageSpin->setValue(page + 1);
    m_pageSpin->blockSignals(false);
    if (changed)
        m_scroll->verticalScrollBar()->setValue(0);
}

double ReportPreview::zoom() const
{
    return m_view->zoom();
}

void ReportPreview::setZoom(double zoom)
{
    m_fixedZoom = qBound(0.1, zoom, 8.0);
    m_zoomMode = ZoomMode::Fixed;
    applyZoom();
}

void ReportPreview::setZoomMode(ZoomMode mode)
{
    m_zoomMode = mode;
    applyZoom();
}

void ReportPreview::applyZoom()
{
    const double full = m_view->pixelsPerMmAtFullSize();
    const QSize room = m_scroll->viewport()->size() - QSize(kViewMargin, kViewMargin);
    QSizeF paper = m_pages->format().paperSize;
    if (paper.isEmpty())
        paper = QSizeF(210, 297);
    const double widthZoom = qMax(1, room.width()) / (paper.width() * full);
    const double pageZoom = qMin(widthZoom, qMax(1, room.height()) / (paper.height() * full));
    double zoom = m_fixedZoom;
    if (m_zoomMode == ZoomMode::FitWidth)
        zoom = widthZoom;
    else if (m_zoomMode == ZoomMode::FitPage)
        zoom = pageZoom;
    m_view->setZoom(zoom);
    m_zoomBox->blockSignals(true);
    if (m_zoomMode == ZoomMode::FitWidth) {
        m_zoomBox->setCurrentIndex(0);
    } else if (m_zoomMode == ZoomMode::FitPage) {
        m_zoomBox->setCurrentIndex(1);
    } else {
        const int index = m_zoomBox->findData(m_fixedZoom);
        if (index >= 0) {
            m_zoomBox->setCurrentIndex(index);
        } else {
            m_zoomBox->setEditText(QString());
            m_zoomBox->setCurrentIndex(-1);
        }
    }
    m_zoomBox->blockSignals(false);
}

void ReportPreview::zoomChosen(int index)
{
    if (index == 0)
        setZoomMode(ZoomMode::FitWidth);
    else if (index == 1)
        setZoomMode(ZoomMode::FitPage);
    else if (index > 1)
        setZoom(m_zoomBox->itemData(index).toDouble());
}

void ReportPreview::stepZoom(int direction)
{
    const double now = zoom();
    double next = direction > 0 ? kZoomSteps.last() : kZoomSteps.first();
    for (double step : kZoomSteps) {
        if (direction > 0 && step > now + 0.001) {
            next = step;
            break;
        }
        if (direction < 0 && step < now - 0.001)
            next = step;
    }
    setZoom(next);
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event)
{
    // The fitting zooms follow the size of the page area.
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize && m_zoomMode != ZoomMode::Fixed)
        applyZoom();
    return QDialog::eventFilter(watched, event);
}

void ReportPreview::find(const QString& text)
{
    m_searched = text;
    if (m_findEdit->text() != text)
        m_findEdit->setText(text);
    m_matches.clear();
    // Page by page, from wherever the pages are kept; a long report shows its progress.
    if (!text.isEmpty()) {
        withProgress(QStringLiteral("Szukanie „%1”…").arg(text), pageCount(), [&](int p) {
            m_matches.append(PageModel::findOnPage(m_pages->page(p), p, text));
            return true;
        });
    }
    m_currentMatch = -1;
    // The first match on the page shown or after it.
    for (int i = 0; i < m_matches.size(); ++i) {
        if (m_matches.at(i).page >= currentPage()) {
            m_currentMatch = i;
            break;
        }
    }
    if (m_currentMatch < 0 && !m_matches.isEmpty())
        m_currentMatch = 0;
    showMatch();
}

void ReportPreview::findNext()
{
    if (m_matches.isEmpty())
        return;
    m_currentMatch = (m_currentMatch + 1) % int(m_matches.size());
    showMatch();
}

void ReportPreview::findPrevious()
{
    if (m_matches.isEmpty())
        return;
    m_currentMatch = (m_currentMatch - 1 + int(m_matches.size())) % int(m_matches.size());
    showMatch();
}

void ReportPreview::showMatch()
{
    if (m_searched.isEmpty())
        m_findStatus->clear();
    else if (m_matches.isEmpty())
        m_findStatus->setText(QStringLiteral("Nie znaleziono"));
    else
        m_findStatus->setText(QStringLiteral("%1 z %2").arg(m_currentMatch + 1).arg(m_matches.size()));
    if (m_currentMatch >= 0)
        showPage(m_matches.at(m_currentMatch).page);
    m_view->setMatches(m_matches, m_currentMatch);
    if (m_currentMatch >= 0) {
        const QRect where = m_view->matchRect(m_matches.at(m_currentMatch));
        m_scroll->ensureVisible(where.center().x(), where.center().y(), where.width() / 2 + 40,
                                where.height() / 2 + 60);
    }
}

bool ReportPreview::print(QPrinter& printer, QString* error)
{
    QString fault;
    withProgress(QStringLiteral("Drukowanie strony %1 z %2…"), [&](const auto& progress) {
        return PagePainter::print(*m_pages, printer, &fault, progress);
    });
    if (error)
        *error = fault;
    // Stopped by the user is not a failure.
    return fault.isEmpty();
}

bool ReportPreview::savePdf(const QString& path, QString* error)
{
    QString fault;
    const bool ok = withProgress(QStringLiteral("Zapisywanie strony %1 z %2…"), [&](const auto& progress) {
        return PagePainter::writePdf(*m_pages, path, &fault, progress);
    });
    if (error)
        *error = fault;
    return ok;
}

void ReportPreview::printWithDialog()
{
    if (!m_complete)
        return;
    QPrinter printer(QPrinter::HighResolution);
    PagePainter::setUpPrinter(*m_pages, printer);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Drukuj"));
    dialog.setMinMax(1, qMax(1, pageCount()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (printer.printRange() == QPrinter::CurrentPage) {
        printer.setFromTo(currentPage() + 1, currentPage() + 1);
        printer.setPrintRange(QPrinter::PageRange);
    }
    QString error;
    if (!print(printer, &error))
        showError(error);
}

void ReportPreview::saveWithDialog()
{
    if (!m_complete)
        return;
    const QString title = m_pages->format().title;
    QString name = title.isEmpty() ? QStringLiteral("raport") : title;
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Zapisz raport jako PDF"),
                                                QDir(folder).filePath(name + QStringLiteral(".pdf")),
                                                QStringLiteral("Dokument PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString error;
    if (!savePdf(path, &error) && !error.isEmpty())
        showError(error);
}

void ReportPreview::showError(const QString& text)
{
    QMessageBox::warning(this, QStringLiteral("Błąd"), text);
}
