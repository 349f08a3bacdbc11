#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "renderer/PagePainter.h"
#include "renderer/ReportPreview.h"
#include "reports/LabelCommands.h"
#include "reports/LabelLayout.h"
#include "reports/LabelSheet.h"
#include "shell/MainCommands.h"
#include "store/AppState.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr double kDpi = 300;
constexpr double kPxPerMm = kDpi / 25.4;

// What zbarimg reads from a picture; empty when it finds no code.
QString decode(const QString& png)
{
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), png});
    if (!zbar.waitForFinished(30000))
        return QStringLiteral("<zbarimg hung>");
    QString text = QString::fromUtf8(zbar.readAllStandardOutput());
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

// A label cut out of a page image (pixels at kDpi) and read.
QString decodeLabel(const QImage& page, const QRectF& labelMm, const QString& file)
{
    const QRect px(int(labelMm.left() * kPxPerMm), int(labelMm.top() * kPxPerMm),
                   int(labelMm.width() * kPxPerMm), int(labelMm.height() * kPxPerMm));
    if (!page.copy(px).save(file))
        return QStringLiteral("<not saved>");
    return decode(file);
}

QImage paintPage(const LabelSheet& sheet, int index)
{
    const QSizeF paper = sheet.format().paperSize;
    QImage image(int(paper.width() * kPxPerMm), int(paper.height() * kPxPerMm), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(kDpi / 0.0254));
    image.setDotsPerMeterY(int(kDpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    PagePainter::paint(painter, sheet.page(index), kPxPerMm);
    return image;
}

QList<LabelRow> rowsOf(const QStringList& numbers)
{
    QList<LabelRow> rows;
    for (const QString& n : numbers)
        rows.append({n, QStringLiteral("Zestaw komputerowy stanowiska księgowości nr ") + n});
    return rows;
}
} // namespace

// Asset labels: where they sit on the sheets, that what is printed scans back
// to the inventory number, and the command with its dialog in the main window.
class TestLabels : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    QTemporaryDir m_tmp;

    void open(bool sample)
    {
        m_database = std::make_unique<TestDatabase>(sample);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
    }
    void loginWith(TfMain& main, std::initializer_list<int> rights)
    {
        Rights r{};
        for (int n : rights)
            r[size_t(n)] = true;
        AppState::instance().currentUser = QStringLiteral("TEST");
        AppState::instance().rights = r;
        main.applyRights(r);
    }
    void exec(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.execSQL();
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
            QSKIP("zbarimg (zbar-tools) is not installed");
    }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        AppState::instance().logout();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void layoutPlacesLabels_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        for (const LabelLayout& l : LabelLayout::all())
            QTest::newRow(qPrintable(l.caption)) << int(l.kind) << l.columns << l.rows;
    }
    void layoutPlacesLabels()
    {
        QFETCH(int, kind);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const LabelLayout& l = LabelLayout::of(kind);
        const int n = columns * rows;
        QCOMPARE(l.perSheet(), n);
        // The labels lie on the paper, centred, row by row without overlapping.
        const QRectF paper(QPointF(0, 0), l.page);
        QRectF all;
        for (int i = 0; i < n; ++i) {
            const LabelLayout::Place p = l.place(i, 1);
            QCOMPARE(p.page, 0);
            QVERIFY(paper.contains(p.rect));
            all |= p.rect;
            if (i > 0)
                QVERIFY(!p.rect.intersects(l.place(i - 1, 1).rect.adjusted(0.01, 0.01, -0.01, -0.01)));
        }
        QVERIFY(qAbs(all.center().x() - paper.center().x()) < 0.01);
        QVERIFY(qAbs(all.center().y() - paper.center().y()) < 0.01);
        if (n > 1) {
            QCOMPARE(l.place(1, 1).rect.top(), l.place(0, 1).rect.top());
            QVERIFY(l.place(columns, 1).rect.top() > l.place(0, 1).rect.top());
        }

        // Offset 1 and the last place; beyond the sheet and below 1 are brought back.
        QCOMPARE(l.place(0, n).rect, l.place(n - 1, 1).rect);
        QCOMPARE(l.place(1, n).page, 1);
        QCOMPARE(l.place(1, n).rect, l.place(0, 1).rect);
        QCOMPARE(l.place(0, n + 5).rect, l.place(0, n).rect);
        QCOMPARE(l.place(0, 0).rect, l.place(0, 1).rect);

        // Counts: none, one page exactly full, one more, and a sheet used in part.
        QCOMPARE(l.pageCount(0, 1), 0);
        QCOMPARE(l.pageCount(0, n), 0);
        QCOMPARE(l.pageCount(n, 1), 1);
        QCOMPARE(l.pageCount(n + 1, 1), 2);
        QCOMPARE(l.pageCount(1, n), 1);
        QCOMPARE(l.pageCount(2, n), 2);
        const int count = 2 * n + 3;
        for (int offset : {1, 2, n}) {
            int sum = 0;
            for (int page = 0; page < l.pageCount(count, offset); ++page) {
                const int first = l.firstIndexOn(page, offset);
                QCOMPARE(first, sum);
                QCOMPARE(l.place(first, offset).page, page);
                sum += l.countOn(page, count, offset);
            }
            QCOMPARE(sum, count);
            QCOMPARE(l.countOn(0, count, offset), n - (l.firstPlace(offset) - 1));
        }
    }

    void printedCodesScanBack_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QStringList>("numbers");
        const QStringList plain = {QStringLiteral("KOMP/001"), QStringLiteral("SPRZ 12-A"),
                                   QStringLiteral("2024/07/0815"), QStringLiteral("BHP-KASK 3"),
                                   QStringLiteral("a.b_c+d%e$f")};
        const QStringList polish = {QStringLiteral("K/2023/ÉLITE"), QStringLiteral("ŁÓDŹ/Ś-1"),
                                    QStringLiteral("zażółć gęślą 7"), QStringLiteral("KOMP/001"),
                                    QStringLiteral("Wrocław/Dział Kadr 12")};
        for (const LabelLayout& l : LabelLayout::all()) {
            QTest::newRow(qPrintable(l.caption + QStringLiteral(" Code 128")))
                << int(l.kind) << int(BarcodeImage::Symbology::Code128) << plain;
            QTest::newRow(qPrintable(l.caption + QStringLiteral(" QR")))
                << int(l.kind) << int(BarcodeImage::Symbology::Qr) << plain + polish;
        }
    }
    void printedCodesScanBack()
    {
        QFETCH(int, kind);
        QFETCH(int, symbology);
        QFETCH(QStringList, numbers);
        // The second place of the sheet: labels go on where an earlier print stopped.
        LabelSheet sheet(rowsOf(numbers), QStringLiteral("Przedsiębiorstwo Usługowe „Sprzęt” Sp. z o.o."),
                         LabelLayout::of(kind), BarcodeImage::Symbology(symbology), 2);
        QVERIFY(LabelSheet::refusal(sheet.rows(), BarcodeImage::Symbology(symbology)).isEmpty());
        int page = -1;
        QImage image;
        for (int i = 0; i < numbers.size(); ++i) {
            const LabelLayout::Place place = sheet.placeOf(i);
            if (place.page != page) {
                page = place.page;
                image = paintPage(sheet, page);
            }
            const QString file = m_tmp.filePath(QStringLiteral("label%1.png").arg(i));
            QCOMPARE(decodeLabel(image, place.rect, file), numbers.at(i));
        }
    }

    void code128RefusesLettersBeyondLatin1()
    {
        const QString refused =
            LabelSheet::refusal(rowsOf({QStringLiteral("KOMP/1"), QStringLiteral("Wrocław/3")}),
                                BarcodeImage::Symbology::Code128);
        QVERIFY2(refused.contains(QStringLiteral("„Wrocław/3”")), qPrintable(refused));
        QVERIFY(refused.contains(QStringLiteral("Code 128")));
        QVERIFY(refused.contains(QStringLiteral("kod QR")));
        QVERIFY(LabelSheet::refusal(rowsOf({QStringLiteral("Wrocław/3")}), BarcodeImage::Symbology::Qr)
                    .isEmpty());
        // Latin-1 letters go through a shift that scanners misread ("É" as "I"): refused too.
        QVERIFY(LabelSheet::refusal(rowsOf({QStringLiteral("ÉLITE")}), BarcodeImage::Symbology::Code128)
                    .contains(QStringLiteral("„É”")));
        QVERIFY(!LabelSheet::refusal(rowsOf({QStringLiteral("  ")}), BarcodeImage::Symbology::Qr).isEmpty());
        BarcodeImage code;
        QString error;
        QVERIFY(!code.encode(BarcodeImage::Symbology::Code128, QStringLiteral("ł"), &error));
        QVERIFY(error.contains(QStringLiteral("„ł”")));
    }

    void rollIsOneLabelPerPage()
    {
        LabelSheet sheet(rowsOf({QStringLiteral("A-1"), QStringLiteral("A-2"), QStringLiteral("A-3")}), {},
                         LabelLayout::of(LabelLayout::Roll62), BarcodeImage::Symbology::Code128, 7);
        QCOMPARE(sheet.firstPlace(), 1);
        QCOMPARE(sheet.pageCount(), 3);
        QCOMPARE(sheet.format().paperSize, QSizeF(62, 29));
        QCOMPARE(sheet.format().pageSize.size(QPageSize::Millimeter), QSizeF(62, 29));
        QCOMPARE(sheet.placeOf(2).page, 2);
        QVERIFY(sheet.page(3).items.isEmpty());
        // The PDF's pages are the label's size, not A4 turned or cut.
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            return;
        const QString pdf = m_tmp.filePath(QStringLiteral("rolka.pdf"));
        QString error;
        QVERIFY2(PagePainter::writePdf(sheet, pdf, &error), qPrintable(error));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        const QString out = QString::fromUtf8(info.readAllStandardOutput());
        // 62 × 29 mm is 175.7 × 82.2 points; the PDF writer keeps whole points.
        QVERIFY2(out.contains(QRegularExpression(QStringLiteral("Pages: +3\\n"))), qPrintable(out));
        QVERIFY2(out.contains(QRegularExpression(
                     QStringLiteral("Page size: +17[56](\\.\\d+)? x 8[23](\\.\\d+)? pts"))),
                 qPrintable(out));
    }

    // The sample database's computers, printed to PDF from the preview as a user
    // does, and read back from the PDF's pictures at 300 dpi.
    void sampleComputersScanBackFromPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        open(true);
        TfMain main;
        MainCommands commands(main, *m_db);
        loginWith(main, {1});
        main.SBKomputeryClick();
        QAction* menu = main.action(QStringLiteral("MDrukujEtykiety"));
        QVERIFY(menu->isEnabled());
        const Statement& list = m_db->statement(QStringLiteral("DBFKomputery"));
        QStringList numbers;
        for (int row = 0; row < list.recordCount(); ++row)
            numbers << list.textAt(row, list.fieldIndex(QStringLiteral("NREWID")));
        QVERIFY(numbers.size() > 8);

        const QString pdf = m_tmp.filePath(QStringLiteral("etykiety.pdf"));
        int pages = 0;
        ModalScript script;
        script.add(QStringLiteral("TfEtykiety"), [](QWidget* w) {
            w->findChild<QRadioButton*>(QStringLiteral("rbWszystkie"))->click();
            w->findChild<QComboBox*>(QStringLiteral("cbUklad"))->setCurrentIndex(LabelLayout::A4_3x8);
            w->findChild<QComboBox*>(QStringLiteral("cbKod"))->setCurrentIndex(0);
            w->findChild<QSpinBox*>(QStringLiteral("fPierwsza"))->setValue(20);
            w->findChild<QPushButton*>(QStringLiteral("SBPodglad"))->click();
        });
        script.add(QStringLiteral("ReportPreview"), [&](QWidget* w) {
            auto* preview = static_cast<ReportPreview*>(w);
            pages = preview->pageCount();
            QString error;
            QVERIFY2(preview->savePdf(pdf, &error), qPrintable(error));
            preview->reject();
        });
        menu->trigger();
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(pages, LabelLayout::of(LabelLayout::A4_3x8).pageCount(int(numbers.size()), 20));

        QProcess ppm;
        ppm.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"), pdf,
                   m_tmp.filePath(QStringLiteral("strona"))});
        QVERIFY(ppm.waitForFinished(60000));
        QCOMPARE(ppm.exitCode(), 0);
        QStringList images =
            QDir(m_tmp.path()).entryList({QStringLiteral("strona*.png")}, QDir::Files, QDir::Name);
        QCOMPARE(images.size(), pages);
        const LabelLayout& layout = LabelLayout::of(LabelLayout::A4_3x8);
        QImage image;
        int shown = -1;
        for (int i = 0; i < numbers.size(); ++i) {
            const LabelLayout::Place place = layout.place(i, 20);
            if (place.page != shown) {
                shown = place.page;
                QVERIFY(image.load(m_tmp.filePath(images.at(shown))));
                QCOMPARE(image.width(), qRound(210 * kPxPerMm));
            }
            QCOMPARE(decodeLabel(image, place.rect, m_tmp.filePath(QStringLiteral("pdf%1.png").arg(i))),
                     numbers.at(i));
        }
    }

    void commandOnlyOnAssetRegistersWithRows()
    {
        open(true);
        TfMain main;
        MainCommands commands(main, *m_db);
        loginWith(main, {1, 3, 5, 9, 24});
        QAction* menu = main.action(QStringLiteral("MDrukujEtykiety"));
        QAction* popup = main.action(QStringLiteral("PDrukujEtykiety"));
        const std::pair<void (TfMain::*)(), bool> registers[] = {
            {&TfMain::SBKomputeryClick, true},    {&TfMain::SBSprzetClick, true},
            {&TfMain::SBOdziezSrodkiClick, true}, {&TfMain::SBProgramyClick, false},
            {&TfMain::SBLicencjeClick, false},    {&TfMain::SBNaprawyClick, false},
            {&TfMain::SBZakupBhpClick, false},    {&TfMain::SBStartClick, false},
        };
        for (const auto& [enter, on] : registers) {
            (main.*enter)();
            QVERIFY2(menu->isEnabled() == on, qPrintable(main.currentPageName()));
            QCOMPARE(popup->isEnabled(), on);
        }
        // Disabled commands do nothing even when triggered.
        main.SBProgramyClick();
        popup->trigger();
        QVERIFY(!commands.labels().dialog().isVisible());
    }

    void commandFollowsEmptyList()
    {
        open(false);
        TfMain main;
        MainCommands commands(main, *m_db);
        loginWith(main, {1, 2});
        main.SBKomputeryClick();
        QAction* menu = main.action(QStringLiteral("MDrukujEtykiety"));
        QVERIFY(!menu->isEnabled());
        exec(QStringLiteral("INSERT INTO komputery (IDFIRMY,NREW,NAZWA,NREWID,ARCHIWUM) "
                            "VALUES (-1,'','Drukarka','K/1','N')"));
        main.reloadCurrent();
        QVERIFY(menu->isEnabled());
        QVERIFY(main.action(QStringLiteral("PDrukujEtykiety"))->isEnabled());
        exec(QStringLiteral("DELETE FROM komputery"));
        main.reloadCurrent();
        QVERIFY(!menu->isEnabled());
    }

    void dialogChoosesRowsSheetAndCode()
    {
        open(true);
        TfMain main;
        MainCommands commands(main, *m_db);
        loginWith(main, {5});
        main.SBSprzetClick();
        // A sort order of the user's: the labels come in the list's order.
        DataGrid* grid = main.grid(QStringLiteral("SprzetGrid"));
        const ListModel* model = main.listModel(QStringLiteral("DBFSprzet"));
        int nameColumn = -1;
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == QStringLiteral("Nazwa"))
                nameColumn = c;
        QVERIFY(nameColumn >= 0);
        main.KomputeryGridTitleClick(grid, nameColumn);
        const Statement& list = m_db->statement(QStringLiteral("DBFSprzet"));
        QStringList numbers;
        for (int row = 0; row < list.recordCount(); ++row)
            numbers << list.textAt(row, list.fieldIndex(QStringLiteral("NREWID")));
        QVERIFY(numbers.size() > 3);
        main.locateInCurrent(list.integerAt(2, list.fieldIndex(QStringLiteral("IDSPRZETU"))));

        LabelCommands& labels = commands.labels();
        QList<LabelRow> shown;
        int first = 0;
        LabelLayout::Kind kind{};
        labels.setViewer([&](std::unique_ptr<LabelSheet> sheet) {
            shown = sheet->rows();
            first = sheet->firstPlace();
            kind = sheet->layout().kind;
        });
        TfEtykiety& dialog = labels.dialog();
        bool allCaption = false, rollDisables = false, sheetEnables = false;
        ModalScript script;
        script.add(QStringLiteral("TfEtykiety"), [&](QWidget* w) {
            auto* all = w->findChild<QRadioButton*>(QStringLiteral("rbWszystkie"));
            allCaption = all->text() == QStringLiteral("Wszystkie pozycje listy (%1)").arg(numbers.size());
            auto* layout = w->findChild<QComboBox*>(QStringLiteral("cbUklad"));
            auto* first = w->findChild<QSpinBox*>(QStringLiteral("fPierwsza"));
            layout->setCurrentIndex(LabelLayout::A4_4x10);
            first->setValue(40);
            layout->setCurrentIndex(LabelLayout::Roll62);
            rollDisables = !first->isEnabled() && first->value() == 1;
            layout->setCurrentIndex(LabelLayout::A4_2x7);
            sheetEnables = first->isEnabled() && first->maximum() == 14;
            first->setValue(30); // beyond the sheet: the spin box keeps it on it
            w->findChild<QComboBox*>(QStringLiteral("cbKod"))->setCurrentIndex(1);
            all->click();
            w->findChild<QPushButton*>(QStringLiteral("SBPodglad"))->click();
        });
        main.action(QStringLiteral("PDrukujEtykiety"))->trigger();
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QVERIFY(allCaption);
        QVERIFY(rollDisables);
        QVERIFY(sheetEnables);
        QCOMPARE(kind, LabelLayout::A4_2x7);
        QCOMPARE(first, 14);
        QStringList printed;
        for (const LabelRow& r : shown)
            printed << r.number;
        QCOMPARE(printed, numbers);
        // The layout and the code are remembered for the next time.
        QCOMPARE(Config::global().number(QStringLiteral("ETYKIETY_uklad")), int(LabelLayout::A4_2x7));
        Config reread;
        reread.load();
        QCOMPARE(reread.number(QStringLiteral("ETYKIETY_kod")), 1);

        // The selected row alone, the dialog opening with the choices remembered.
        int codeShown = -1;
        ModalScript again;
        again.add(QStringLiteral("TfEtykiety"), [&](QWidget* w) {
            codeShown = w->findChild<QComboBox*>(QStringLiteral("cbKod"))->currentIndex();
            QVERIFY(w->findChild<QRadioButton*>(QStringLiteral("rbZaznaczona"))->isChecked());
            w->findChild<QPushButton*>(QStringLiteral("SBPodglad"))->click();
        });
        main.action(QStringLiteral("MDrukujEtykiety"))->trigger();
        QTRY_VERIFY(again.done());
        QCOMPARE(codeShown, 1);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().number, numbers.at(2));
        Q_UNUSED(dialog);
    }

    void noSelectedRowKeepsTheDialogOpen()
    {
        open(true);
        TfMain main;
        MainCommands commands(main, *m_db);
        loginWith(main, {24});
        main.SBOdziezSrodkiClick();
        QVERIFY(!main.locateInCurrent(999999)); // the cursor after the last row
        bool viewed = false, stayedOpen = false;
        commands.labels().setViewer([&](std::unique_ptr<LabelSheet>) { viewed = true; });
        ModalScript script;
        script.add(QStringLiteral("TfEtykiety"), [&](QWidget* w) {
            w->findChild<QPushButton*>(QStringLiteral("SBPodglad"))->click();
            stayedOpen = w->isVisible();
            w->findChild<QPushButton*>(QStringLiteral("SBAnuluj"))->click();
        });
        main.action(QStringLiteral("MDrukujEtykiety"))->trigger();
        QTRY_VERIFY(script.done());
        QVERIFY(stayedOpen);
        QVERIFY(!viewed);
        QCOMPARE(Dialogs::shown().size(), 1);
        QVERIFY(Dialogs::shown().first().text.startsWith(QStringLiteral("Zaznacz pozycję")));
    }

    void code128RefusalKeepsTheDialogOpen()
    {
        open(true);
        exec(QStringLiteral("UPDATE komputery SET NREWID = 'Wrocław/1' WHERE IDKOMPUTERA = 3"));
        TfMain main;
        MainCommands commands(main, *m_db);
        loginWith(main, {1});
        main.SBKomputeryClick();
        bool viewed = false;
        commands.labels().setViewer([&](std::unique_ptr<LabelSheet>) { viewed = true; });
        bool stayedOpen = false;
        ModalScript script;
        script.add(QStringLiteral("TfEtykiety"), [&](QWidget* w) {
            w->findChild<QRadioButton*>(QStringLiteral("rbWszystkie"))->click();
            w->findChild<QComboBox*>(QStringLiteral("cbKod"))->setCurrentIndex(0);
            w->findChild<QPushButton*>(QStringLiteral("SBPodglad"))->click();
            stayedOpen = w->isVisible();
            w->findChild<QPushButton*>(QStringLiteral("SBAnuluj"))->click();
        });
        main.action(QStringLiteral("MDrukujEtykiety"))->trigger();
        QTRY_VERIFY(script.done());
        QVERIFY(stayedOpen);
        QVERIFY(!viewed);
        const QList<Dialogs::Shown> messages = Dialogs::shown();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().title, QStringLiteral("Uwaga"));
        QVERIFY(messages.first().text.contains(QStringLiteral("„Wrocław/1”")));
    }
};

QTEST_MAIN(TestLabels)
#include "test_labels.moc"
