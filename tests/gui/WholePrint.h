#pragma once

// Checks that a report prints whole: used by the report tests on the sample
// and a generated database, and by bench/check_reports on a 100,000-row one.

#include "base/Dialogs.h"
#include "renderer/PageSink.h"
#include "renderer/ReportDataProvider.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportTemplate.h"
#include "renderer/TextMeasurer.h"
#include "reports/RaportyTab.h"
#include "reports/TDMRaporty.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <functional>

namespace WholePrint {

// The statements of the "Raporty" view that print a report, by button.
inline const QStringList& statementButtons()
{
    static const QStringList buttons = {
        QStringLiteral("SBZestKomp"),        QStringLiteral("SBZestSprz"),
        QStringLiteral("SBZestOpr"),         QStringLiteral("SBZestNapraw"),
        QStringLiteral("SBZaplZdarz"),       QStringLiteral("SBWolneLic"),
        QStringLiteral("SBZestDok"),         QStringLiteral("SBZestHistoria"),
        QStringLiteral("SBZestZlecenia"),    QStringLiteral("SBZestRozliczenia"),
        QStringLiteral("SBZestPrac"),        QStringLiteral("SBZestFinKomp"),
        QStringLiteral("SBZestFinSprz"),     QStringLiteral("SBZestFinLic"),
        QStringLiteral("SBZestFinNapr"),     QStringLiteral("RapSpis"),
        QStringLiteral("SBLokWyposazenie"),  QStringLiteral("SBPracWyposazenie"),
        QStringLiteral("SBZestHistoriaBhp"), QStringLiteral("SBZestBhp"),
        QStringLiteral("SBZestPracBhp"),     QStringLiteral("SBZapotBhp"),
        QStringLiteral("SBZestZakupBhp"),    QStringLiteral("SBMagazyn"),
        QStringLiteral("SBZestZalaczniki"),  QStringLiteral("SBDormak"),
        QStringLiteral("DPDrukuj"),          QStringLiteral("DWDrukuj"),
        QStringLiteral("PLDrukuj")};
    return buttons;
}

// The widest text a numeric variable can print, or empty for a variable
// that is not a number. Amounts go up to what a double keeps to the grosz
// (14 integer digits, either decimal separator, a sign); row numbers up to
// 9,999,999; dates in either separator.
inline QString widestValue(const TextSegment& segment)
{
    static const QSet<QString> amounts = {
        QStringLiteral("NETTO"),   QStringLiteral("VAT"),        QStringLiteral("BRUTTO"),
        QStringLiteral("SNETTO"),  QStringLiteral("SVAT"),       QStringLiteral("SBRUTTO"),
        QStringLiteral("KNETTO"),  QStringLiteral("LNETTO"),     QStringLiteral("NNETTO"),
        QStringLiteral("NBRUTTO"), QStringLiteral("SUMANETTO"),  QStringLiteral("WART"),
        QStringLiteral("SWART"),   QStringLiteral("GODZINY"),    QStringLiteral("STAWKA"),
        QStringLiteral("WARTOSC"), QStringLiteral("SGODZINY"),   QStringLiteral("SWARTOSC"),
        QStringLiteral("ILOSC"),   QStringLiteral("PRZYPOMNIJ"), QStringLiteral("dNETTO"),
        QStringLiteral("dVAT"),    QStringLiteral("dBRUTTO"),    QStringLiteral("GNETTO")};
    static const QSet<QString> counters = {QStringLiteral("LP"), QStringLiteral("ALP"), QStringLiteral("SLP"),
                                           QStringLiteral("ASLP"), QStringLiteral("STRONA")};
    static const QRegularExpression date(
        QStringLiteral("^(d|K|U|S|US|L|N|A)?(DATA(ZAKUPU|PROD|OD|DO|NAPRAWY|DOK|"
                       "DODANIA|DOKUMENTU|RAPORTU)|TERMIN|DATAARCH)$"));
    if (segment.kind == TextSegment::Kind::RowNumber || segment.kind == TextSegment::Kind::PageNumber ||
        segment.kind == TextSegment::Kind::PageCount)
        return QStringLiteral("9999999");
    if (segment.kind != TextSegment::Kind::Field)
        return {};
    if (amounts.contains(segment.text))
        return QStringLiteral("-99999999999999,99");
    if (counters.contains(segment.text))
        return QStringLiteral("9999999.");
    // DATAARCH of the cost and location lists carries a caption of its own line.
    if (segment.text != QLatin1String("DATAARCH") && segment.text != QLatin1String("SDATAARCH") &&
        date.match(segment.text).hasMatch())
        return QStringLiteral("88-88-8888");
    return {};
}

// Texts of a template with a number that would not fit on one line of its
// box at its widest: "line: text (needs x mm, has y mm)".
inline QStringList numbersThatDoNotFit(const ReportTemplate& report)
{
    QStringList faults;
    TextMeasurer measurer(report.fonts);
    auto checkBand = [&](const TemplateBand* band) {
        if (!band)
            return;
        for (const TemplateObject& object : band->objects) {
            if (object.kind != TemplateObject::Kind::Text)
                continue;
            bool numeric = false;
            QString widest, written;
            for (const TextSegment& segment : object.segments) {
                const QString value = widestValue(segment);
                numeric |= !value.isEmpty();
                widest += segment.kind == TextSegment::Kind::Literal ? segment.text : value;
                written += segment.kind == TextSegment::Kind::Literal
                               ? segment.text
                               : QLatin1Char('[') + segment.text + QLatin1Char(']');
            }
            if (!numeric)
                continue;
            const double room = object.rect.width() - 2 * object.padding;
            for (const QString& variant :
                 {widest, QString(widest).replace(QLatin1Char(','), QLatin1Char('.'))}) {
                for (const QString& paragraph : variant.split(QLatin1Char('\n'))) {
                    const double needed = measurer.width(object.fontIndex, paragraph);
                    if (needed > room + 0.001) {
                        faults << QStringLiteral("%1: %2 (potrzeba %3 mm, jest %4 mm)")
                                      .arg(object.line)
                                      .arg(written)
                                      .arg(needed, 0, 'f', 2)
                                      .arg(room, 0, 'f', 2);
                    }
                }
            }
        }
    };
    std::function<void(const DataBlock&)> checkBlock = [&](const DataBlock& block) {
        for (const TemplateBand* band :
             {block.header.get(), block.row.get(), block.rowFooter.get(), block.footer.get()})
            checkBand(band);
        for (const auto& detail : block.details)
            checkBlock(*detail);
    };
    for (const TemplateBand* band :
         {report.titleBand.get(), report.pageHeader.get(), report.pageFooter.get(), report.summary.get()})
        checkBand(band);
    for (const auto& block : report.blocks)
        checkBlock(*block);
    faults.removeDuplicates();
    return faults;
}

// Looks at every page as it is laid out, keeping none: a text cut with "…",
// two texts on top of each other, a text wider than its box, a text off the
// paper. Keeps the first faults and the page count.
class PageCheck : public PageSink
{
public:
    explicit PageCheck(const QString& report = {}) : m_report(report) {}

