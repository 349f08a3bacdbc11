#include "SampleReport.h"

#include "renderer/PageView.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportPreview.h"
#include "renderer/ReportTemplate.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
void typePolish(QWidget* widget, const QString& text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}
} // namespace

// The sample's data, with a hand on each page as it begins.
class PageHook : public MemoryDataProvider
{
public:
    void beginPage(int page) override
    {
        MemoryDataProvider::beginPage(page);
        if (onPage)
            onPage(page);
    }
    std::function<void(int)> onPage;
};

// The sample prints "Strona n z m", which needs a counting pass first; without
// the count its pages come as they are laid out.
QByteArray sampleWithoutPageCount()
{
    QFile file(SampleReport::templatePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().replace(" z [#PAGES]", "");
}

class TestReportPreview : public QObject
{
    Q_OBJECT

private:
    const QList<int> m_perLocation{30, 50, 20};
    std::unique_ptr<ReportPreview> m_preview;
    PageModel m_model; // what the preview shows

    template <typename T> T* child(const char* name)
    {
        T* found = m_preview->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qWarning() << "no control" << name;
        return found;
    }

private slots:
    void init()
    {
        ReportTemplate report;
        QVERIFY2(report.load(SampleReport::templatePath()), qPrintable(report.errorString()));
        MemoryDataProvider data;
        SampleReport::fill(data, m_perLocation);
        PageModel model;
        ReportEngine engine(report, data);
        QVERIFY(engine.run(model));
        m_model = model;
        m_preview = std::make_unique<ReportPreview>(std::move(model));
        m_preview->resize(800, 700);
        m_preview->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_preview.get()));
    }
    void cleanup() { m_preview.reset(); }

    void showsThePageOnScreen()
    {
        QCOMPARE(m_preview->windowTitle(), QStringLiteral("Podgląd wydruku - Wyposażenie wg lokalizacji"));
        QCOMPARE(child<QLabel>("pageCountLabel")->text().trimmed(),
                 QStringLiteral("z %1").arg(m_preview->pageCount()));
        auto* view = child<PageView>("pageView");
        const QImage shot = view->grab().toImage();
        // Dark text on the white paper.
        int dark = 0;
        for (int y = 0; y < shot.height(); y += 2) {
            for (int x = 0; x < shot.width(); x += 2)
                dark += qGray(shot.pixel(x, y)) < 80;
        }
        QVERIFY(dark > 200);
    }

    void zoom()
    {
        auto* view = child<PageView>("pageView");
        auto* scroll = child<QScrollArea>("pageScroll");
        auto* box = child<QComboBox>("zoomBox");
        QCOMPARE(m_preview->zoomMode(), ReportPreview::ZoomMode::FitWidth);
        QVERIFY(view->width() <= scroll->viewport()->width());
        QVERIFY(view->width() > scroll->viewport()->width() - 60);

        emit box->activated(1); // "Cała strona"
        QCOMPARE(box->currentText(), QStringLiteral("Cała strona"));
        QVERIFY(view->height() <= scroll->viewport()->height());
        QVERIFY(view->height() > scroll->viewport()->height() - 60 ||
                view->width() > scroll->viewport()->width() - 60);

        m_preview->setZoom(1.0);
        const int full = view->width();
        QCOMPARE(box->currentText(), QStringLiteral("100%"));
        child<QAction>("zoomInAction")->trigger();
        QVERIFY(m_preview->zoom() > 1.0);
        m_preview->setZoom(2.0);
        QVERIFY(qAbs((view->width() - 24) - 2 * (full - 24)) <= 2);
        QTest::keyClick(m_preview.get(), Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(m_preview->zoom() < 2.0);
    }

    void pageNavigation()
    {
        const int last = m_preview->pageCount() - 1;
        auto* spin = child<QSpinBox>("pageSpin");
        QCOMPARE(m_preview->currentPage(), 0);
        QTest::keyClick(m_preview.get(), Qt::Key_PageDown);
        QCOMPARE(m_preview->currentPage(), 1);
        QCOMPARE(spin->value(), 2);
        QTest::keyClick(m_preview.get(), Qt::Key_PageUp);
        QTest::keyClick(m_preview.get(), Qt::Key_PageUp);
        QCOMPARE(m_preview->currentPage(), 0);
        child<QAction>("lastPageAction")->trigger();
        QCOMPARE(m_preview->currentPage(), last);
        QTest::keyClick(m_preview.get(), Qt::Key_PageDown);
        QCOMPARE(m_preview->currentPage(), last);
        spin->setValue(2);
        QCOMPARE(m_preview->currentPage(), 1);
        child<QAction>("firstPageAction")->trigger();
        QCOMPARE(m_preview->currentPage(), 0);
    }

    void findHighlightsAndSteps()
    {
        auto* edit = child<QLineEdit>("findEdit");
        auto* status = child<QLabel>("findStatus");
        QTest::keyClick(m_preview.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(edit->hasFocus());
        QTest::keyClicks(edit, QStringLiteral("k/0004"));
        QTest::keyClick(edit, Qt::Key_Return);
        int expected = 0;
        for (int n = 1; n <= 100; ++n)
            expected +=
                QStringLiteral("K/%1").arg(n, 5, 10, QLatin1Char('0')).contains(QStringLiteral("K/0004"));
        const QList<TextMatch> matches = m_model.find(QStringLiteral("K/0004"));
        QCOMPARE(matches.size(), expected);
        QCOMPARE(m_preview->matchCount(), expected);
        QCOMPARE(status->text(), QStringLiteral("1 z %1").arg(expected));
        QCOMPARE(m_model.pages.at(matches.at(1).page).items.at(matches.at(1).item).text,
                 QStringLiteral("K/00041"));

        QTest::keyClick(m_preview.get(), Qt::Key_F3);
        QCOMPARE(m_preview->currentMatch(), 1);
        QCOMPARE(m_preview->currentPage(), matches.at(1).page);
        QCOMPARE(status->text(), QStringLiteral("2 z %1").arg(expected));
        QTest::keyClick(m_preview.get(), Qt::Key_F3, Qt::ShiftModifier);
        QTest::keyClick(m_preview.get(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(m_preview->currentMatch(), expected - 1);
        QCOMPARE(m_preview->currentPage(), matches.last().page);

        // The match is marked on the page: the highlight colour appears where the text is.
        auto* view = child<PageView>("pageView");
        const QRect where = view->matchRect(matches.last());
        QVERIFY(where.width() > 2 && where.height() > 2);
        const QColor mark = view->grab().toImage().pixelColor(where.center());
        QVERIFY(mark.red() > 200 && mark.blue() < 200);

        edit->clear();
        typePolish(edit, QStringLiteral("piętro ł"));
        QTest::keyClick(edit, Qt::Key_Return);
        // The location's title and its total line.
        QCOMPARE(m_preview->matchCount(), 2 * int(m_perLocation.size()));

        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("nie ma takiego"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(m_preview->matchCount(), 0);
        QCOMPARE(status->text(), QStringLiteral("Nie znaleziono"));
    }

    void saveAsPdfThroughTheDialog()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zapis"));
        bool answered = false;
        QTimer::singleShot(50, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            answered = true;
            // The name typed without an extension.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name)
                name->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        child<QAction>("pdfAction")->trigger();
        QVERIFY(answered);
        QFile file(path + QStringLiteral(".pdf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5).startsWith("%PDF-"));
    }

    void escapeCloses()
    {
        QVERIFY(m_preview->isVisible());
        QTest::keyClick(m_preview.get(), Qt::Key_Escape);
        QVERIFY(!m_preview->isVisible());
    }

    void printHasThePrinterIcon()
    {
        const QIcon icon = child<QAction>("printAction")->icon();
        const QImage expected = QIcon(QStringLiteral(":/icons/document-print.png")).pixmap(32).toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(icon.pixmap(32).toImage(), expected);
        QVERIFY(icon.pixmap(32).toImage() != child<QAction>("pdfAction")->icon().pixmap(32).toImage());
    }

    // A long report shows its first page while the others are laid out;
    // "Anuluj" stops it, the pages done stay, and an unfinished report is
    // neither printed nor saved.
    void firstPageWhileTheRestIsLaidOutAndAStop()
    {
        ReportTemplate report;
        QVERIFY(report.loadText(sampleWithoutPageCount(), QStringLiteral("przyklad.frf"), QString()));
        ReportPreview preview;
        preview.show();
        // The user presses "Anuluj" as page 30 begins.
        PageHook data;
        SampleReport::fill(data, {4000});
        int pagesWhenSeen = 0;
        bool wasLayingOut = false, printOffMeanwhile = false, firstPageShown = false;
        data.onPage = [&](int page) {
            if (page != 30)
                return;
            pagesWhenSeen = preview.pageCount();
            wasLayingOut = preview.isLayingOut();
            printOffMeanwhile = !preview.findChild<QAction*>(QStringLiteral("printAction"))->isEnabled();
            firstPageShown = preview.currentPage() == 0 && !preview.pages().page(0).items.isEmpty();
            preview.findChild<QPushButton*>(QStringLiteral("cancelLayoutButton"))->click();
        };
        ReportEngine engine(report, data);
        QVERIFY(!preview.layOut(engine));
        QVERIFY(engine.cancelled());
        QVERIFY(engine.errorString().isEmpty());
        QVERIFY(wasLayingOut && printOffMeanwhile && firstPageShown);
        QCOMPARE(pagesWhenSeen, 29);
        QCOMPARE(preview.pageCount(), 30);
        QVERIFY(!preview.isComplete());
        QVERIFY(!preview.findChild<QAction*>(QStringLiteral("printAction"))->isEnabled());
        QVERIFY(!preview.findChild<QAction*>(QStringLiteral("pdfAction"))->isEnabled());
        QVERIFY(preview.findChild<QLabel*>(QStringLiteral("layoutStatus"))
                    ->text()
                    .startsWith(QStringLiteral("Przerwano")));
        QVERIFY(preview.findChild<QWidget*>(QStringLiteral("layoutBar"))->isVisible());
        // The pages done can be looked at.
        preview.setCurrentPage(29);
        QCOMPARE(preview.currentPage(), 29);
        QVERIFY(!preview.pages().page(29).items.isEmpty());

        // Run to the end, the same report is whole and can be saved.
        MemoryDataProvider again;
        SampleReport::fill(again, {4000});
        ReportEngine whole(report, again);
        QVERIFY(preview.layOut(whole));
        QVERIFY(preview.isComplete());
        PageModel model;
        MemoryDataProvider inMemory;
        SampleReport::fill(inMemory, {4000});
        ReportEngine(report, inMemory).run(model);
        QCOMPARE(preview.pageCount(), model.pageCount());
        QCOMPARE(PageModel::linesOf(preview.pages().page(57)), model.pageLines(57));
        QCOMPARE(preview.findChild<QLabel*>(QStringLiteral("pageCountLabel"))->text().trimmed(),
                 QStringLiteral("z %1").arg(model.pageCount()));
        QVERIFY(preview.findChild<QAction*>(QStringLiteral("printAction"))->isEnabled());
        QVERIFY(!preview.findChild<QWidget*>(QStringLiteral("layoutBar"))->isVisible());
        preview.find(QStringLiteral("K/03999"));
        QCOMPARE(preview.matchCount(), 1);
        QCOMPARE(preview.currentPage(), model.find(QStringLiteral("K/03999")).first().page);
    }

    void closingTheWindowStopsTheLayout()
    {
        ReportTemplate report;
        QVERIFY(report.loadText(sampleWithoutPageCount(), QStringLiteral("przyklad.frf"), QString()));
        ReportPreview preview;
        preview.show();
        PageHook data;
        SampleReport::fill(data, {4000});
        data.onPage = [&](int page) {
            if (page == 5)
                QTest::keyClick(&preview, Qt::Key_Escape);
        };
        ReportEngine engine(report, data);
        QVERIFY(!preview.layOut(engine));
        QVERIFY(engine.cancelled());
        QVERIFY(!preview.isVisible());
        QCOMPARE(preview.pageCount(), 5);
    }

    // A report that prints its page count counts its pages first; the
    // window answers meanwhile and "Anuluj" stops the count too.
    void theCountingPassCanBeStopped()
    {
        ReportTemplate report;
        QVERIFY(report.load(SampleReport::templatePath()));
        QVERIFY(report.usesPageCount);
        ReportPreview preview;
        preview.show();
        PageHook data;
        SampleReport::fill(data, {4000});
        bool counting = false;
        data.onPage = [&](int page) {
            if (page != 20)
                return;
            counting = preview.pageCount() == 0 && preview.isLayingOut();
            preview.cancelLayout();
        };
        ReportEngine engine(report, data);
        QVERIFY(!preview.layOut(engine));
        QVERIFY(engine.cancelled());
        QVERIFY(counting);
        QCOMPARE(data.pagesBegun(), 20);
    }
};

QTEST_MAIN(TestReportPreview)
#include "test_reportpreview.moc"
