#include "stocktaking/StocktakingPrint.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "renderer/MemoryDataProvider.h"
#include "renderer/PdfOutput.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportPreview.h"
#include "renderer/ReportTemplate.h"
#include "store/TmyDataBase.h"

#include <QDir>

namespace {
// Lines left for signing by hand when the session names no committee.
constexpr int kBlankCommitteeLines = 3;
} // namespace

QString StocktakingPrint::templatePath(const QString& file)
{
    return QDir(AppPaths::programDir()).filePath(QStringLiteral("raporty/") + file);
}

StocktakingCounts StocktakingPrint::countsOf(const QList<StocktakingItem>& items)
{
    StocktakingCounts counts;
    for (const StocktakingItem& item : items) {
        if (item.expected) {
            ++counts.expected;
            ++(item.found ? counts.found : counts.missing);
        } else if (item.found) {
            ++counts.unexpected;
        }
    }
    return counts;
}

QStringList StocktakingPrint::committeeMembers(const QString& committee)
{
    QStringList members;
    for (const QString& line : committee.split(QLatin1Char('\n'))) {
        const QString name = line.trimmed();
        if (!name.isEmpty())
            members << name;
    }
    return members;
}

QString StocktakingPrint::kindText(QChar kind)
{
    switch (kind.unicode()) {
    case 'K':
        return QStringLiteral("komputer");
    case 'S':
        return QStringLiteral("inny sprzęt");
    case 'B':
        return QStringLiteral("środek BHP");
    default:
        return {};
    }
}

QString StocktakingPrint::numberOf(const StocktakingItem& item)
{
    return item.number.isEmpty() ? item.code : item.number;
}

QString StocktakingPrint::nameOf(const StocktakingItem& item)
{
    return item.kind.isNull() ? QStringLiteral("nieznany numer") : item.name;
}

QString StocktakingPrint::scanText(const StocktakingItem& item)
{
    // Stored as "yyyy-MM-dd hh:mm:ss"; printed with the program's date form.
    const QString& at = item.scannedAt;
    QString when = at;
    if (at.size() >= 10) {
        const int ymd = QString(at.left(10)).remove(QLatin1Char('-')).toInt();
        const QString date = TmyDataBase::dateText(ymd);
        if (!date.isEmpty())
            when = date + at.mid(10);
    }
    if (item.workstation.isEmpty())
        return when;
    return when.isEmpty() ? item.workstation : item.workstation + QLatin1Char('\r') + when;
}

QList<QStringList> StocktakingPrint::rowWhen(bool when)
{
    return when ? QList<QStringList>{QStringList{QString()}} : QList<QStringList>{};
}

void StocktakingPrint::fillCommon(MemoryDataProvider& data, const StocktakingSession& session,
                                  const QList<StocktakingItem>& items, const QString& company)
{
    data.setVariable(QStringLiteral("FIRMA"), company);
    data.setVariable(QStringLiteral("NUMER"), QString::number(session.id));
    data.setVariable(QStringLiteral("DATASPISU"), TmyDataBase::dateText(session.date));
    data.setVariable(QStringLiteral("ZAKRES"), session.scopeText);
    const QString closedOn = TmyDataBase::dateText(session.closedDate);
    data.setVariable(QStringLiteral("STAN"),
                     !session.closed      ? QStringLiteral("otwarty – spis w toku, wydruk roboczy")
                     : closedOn.isEmpty() ? QStringLiteral("zamknięty")
                                          : QStringLiteral("zamknięty, data zamknięcia: ") + closedOn);

    const QStringList members = committeeMembers(session.committee);
    data.setVariable(QStringLiteral("KOMISJA"),
                     members.isEmpty() ? QStringLiteral("nie wskazano") : members.join(QLatin1Char('\r')));
    QList<QStringList> signatures;
    for (const QString& member : members)
        signatures << QStringList{member};
    while (signatures.size() < kBlankCommitteeLines && members.isEmpty())
        signatures << QStringList{QString()};
    data.addSource(QStringLiteral("frDSKomisja"), {QStringLiteral("CZLONEK")}, signatures);

    // A session over one person's assets knows who answers for them.
    QString responsible;
    if (session.scope == QLatin1Char('O')) {
        for (const StocktakingItem& item : items) {
            if (item.expected && item.personKey == session.person && !item.person.isEmpty()) {
                responsible = item.person;
                break;
            }
        }
    }
    data.setVariable(QStringLiteral("ODPOWIEDZIALNY"), responsible);

    const StocktakingCounts counts = countsOf(items);
    data.setVariable(QStringLiteral("WSPISIE"), QString::number(counts.expected));
    data.setVariable(QStringLiteral("STWIERDZONO"), QString::number(counts.found));
    data.setVariable(QStringLiteral("NIESTWIERDZONO"), QString::number(counts.missing));
    data.setVariable(QStringLiteral("POZASPISEM"), QString::number(counts.unexpected));
}

bool StocktakingPrint::show(const QString& templatePath, ReportDataProvider& data, QWidget* parent)
{
    QString error;
    const bool shown = ReportPreview::showReport(templatePath, data, parent, &error);
    if (!error.isEmpty())
        Dialogs::info(QStringLiteral("Błąd"), error);
    return shown && error.isEmpty();
}

bool StocktakingPrint::writePdf(const QString& templatePath, ReportDataProvider& data, const QString& pdfPath,
                                QString* error)
{
    QString fault;
    ReportTemplate report;
    if (!report.load(templatePath)) {
        fault = report.errorString();
    } else {
        ReportEngine engine(report, data);
        PdfOutput out(pdfPath);
        if (!engine.run(out)) {
            fault = !engine.errorString().isEmpty() ? engine.errorString()
                    : !out.errorString().isEmpty()
                        ? out.errorString()
                        : PdfOutput::failure(pdfPath, QStringLiteral("raport nie został ułożony."));
            out.cancel();
        } else if (!out.finish()) {
            fault = out.errorString();
        }
    }
    if (error)
        *error = fault;
    return fault.isEmpty();
}

bool StocktakingPrint::showDocument(const QString& templateFile, Fill fill, QWidget* parent,
                                    const StocktakingSession& session, const QList<StocktakingItem>& items,
                                    const QString& company)
{
    MemoryDataProvider data;
    fill(data, session, items, company);
    return show(templatePath(templateFile), data, parent);
}

bool StocktakingPrint::writeDocument(const QString& templateFile, Fill fill, const QString& pdfPath,
                                     const StocktakingSession& session, const QList<StocktakingItem>& items,
                                     const QString& company, QString* error, const QString& templatePath)
{
    MemoryDataProvider data;
    fill(data, session, items, company);
    return writePdf(templatePath.isEmpty() ? StocktakingPrint::templatePath(templateFile) : templatePath,
                    data, pdfPath, error);
}