    bool start(const PageFormat& format) override
    {
        m_paper = format.paperSize;
        return true;
    }

    bool addPage(Page&& page) override
    {
        ++pages;
        QList<const PageItem*> texts;
        for (const PageItem& item : page.items) {
            if (item.kind != PageItem::Kind::Text)
                continue;
            texts.append(&item);
            if (keepText)
                text += item.text + QLatin1Char('\n');
            if (item.text.endsWith(QChar(0x2026)))
                fault(QStringLiteral("ucięty tekst „%1”").arg(item.text));
            if (item.width > item.rect.width() + 0.01)
                fault(QStringLiteral("tekst „%1” szerszy niż jego pole").arg(item.text));
            if (item.rect.left() < -0.01 || item.rect.right() > m_paper.width() + 0.01 ||
                item.rect.top() < -0.01 || item.rect.bottom() > m_paper.height() + 0.01)
                fault(QStringLiteral("tekst „%1” poza kartką").arg(item.text));
        }
        // Sweep from the top: only texts whose lines reach one another are compared.
        std::sort(texts.begin(), texts.end(),
                  [](const PageItem* a, const PageItem* b) { return a->rect.top() < b->rect.top(); });
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QRectF& a = texts.at(i)->rect;
            for (qsizetype j = i + 1; j < texts.size() && texts.at(j)->rect.top() < a.bottom() - 0.05; ++j) {
                const QRectF both = a.intersected(texts.at(j)->rect);
                if (both.width() > 0.05 && both.height() > 0.05)
                    fault(QStringLiteral("teksty „%1” i „%2” zachodzą na siebie")
                              .arg(texts.at(i)->text, texts.at(j)->text));
            }
        }
        return true;
    }

