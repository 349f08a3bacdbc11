#include "SampleReport.h"

#include "renderer/MemoryDataProvider.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportTemplate.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>

namespace {
struct Found
{
    int page;
    const PageItem* item;
};

// Text lines of the whole report in page order, top to bottom.
QList<Found> texts(const PageModel& model)
{
    QList<Found> out;
    for (int p = 0; p < model.pageCount(); ++p) {
        QList<const PageItem*> items;
        for (const PageItem& item : model.pages.at(p).items) {
            if (item.kind == PageItem::Kind::Text)
                items.append(&item);
        }
        std::stable_sort(items.begin(), items.end(), [](const PageItem* a, const PageItem* b) {
            return qAbs(a->rect.top() - b->rect.top()) > 0.01 ? a->rect.top() < b->rect.top()
                                                              : a->rect.left() < b->rect.left();
        });
        for (const PageItem* item : items)
            out.append({p, item});
    }
    return out;
}

QList<Found> matching(const PageModel& model, const QString& pattern)
{
    const QRegularExpression re(pattern);
    QList<Found> out;
    for (const Found& f : texts(model)) {
        if (re.match(f.item->text).hasMatch())
            out.append(f);
    }
    return out;
}

// A template around one band body, for the small cases.
QByteArray wrapTemplate(const QString& blocks)
{
    return (QStringLiteral("<report><page size=\"A4\" marginLeft=\"10\" marginTop=\"10\" marginRight=\"10\" "
                           "marginBottom=\"10\"/>") +
            blocks + QStringLiteral("</report>"))
        .toUtf8();
}
} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT

private:
    PageModel runSample(MemoryDataProvider& data, bool* ok = nullptr)
    {
        ReportTemplate report;
        const bool loaded = report.load(SampleReport::templatePath());
        if (!loaded)
            qWarning() << report.errorString();
        PageModel model;
        ReportEngine engine(report, data);
        const bool ran = loaded && engine.run(model);
        if (!ran)
            qWarning() << engine.errorString();
        if (ok)
            *ok = ran;
        return model;
    }

    PageModel runText(const QString& blocks, ReportDataProvider& data, QString* error = nullptr)
    {
        ReportTemplate report;
        PageModel model;
        if (!report.loadText(wrapTemplate(blocks), QStringLiteral("test.frf"), QDir::tempPath())) {
            if (error)
                *error = report.errorString();
            return model;
        }
        ReportEngine engine(report, data);
        if (!engine.run(model) && error)
            *error = engine.errorString();
        return model;
    }

private slots:
    void sampleReportBreaksPagesWithHeadersAndTotals()
    {
        const QList<int> perLocation{40, 3, 75, 1, 60, 12, 90, 30};
        MemoryDataProvider data;
        SampleReport::fill(data, perLocation);
        data.setRecordAsked(true);
        bool ok = false;
        const PageModel model = runSample(data, &ok);
        QVERIFY(ok);
        QVERIFY(model.pageCount() > 5);
        const double paperHeight = model.paperSize.height();
        QCOMPARE(data.pagesBegun(), model.pageCount());

        // Every row once, in order, with all its cells on one page.
        const QList<Found> numbers = matching(model, QStringLiteral("^K/\\d{5}$"));
        int total = 0;
        for (int n : perLocation)
            total += n;
        QCOMPARE(numbers.size(), total);
        for (int i = 0; i < numbers.size(); ++i) {
            QCOMPARE(numbers.at(i).item->text, QStringLiteral("K/%1").arg(i + 1, 5, 10, QLatin1Char('0')));
            const QString net = SampleReport::amount(SampleReport::netOf(i + 1));
            bool sameLine = false;
            for (const PageItem& item : model.pages.at(numbers.at(i).page).items)
                sameLine |= item.text == net && qAbs(item.rect.top() - numbers.at(i).item->rect.top()) < 0.01;
            QVERIFY2(sameLine, qPrintable(net));
        }
        // NETTO was asked once per printed row, so the sums count each row once.
        QCOMPARE(data.askedNames().count(QStringLiteral("NETTO")), total);

        for (int p = 0; p < model.pageCount(); ++p) {
            const QStringList lines = model.pageLines(p);
            // Page header with the page count, page footer with the provider's counter.
            QVERIFY(lines.contains(QStringLiteral("Strona %1 z %2").arg(p + 1).arg(model.pageCount())));
            QVERIFY(lines.contains(QStringLiteral("Strona %1").arg(p + 1)));
            for (const PageItem& item : model.pages.at(p).items)
                QVERIFY(item.rect.bottom() <= paperHeight - 10 + 0.01 && item.rect.top() >= 10 - 0.01);
            // Column headers above the first row of every page that has rows.
            const int firstRow = int(lines.indexOf(QRegularExpression(QStringLiteral("^K/\\d{5}$"))));
            if (firstRow >= 0) {
                const int header = int(lines.indexOf(QStringLiteral("Nr ewid.")));
                QVERIFY2(header >= 0 && header < firstRow, qPrintable(QString::number(p)));
            }
        }
        QCOMPARE(matching(model, QStringLiteral("^Wyposażenie wg lokalizacji$")).first().page, 0);

        // A location title never ends a page: its first computer follows on the same page.
        const QList<Found> all = texts(model);
        for (int i = 0; i < all.size(); ++i) {
            if (!all.at(i).item->text.startsWith(QStringLiteral("Lokalizacja: ")))
                continue;
            int j = i + 1;
            while (j < all.size() && !all.at(j).item->text.startsWith(QStringLiteral("K/")))
                ++j;
            QVERIFY(j < all.size());
            QCOMPARE(all.at(j).page, all.at(i).page);
        }

        // Group totals after each location, the grand total in the summary.
        const QList<Found> groupTotals = matching(model, QStringLiteral("^Razem lokalizacja"));
        QCOMPARE(groupTotals.size(), perLocation.size());
        int n = 0;
        qint64 grand = 0;
        for (int l = 0; l < perLocation.size(); ++l) {
            qint64 sum = 0;
            for (int c = 0; c < perLocation.at(l); ++c)
                sum += SampleReport::netOf(++n);
            grand += sum;
            const Found& label = groupTotals.at(l);
            QVERIFY(label.item->text.contains(QStringLiteral("Pokój %1 – piętro ł").arg(l + 1)));
            bool found = false;
            for (const PageItem& item : model.pages.at(label.page).items)
                found |= item.text == SampleReport::amount(sum) &&
                         qAbs(item.rect.top() - label.item->rect.top()) < 1;
            QVERIFY2(found, qPrintable(SampleReport::amount(sum)));
        }
        const QStringList last = model.pageLines(model.pageCount() - 1);
        QVERIFY(last.contains(QStringLiteral("Razem wszystkie lokalizacje:")));
        QVERIFY(last.contains(SampleReport::amount(grand)));
        QVERIFY(last.contains(QStringLiteral("Wystawił")));
    }

    void emptySources_data()
    {
        QTest::addColumn<QList<int>>("perLocation");
        QTest::addColumn<int>("locationLines");
        QTest::newRow("no locations") << QList<int>{} << 0;
        QTest::newRow("locations without computers") << QList<int>{0, 0} << 2;
    }
    void emptySources()
    {
        QFETCH(QList<int>, perLocation);
        QFETCH(int, locationLines);
        MemoryDataProvider data;
        SampleReport::fill(data, perLocation);
        bool ok = false;
        const PageModel model = runSample(data, &ok);
        QVERIFY(ok);
        QCOMPARE(model.pageCount(), 1);
        const QStringList lines = model.pageLines(0);
        QCOMPARE(lines.filter(QStringLiteral("Lokalizacja: ")).size(), locationLines);
        // A detail without rows prints neither its column header nor its footer.
        QVERIFY(!lines.contains(QStringLiteral("Nr ewid.")));
        QVERIFY(lines.filter(QStringLiteral("Razem lokalizacja")).isEmpty());
        QVERIFY(lines.contains(QStringLiteral("Razem wszystkie lokalizacje:")));
        QVERIFY(lines.contains(QStringLiteral("0.00")));
        QVERIFY(lines.contains(QStringLiteral("Strona 1 z 1")));
    }

    void unknownNameIsEmptyAndLiteralTextStays()
    {
        MemoryDataProvider data;
        data.setVariable(QStringLiteral("A"), QStringLiteral("ą"));
        const PageModel model =
            runText(QStringLiteral("<band type=\"title\" height=\"10\"><text x=\"0\" y=\"0\" "
                                   "width=\"150\" height=\"5\">x[A]y[NIKT] [[z]</text></band>"),
                    data);
        QCOMPARE(model.pageLines(0), QStringList{QStringLiteral("xąy [z]")});
    }

    void lineBreaksInValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("cr") << QStringLiteral("jeden\rdwa\rtrzy");
        QTest::newRow("crlf") << QStringLiteral("jeden\r\ndwa\r\ntrzy");
        QTest::newRow("lf") << QStringLiteral("jeden\ndwa\ntrzy");
    }
    void lineBreaksInValues()
    {
        QFETCH(QString, value);
        MemoryDataProvider data;
        data.setVariable(QStringLiteral("V"), value);
        const PageModel model =
            runText(QStringLiteral(
                        "<band type=\"title\" height=\"5\"><text x=\"0\" y=\"0\" width=\"150\" height=\"5\" "
                        "stretch=\"true\">[V]</text></band>"
                        "<band type=\"summary\" height=\"5\"><text x=\"0\" y=\"0\" width=\"50\" "
                        "height=\"5\">koniec</text></band>"),
                    data);
        const QList<Found> lines = texts(model);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0).item->text, QStringLiteral("jeden"));
        QCOMPARE(lines.at(2).item->text, QStringLiteral("trzy"));
        // The stretched band pushes what follows below its third line.
        QVERIFY(lines.at(3).item->rect.top() >= lines.at(2).item->rect.bottom() - 0.01);
        QVERIFY(lines.at(1).item->rect.top() > lines.at(0).item->rect.top());
    }

    void stretchedCellGrowsItsRow()
    {
        MemoryDataProvider data;
        const QString longName = QStringLiteral("bardzo długa nazwa ").repeated(12).trimmed();
        data.addSource(QStringLiteral("S"), {QStringLiteral("A"), QStringLiteral("B")},
                       {{QStringLiteral("1"), longName}, {QStringLiteral("2"), QStringLiteral("krótka")}});
        const PageModel model = runText(
            QStringLiteral(
                "<data source=\"S\"><band type=\"row\" height=\"5\">"
                "<text x=\"0\" y=\"0\" width=\"20\" height=\"5\" border=\"all\" stretch=\"true\">[A]</text>"
                "<text x=\"20\" y=\"0\" width=\"40\" height=\"5\" border=\"all\" stretch=\"true\">[B]</text>"
                "<text x=\"60\" y=\"0\" width=\"40\" height=\"5\">[B]</text>"
                "</band></data>"),
            data);
        QCOMPARE(model.pageCount(), 1);
        const QList<Found> two = matching(model, QStringLiteral("^2$"));
        QCOMPARE(two.size(), 1);
        const QList<Found> wrapped = matching(model, QStringLiteral("^bardzo"));
        // Wrapped in the stretching cell and in the fixed one alike: nothing is cut.
        QVERIFY(wrapped.size() > 3);
        QCOMPARE(wrapped.size() % 2, 0);
        QCOMPARE(matching(model, QStringLiteral("…$")).size(), 0);
        const double bottomOfFirstRow = wrapped.last().item->rect.bottom();
        QVERIFY(two.first().item->rect.top() > bottomOfFirstRow);
        // Both stretching cells' frames reach the same bottom.
        QList<double> leftEdges;
        for (const PageItem& item : model.pages.at(0).items) {
            if (item.kind == PageItem::Kind::Line && qAbs(item.p1.x() - item.p2.x()) < 0.01 &&
                item.p1.y() < 11)
                leftEdges.append(qMax(item.p1.y(), item.p2.y()));
        }
        QVERIFY(leftEdges.size() >= 3);
        for (double bottom : leftEdges)
            QCOMPARE(qRound(bottom * 100), qRound(leftEdges.first() * 100));
        QVERIFY(leftEdges.first() > 20);
    }

    void hugeValuesStayFiniteAndReadable_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<bool>("spread");
        QString text;
        for (int i = 0; text.size() < 10000; ++i)
            text += QStringLiteral("źdźbło%1 ").arg(i);
        QTest::newRow("10000 characters stretched") << text << true << true;
        QTest::newRow("10000 characters fixed height") << text << false << true;
        QTest::newRow("one 10000-character word") << QString(10000, QChar(u'ż')) << true << true;
        QStringList lines;
        for (int i = 0; i < 400; ++i)
            lines.append(QStringLiteral("wiersz %1").arg(i));
        QTest::newRow("row taller than a page") << lines.join(QLatin1Char('\r')) << true << true;
    }
    void hugeValuesStayFiniteAndReadable()
    {
        QFETCH(QString, value);
        QFETCH(bool, stretch);
        QFETCH(bool, spread);
        MemoryDataProvider data;
        data.addSource(QStringLiteral("S"), {QStringLiteral("V"), QStringLiteral("N")},
                       {{QStringLiteral("przed"), QStringLiteral("1")},
                        {value, QStringLiteral("2")},
                        {QStringLiteral("po"), QStringLiteral("3")}});
        QString error;
        const PageModel model = runText(
            QStringLiteral(
                "<band type=\"pageHeader\" height=\"6\"><text x=\"0\" y=\"0\" width=\"50\" height=\"5\">"
                "nagłówek</text></band><data source=\"S\"><band type=\"row\" height=\"5\">"
                "<text x=\"0\" y=\"0\" width=\"10\" height=\"5\" border=\"all\" stretch=\"true\">[N]</text>"
                "<text x=\"10\" y=\"0\" width=\"150\" height=\"5\" border=\"all\" stretch=\"%1\">[V]</text>"
                "</band></data><band type=\"pageFooter\" height=\"6\"><text x=\"0\" y=\"0\" width=\"50\" "
                "height=\"5\">stopka</text></band>")
                .arg(stretch ? QStringLiteral("true") : QStringLiteral("false")),
            data, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(model.pageCount() > 1, spread);
        QVERIFY(model.pageCount() < 20);
        const double bodyBottom = model.paperSize.height() - 10 - 6;
        QString printed;
        for (int p = 0; p < model.pageCount(); ++p) {
            QVERIFY(model.pageLines(p).contains(QStringLiteral("nagłówek")));
            QVERIFY(model.pageLines(p).contains(QStringLiteral("stopka")));
            for (const PageItem& item : model.pages.at(p).items) {
                if (item.text != QLatin1String("stopka"))
                    QVERIFY(item.rect.bottom() <= bodyBottom + 0.01);
                QVERIFY(item.rect.right() <= model.paperSize.width() - 10 + 0.01);
                if (item.kind == PageItem::Kind::Text && item.rect.left() > 19 &&
                    item.text != QLatin1String("przed") && item.text != QLatin1String("po"))
                    printed += item.text + QLatin1Char(' ');
            }
        }
        QVERIFY(model.pageLines(0).contains(QStringLiteral("przed")));
        QVERIFY(model.pageLines(model.pageCount() - 1).contains(QStringLiteral("po")));
        auto squeeze = [](QString s) { return s.remove(QRegularExpression(QStringLiteral("\\s"))); };
        // Every character printed, in order, whether the box stretches or not.
        QCOMPARE(squeeze(printed), squeeze(value));
    }

    void pageNumbersAndRowNumbers()
    {
        MemoryDataProvider data;
        QList<QStringList> rows;
        for (int i = 0; i < 150; ++i)
            rows.append({QStringLiteral("w%1").arg(i)});
        data.addSource(QStringLiteral("S"), {QStringLiteral("V")}, rows);
        const PageModel model = runText(
            QStringLiteral(
                "<data source=\"S\"><band type=\"row\" height=\"5\"><text x=\"0\" y=\"0\" width=\"50\" "
                "height=\"5\">[#ROW]:[V]</text></band><band type=\"footer\" height=\"5\"><text x=\"0\" "
                "y=\"0\" width=\"50\" height=\"5\">razem [#ROW]</text></band></data>"
                "<band type=\"pageFooter\" height=\"5\" onFirstPage=\"false\"><text x=\"0\" y=\"0\" "
                "width=\"80\" height=\"5\" align=\"right\">[#PAGE]/[#PAGES]</text></band>"),
            data);
        QCOMPARE(model.pageCount(), 3);
        QVERIFY(!model.pageLines(0).contains(QStringLiteral("1/3")));
        QVERIFY(model.pageLines(1).contains(QStringLiteral("2/3")));
        QVERIFY(model.pageLines(2).contains(QStringLiteral("3/3")));
        QCOMPARE(model.pageLines(0).first(), QStringLiteral("1:w0"));
        QVERIFY(model.pageLines(2).contains(QStringLiteral("150:w149")));
        QVERIFY(model.pageLines(2).contains(QStringLiteral("razem 150")));
    }

    void blankBandsCanBeLeftOut()
    {
        MemoryDataProvider data;
        data.addSource(QStringLiteral("S"), {QStringLiteral("V")},
                       {{QStringLiteral("a")}, {QString()}, {QStringLiteral("c")}});
        const PageModel model = runText(
            QStringLiteral("<data source=\"S\"><band type=\"row\" height=\"5\" skipWhenBlank=\"true\">"
                           "<text x=\"0\" y=\"0\" width=\"50\" height=\"5\">- [V]</text></band></data>"),
            data);
        const QList<Found> lines = texts(model);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(1).item->rect.top() - lines.at(0).item->rect.top(), 5.0);
    }

    // A form band: a long text pushes everything below it down, the cells of
    // a table row keep one height, a frame grows around what it holds, and
    // the band continues on the next page when it no longer fits.
    void growingTextPushesTheFormDown()
    {
        MemoryDataProvider data;
        QStringList body;
        for (int i = 1; i <= 90; ++i)
            body << QStringLiteral("punkt %1 treści dokumentu").arg(i);
        data.setVariable(QStringLiteral("TRESC"), body.join(QLatin1Char('\r')));
        data.setVariable(QStringLiteral("WARTOSC"),
                         QStringLiteral("wartość, która nie mieści się w jednym wierszu"));
        const PageModel model = runText(
            QStringLiteral("<band type=\"summary\" height=\"60\">"
                           "<text x=\"0\" y=\"0\" width=\"150\" height=\"10\">[TRESC]</text>"
                           "<frame x=\"0\" y=\"12\" width=\"150\" height=\"14\"/>"
                           "<text x=\"1\" y=\"13\" width=\"40\" height=\"6\" border=\"all\">Etykieta</text>"
                           "<text x=\"41\" y=\"13\" width=\"20\" height=\"6\" border=\"all\">[WARTOSC]</text>"
                           "<text x=\"1\" y=\"19\" width=\"40\" height=\"6\">pod spodem</text>"
                           "<line x1=\"0\" y1=\"40\" x2=\"60\" y2=\"40\"/>"
                           "<text x=\"0\" y=\"41\" width=\"60\" height=\"5\">Podpis</text>"
                           "</band>"),
            data);
        QVERIFY(model.pageCount() >= 2);
        const QList<Found> all = texts(model);
        // Every line of the body, then the table, then what lies below it, in this order.
        int at = 0;
        for (const QString& line : body) {
            while (at < all.size() && all.at(at).item->text != line)
                ++at;
            QVERIFY2(at < all.size(), qPrintable(line));
        }
        const Found label = matching(model, QStringLiteral("^Etykieta$")).first();
        const Found under = matching(model, QStringLiteral("^pod spodem$")).first();
        const Found sign = matching(model, QStringLiteral("^Podpis$")).first();
        const Found last = matching(model, QStringLiteral("^punkt 90 ")).first();
        QCOMPARE(label.page, last.page);
        QVERIFY(label.item->rect.top() > last.item->rect.bottom() - 0.01);
        // The value wraps; its label's cell grows with it, so the next row starts below both.
        const QList<Found> value =
            matching(model, QStringLiteral("^(wartość|która|nie|mieści|się|w|jednym|wierszu)"));
        QVERIFY(value.size() >= 3);
        QVERIFY(under.item->rect.top() >= value.last().item->rect.bottom() - 0.01);
        QVERIFY(sign.item->rect.top() > under.item->rect.bottom());
        QCOMPARE(matching(model, QStringLiteral("…$")).size(), 0);
        const Page& page = model.pages.at(label.page);
        double labelBottom = 0, valueBottom = 0, frameBottom = 0;
        for (const PageItem& item : page.items) {
            if (item.kind == PageItem::Kind::Line && qAbs(item.p1.x() - (10 + 1)) < 0.01 &&
                item.rect.height() > 1)
                labelBottom = item.rect.bottom();
            if (item.kind == PageItem::Kind::Line && qAbs(item.p1.x() - (10 + 61)) < 0.01)
                valueBottom = item.rect.bottom();
            if (item.kind == PageItem::Kind::Frame)
                frameBottom = item.rect.bottom();
        }
        QVERIFY(valueBottom > 0);
        QCOMPARE(qRound(labelBottom * 100), qRound(valueBottom * 100));
        QVERIFY(frameBottom >= under.item->rect.bottom() - 0.01);
    }

    void pageFooterTakesTheRoomItNeeds()
    {
        MemoryDataProvider data;
        QList<QStringList> rows;
        for (int i = 0; i < 200; ++i)
            rows.append({QStringLiteral("w%1").arg(i)});
        data.addSource(QStringLiteral("S"), {QStringLiteral("V")}, rows);
        data.setVariable(QStringLiteral("FIRMA"), QStringLiteral("Firma\rul. Długa 1\r00-001 Miasto"));
        const PageModel model = runText(
            QStringLiteral(
                "<data source=\"S\"><band type=\"row\" height=\"5\"><text x=\"0\" y=\"0\" width=\"50\" "
                "height=\"5\">[V]</text></band></data><band type=\"pageFooter\" height=\"5\"><text "
                "x=\"0\" y=\"0\" width=\"80\" height=\"5\">[FIRMA]</text></band>"),
            data);
        QVERIFY(model.pageCount() > 1);
        for (int p = 0; p < model.pageCount(); ++p) {
            double lowestRow = 0, footerTop = 1000;
            for (const PageItem& item : model.pages.at(p).items) {
                if (item.text.startsWith(QLatin1Char('w')))
                    lowestRow = qMax(lowestRow, item.rect.bottom());
                if (item.text == QLatin1String("Firma"))
                    footerTop = item.rect.top();
            }
            QVERIFY(lowestRow <= footerTop);
            QVERIFY(model.pageLines(p).contains(QStringLiteral("00-001 Miasto")));
        }
    }
};

QTEST_MAIN(TestReportLayout)
#include "test_reportlayout.moc"