    int pages = 0;
    QStringList faults;
    bool keepText = false;
    QString text; // every line, when keepText is set

private:
    void fault(const QString& what)
    {
        if (faults.size() < 20)
            faults << QStringLiteral("%1, strona %2: %3").arg(m_report).arg(pages).arg(what);
    }

    QString m_report;
    QSizeF m_paper;
};

// Loads a template and lays it out into check; false with the fault in
// check.faults when it could not run.
inline bool layOut(const QString& path, ReportDataProvider& data, PageCheck& check)
{
    ReportTemplate report;
    if (!report.load(path)) {
        check.faults << report.errorString();
        return false;
    }
    ReportEngine engine(report, data);
    if (!engine.run(check)) {
        check.faults << engine.errorString();
        return false;
    }
    return true;
}

inline QString firstNumber(TmyDataBase& db, const char* table)
{
    Statement q(&db.DatabaseMain(), QString(),
                {QStringLiteral("SELECT NREWID FROM %1 ORDER BY NREWID").arg(QLatin1String(table))});
    q.open();
    return q.eof() ? QString() : q.text(QStringLiteral("NREWID"));
}

// What each report of printEverything() gave: its template and its check.
using EachReport = std::function<void(const QString& file, const PageCheck& check)>;

// Runs every statement of the "Raporty" view on db, each report laid out
// into a PageCheck; the protocols print the first computer. Answers the
// faults; the templates printed go to *seen and their pages add to *pages.
// Dialogs must be scripted (Dialogs::startScript()).
inline QStringList printEverything(TmyDataBase& db, QStringList* seen, int* pages,
                                   const EachReport& each = {})
{
    TDMRaporty reports(db);
    RaportyTab tab(db, reports);
    tab.loadProtocolTexts();
    tab.resetPages();
    tab.viewEntered();
    for (const char* field : {"DPNrEwid", "DWNrEwid", "PLNrEwid"})
        tab.findChild<QLineEdit*>(QLatin1String(field))->setText(firstNumber(db, "komputery"));
    QStringList faults;
    tab.setRunner([&](const QString& path, TDMRaporty& data) {
        PageCheck check(QFileInfo(path).fileName());
        check.keepText = bool(each);
        const bool ok = layOut(path, data, check);
        if (each)
            each(QFileInfo(path).fileName(), check);
        faults << check.faults;
        *seen << QFileInfo(path).fileName();
        *pages += check.pages;
        return ok;
    });
    for (const QString& button : statementButtons()) {
        if (!tab.run(button))
            faults << QStringLiteral("%1 nie wydrukował raportu").arg(button);
    }
    if (!Dialogs::shown().isEmpty())
        faults << QStringLiteral("komunikat: ") + Dialogs::shown().last().text;
    return faults;
}

} // namespace WholePrint
