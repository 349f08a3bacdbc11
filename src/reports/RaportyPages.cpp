// The pages of the "Raporty" view after "Finansowe": the three protocols, the
// statements by location and by employee, BHP and other lists, and the
// additional reports with the planned-deadlines statement.
#include "reports/RaportyTab.h"

#include "registers/TVXExportToCSV.h"
#include "reports/SavedListState.h"
#include "reports/TDMRaporty.h"
#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "base/IniFile.h"
#include "base/ReportLists.h"
#include "store/Guarded.h"
#include "store/Statement.h"
#include "store/StatementTexts.h"
#include "store/TmyDataBase.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStringEncoder>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString kInfo = QStringLiteral("Informacja");
const QString kNotFound = QStringLiteral("Nie znaleziono wyposażenia o podanym numerze ewidencyjnym.");
const QString kNoEmployee = QStringLiteral("Nie wskazano pracownika");

// The three protocol pages: control prefix, section of repfields.ini,
// button, caption, template.
struct Protocol
{
    const char* prefix;
    const char* section;
    const char* button;
    const char* caption;
    const char* file;
    const char* body; // default body text
    bool footer;
};
const Protocol kProtocols[] = {
    {"DP", "DP", "DPDrukuj", "Protokół przyjęcia na stan", "dp.frf",
     "Niniejszy dokument stanowi potwierdzenie przyjęcia niżej wymienionego wyposażenia na stan posiadania "
     "firmy.",
     true},
    {"DW", "DW", "DWDrukuj", "Dokument wydania wyposażenia", "dw.frf",
     "Niniejszy dokument stanowi potwierdzenie wydania niżej wymienionego wyposażenia wskazanemu "
     "pracownikowi / "
     "firmie.",
     false},
    {"PL", "DL", "PLDrukuj", "Protokół likwidacji", "dl.frf",
     "Niniejszy dokument stanowi potwierdzenie likwidacji niżej wymienionego wyposażenia.", true},
};

QString between(const QString& column, qint64 from, qint64 to)
{
    return QStringLiteral("AND ") + column + QStringLiteral(" >= ") + QString::number(from) +
           QStringLiteral(" AND ") + column + QStringLiteral(" <= ") + QString::number(to);
}

QString periodOf(qint64 from, qint64 to)
{
    return QStringLiteral("AND DATAOD >= ") + QString::number(from) + QStringLiteral(" AND DATADO <= ") +
           QString::number(to);
}

// Double quotes of a typed number become `with`; the field shows the result.
QString cleanNumber(QLineEdit* field, QChar with)
{
    QString text = field->text();
    if (text.contains(QLatin1Char('"'))) {
        text.replace(QLatin1Char('"'), with);
        field->setText(text);
    }
    return text.trimmed();
}

QString employeeNumber(const Lookup* lookup)
{
    return lookup->key().toString().replace(QLatin1Char('"'), QLatin1Char(' '));
}

QPlainTextEdit* multiLine(QWidget* parent, const QString& name, const QString& hint)
{
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setToolTip(hint);
    edit->setTabChangesFocus(true);
    edit->setMinimumHeight(64);
    return edit;
}

QLineEdit* lineField(QWidget* parent, const QString& name, const QString& hint)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setToolTip(hint);
    edit->setMaxLength(200);
    return edit;
}

QPushButton* statementButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setMinimumWidth(250);
    b->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 8px;"));
    return b;
}

} // namespace

QWidget* RaportyTab::scrolled(QWidget* page, const QString& name)
{
    auto* scroll = new QScrollArea;
    scroll->setObjectName(name);
    page->setObjectName(name + QStringLiteral("Strona"));
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

bool RaportyTab::checked(const QString& name) const
{
    const QCheckBox* box = control<QCheckBox>(name);
    return box && box->isEnabled() && box->isChecked();
}

Lookup* RaportyTab::addLookup(QWidget* parent, const QString& name, const QString& statement,
                              const QString& key, const QString& display, QCheckBox* box)
{
    auto* lookup = new Lookup(parent);
    lookup->setObjectName(name);
    lookup->setMinimumContentsLength(28);
    lookup->bind(&m_db.statement(statement), key, display);
    if (box)
        connect(lookup, &QComboBox::activated, box, [box] { box->setChecked(true); });
    return lookup;
}

// ---- protocols ------------------------------------------------------------

QWidget* RaportyTab::buildProtocol(int kind)
{
    const Protocol& p = kProtocols[kind];
    const QString x = QLatin1String(p.prefix);
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    auto* print = statementButton(page, QLatin1String(p.button), QString::fromUtf8(p.caption));
    connect(print, &QPushButton::clicked, this, [this, kind] { runProtocol(kind); });
    outer->addWidget(print, 0, Qt::AlignLeft);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* number = lineField(page, x + QStringLiteral("NrEwid"),
                             QStringLiteral("Numer ewidencyjny wyposażenia, którego dotyczy dokument"));
    number->setMaximumWidth(260);
    form->addRow(QStringLiteral("Nr ewidencyjny"), number);
    auto* series = new QComboBox(page);
    series->setObjectName(kind == 1 ? QStringLiteral("DWKompSprz") : x + QStringLiteral("KompLicSprz"));
    series->setToolTip(QStringLiteral("Czego dotyczy dokument"));
    series->addItems(kind == 1 ? QStringList{QStringLiteral("Komputer"), QStringLiteral("Inny sprzęt")}
                               : QStringList{QStringLiteral("Komputer"), QStringLiteral("Licencja"),
                                             QStringLiteral("Inny sprzęt")});
    series->setMaximumWidth(260);
    m_combos.insert(series->objectName(), series);
    form->addRow(QStringLiteral("Seria danych"), series);

    if (kind == 1) {
        auto* receiver = new QWidget(page);
        auto* g = new QGridLayout(receiver);
        g->setContentsMargins(0, 0, 0, 0);
        auto* toEmployee = new QRadioButton(QStringLiteral("dla pracownika"), receiver);
        toEmployee->setObjectName(QStringLiteral("DWPrac"));
        toEmployee->setChecked(true);
        auto* toCompany = new QRadioButton(QStringLiteral("dla firmy"), receiver);
        toCompany->setObjectName(QStringLiteral("DWFirma"));
        Lookup* employee = addLookup(receiver, QStringLiteral("DWCBPrac"), QStringLiteral("DBFPracownicy"),
                                     QStringLiteral("NREW"), QStringLiteral("PRACOWNIK"), nullptr);
        Lookup* company = addLookup(receiver, QStringLiteral("DWCBFirma"), QStringLiteral("DBFDostawcy"),
                                    QStringLiteral("IDFIRMY"), QStringLiteral("DOSTAWCA"), nullptr);
        connect(employee, &QComboBox::activated, toEmployee, [toEmployee] { toEmployee->setChecked(true); });
        connect(company, &QComboBox::activated, toCompany, [toCompany] { toCompany->setChecked(true); });
        g->addWidget(toEmployee, 0, 0);
        g->addWidget(employee, 0, 1);
        g->addWidget(toCompany, 1, 0);
        g->addWidget(company, 1, 1);
        g->setColumnStretch(2, 1);
        form->addRow(QStringLiteral("Wydano"), receiver);
    }
    form->addRow(QStringLiteral("Nr dokumentu"), lineField(page, x + QStringLiteral("InfoDodNrDok"),
                                                           QStringLiteral("Numer generowanego dokumentu")));
    form->addRow(QStringLiteral("Miejscowość"), lineField(page, x + QStringLiteral("Miejscowosc"),
                                                          QStringLiteral("Miejsce wystawienia dokumentu")));
    form->addRow(QStringLiteral("Nagłówek"),
                 multiLine(page, x + QStringLiteral("Naglowek"),
                           QStringLiteral("Nagłówek dokumentu, po lewej stronie u góry")));
    form->addRow(QStringLiteral("Treść:"), multiLine(page, x + QStringLiteral("InfoDodDodatkowe"),
                                                     QStringLiteral("Treść umieszczana na dokumencie")));
    if (p.footer)
        form->addRow(QStringLiteral("Stopka:"),
                     multiLine(page, x + QStringLiteral("Stopka"),
                               QStringLiteral("Treść umieszczana na dole dokumentu")));
    outer->addLayout(form);
    outer->addStretch(1);
    page->setMaximumWidth(900);
    return scrolled(page, QStringLiteral("Tab") + QString::number(3 + kind));
}

QString RaportyTab::protocolTextsPath()
{
    return QDir(AppPaths::configDir()).filePath(QStringLiteral("repfields.ini"));
}

void RaportyTab::loadProtocolTexts()
{
    const IniFile ini(protocolTextsPath());
    const bool noData = ini.intValue(QStringLiteral("SETTINGS"), QStringLiteral("noData"), 1) == 1;
    for (const Protocol& p : kProtocols) {
        const QString x = QLatin1String(p.prefix);
        const QString section = QLatin1String(p.section);
        control<QLineEdit>(x + QStringLiteral("Miejscowosc"))
            ->setText(ini.value(section, QStringLiteral("miejscowosc"), QStringLiteral("Miejscowość")));
        control<QLineEdit>(x + QStringLiteral("InfoDodNrDok"))
            ->setText(ini.value(section, QStringLiteral("nrdokumentu"), QStringLiteral("nr")));
        const struct
        {
            const char* field;
            const char* key;
            QString fallback;
        } texts[] = {{"Naglowek", "Naglowek", QStringLiteral("(pieczęć i dane firmowe)")},
                     {"InfoDodDodatkowe", "Dodatkowe", QString::fromUtf8(p.body)},
                     {"Stopka", "Stopka", QStringLiteral("Uwagi: brak.")}};
        for (const auto& t : texts) {
            QPlainTextEdit* edit = control<QPlainTextEdit>(x + QLatin1String(t.field));
            if (!edit)
                continue; // the issue page has no footer
            if (noData) {
                edit->setPlainText(t.fallback);
                continue;
            }
            const QString name = section + QLatin1String(t.key);
            QStringList lines;
            for (const QString& key : ini.keys(name))
                lines << ini.value(name, key);
            edit->setPlainText(lines.join(QLatin1Char('\n')));
        }
    }
}

void RaportyTab::saveProtocolTexts() const
{
    const QString path = protocolTextsPath();
    IniFile ini(path);
    ini.setInt(QStringLiteral("SETTINGS"), QStringLiteral("noData"), 0);
    for (const Protocol& p : kProtocols) {
        const QString x = QLatin1String(p.prefix);
        const QString section = QLatin1String(p.section);
        ini.setValue(section, QStringLiteral("miejscowosc"),
                     control<QLineEdit>(x + QStringLiteral("Miejscowosc"))->text());
        ini.setValue(section, QStringLiteral("nrdokumentu"),
                     control<QLineEdit>(x + QStringLiteral("InfoDodNrDok"))->text());
        const std::pair<const char*, const char*> texts[] = {
            {"Naglowek", "Naglowek"}, {"InfoDodDodatkowe", "Dodatkowe"}, {"Stopka", "Stopka"}};
        for (const auto& [field, key] : texts) {
            const QPlainTextEdit* edit = control<QPlainTextEdit>(x + QLatin1String(field));
            if (!edit)
                continue;
            const QString name = section + QLatin1String(key);
            for (const QString& old : ini.keys(name))
                ini.removeKey(name, old);
            const QString text = edit->toPlainText();
            if (text.isEmpty())
                continue; // an emptied field stays empty
            const QStringList lines = text.split(QLatin1Char('\n'));
            for (int i = 0; i < lines.size(); ++i)
                ini.setValue(name, QStringLiteral("L") + QString::number(i), lines.at(i));
        }
    }
    if (!ini.save(path))
        Dialogs::info(kInfo, QStringLiteral("Nie udało się zapisać pliku ") + QDir::toNativeSeparators(path));
}

bool RaportyTab::runProtocol(int kind)
{
    const Protocol& p = kProtocols[kind];
    const QString x = QLatin1String(p.prefix);
    QHash<QString, QString> d;
    if (kind == 1) {
        // The receiver first: an employee or a company.
        const Lookup* employee = control<Lookup>(QStringLiteral("DWCBPrac"));
        const Lookup* company = control<Lookup>(QStringLiteral("DWCBFirma"));
        if (control<QRadioButton>(QStringLiteral("DWPrac"))->isChecked()) {
            if (!employee->hasChoice()) {
                Dialogs::info(kInfo, QStringLiteral("Nie wskazano pracownika."));
                return false;
            }
            Statement q(&m_db.DatabaseMain(), QString(),
                        {QStringLiteral(
                            "SELECT NREW,NAZWISKO,IMIE,A.OPIS AS DZIAL_O, B.OPIS AS STANOWISKO_O,NRPOKOJU "
                            "FROM osobowa AS O LEFT OUTER JOIN slowniki AS A ON O.DZIAL=A.KOD "
                            "LEFT OUTER JOIN slowniki AS B ON O.STANOWISKO=B.KOD WHERE NREW=:PARAM0")});
            q.setParam(0, employee->key().toString());
            if (!guarded(90370, [&] { q.open(); }))
                return false;
            if (!q.eof()) {
                const QString nrew = q.text(QStringLiteral("NREW"));
                const QString name =
                    q.text(QStringLiteral("IMIE")) + QLatin1Char(' ') + q.text(QStringLiteral("NAZWISKO"));
                d[QStringLiteral("dNREW")] = nrew;
                d[QStringLiteral("dNAZWISKO")] = name;
                d[QStringLiteral("dDZIAL")] = q.text(QStringLiteral("DZIAL_O"));
                d[QStringLiteral("dSTANOWISKO")] = q.text(QStringLiteral("STANOWISKO_O"));
                d[QStringLiteral("dNRPOKOJU")] = q.text(QStringLiteral("NRPOKOJU"));
            }
            d[QStringLiteral("dWYDANOTITLE")] = QStringLiteral("NREW:\rPracownik:");
            d[QStringLiteral("dWYDANOVALUE")] =
                d.value(QStringLiteral("dNREW")) + QLatin1Char('\r') + d.value(QStringLiteral("dNAZWISKO")) +
                QStringLiteral("\rdział: ") + d.value(QStringLiteral("dDZIAL")) +
                QStringLiteral("\rstanowisko: ") + d.value(QStringLiteral("dSTANOWISKO")) +
                QStringLiteral("\rnr pokoju: ") + d.value(QStringLiteral("dNRPOKOJU")) + QLatin1Char('\r');
        } else {
            if (!company->hasChoice()) {
                Dialogs::info(kInfo, QStringLiteral("Nie wskazano firmy."));
                return false;
            }
            Statement q(&m_db.DatabaseMain(), QString(),
                        {QStringLiteral("SELECT NAZWA,NIP,NIPUE FROM firmy WHERE IDFIRMY="),
                         QString::number(company->key().toLongLong())});
            if (!guarded(90377, [&] { q.open(); }))
                return false;
            if (!q.eof()) {
                QString nip = q.text(QStringLiteral("NIP")).trimmed();
                if (nip.isEmpty())
                    nip = q.text(QStringLiteral("NIPUE"));
                d[QStringLiteral("dFIRMA")] = q.text(QStringLiteral("NAZWA"));
                d[QStringLiteral("dNIP")] = nip;
            }
            d[QStringLiteral("dWYDANOTITLE")] = QStringLiteral("NIP:\rNazwa firmy:");
            d[QStringLiteral("dWYDANOVALUE")] =
                d.value(QStringLiteral("dNIP")) + QLatin1Char('\r') + d.value(QStringLiteral("dFIRMA"));
        }
    }

    // The item: its table by "Seria danych", its number as typed (cleaned).
    const int series = choice(kind == 1 ? QStringLiteral("DWKompSprz") : x + QStringLiteral("KompLicSprz"));
    const int table = kind == 1 ? (series == 1 ? 2 : 0) : series; // 0 computer, 1 licence, 2 equipment
    const char* kinds[] = {"Komputer", "Licencja", "Sprzęt"};
    QLineEdit* numberField = control<QLineEdit>(x + QStringLiteral("NrEwid"));
    const QString number = cleanNumber(numberField, kind == 0 ? QLatin1Char('`') : QLatin1Char(' '));
    QString select;
    if (kind == 2) {
        const char* sources[] = {
            "NAZWA,L.OPIS AS LOK FROM komputery LEFT OUTER JOIN slowniki AS L ON LOKALIZACJA=L.KOD",
            "NRLICENCJI AS NAZWA,'Oprogramowanie komputerowe' AS LOK FROM licencje",
            "NAZWA,L.OPIS AS LOK FROM sprzet LEFT OUTER JOIN slowniki AS L ON LOKALIZACJA=L.KOD"};
        select = QStringLiteral("SELECT NREWID,") + QLatin1String(sources[table]);
        select.replace(QStringLiteral(" AS LOK FROM"), QStringLiteral(" AS LOK,DATAARCH,PRZYCZYNA FROM"));
    } else {
        const char* tables[] = {"komputery", "licencje", "sprzet"};
        select = QStringLiteral("SELECT NREWID,") +
                 (table == 1 ? QStringLiteral("NRLICENCJI AS NAZWA") : QStringLiteral("NAZWA")) +
                 QStringLiteral(",NRKPIR,DATAZAKUPU,NETTO,VAT,BRUTTO,NRFAKTURY FROM ") +
                 QLatin1String(tables[table]);
    }
    Statement item(&m_db.DatabaseMain(), QString(), {select, QStringLiteral("WHERE NREWID=:PARAM0")});
    item.setParam(0, number);
    if (!guarded(kind == 2 ? 96378 : 90378, [&] { item.open(); }))
        return false;
    if (item.eof()) {
        Dialogs::info(kInfo, kNotFound);
        return false;
    }
    d[QStringLiteral("dNREWID")] = item.text(QStringLiteral("NREWID"));
    d[QStringLiteral("dNAZWA")] = item.text(QStringLiteral("NAZWA"));
    d[QStringLiteral("dRODZAJWYPOSAZENIA")] = QString::fromUtf8(kinds[table]);
    if (kind == 2) {
        d[QStringLiteral("dLOK")] = item.text(QStringLiteral("LOK"));
        d[QStringLiteral("dPRZYCZYNA")] = item.text(QStringLiteral("PRZYCZYNA"));
        d[QStringLiteral("dDATAARCH")] = TmyDataBase::dateText(item.integer(QStringLiteral("DATAARCH")));
    } else {
        const QString kpir = item.text(QStringLiteral("NRKPIR"));
        d[QStringLiteral("dNRKPIR")] = kpir;
        d[QStringLiteral("NRKPIR")] = kpir.isEmpty() ? QString() : QStringLiteral("Nr KPiR");
        d[QStringLiteral("dNRFAKTURY")] = item.text(QStringLiteral("NRFAKTURY"));
        d[QStringLiteral("dDATAZAKUPU")] = TmyDataBase::dateText(item.integer(QStringLiteral("DATAZAKUPU")));
        for (const char* a : {"NETTO", "VAT", "BRUTTO"})
            d[QStringLiteral("d") + QLatin1String(a)] =
                TmyDataBase::amountText(item.number(QLatin1String(a)));
    }
    const QString place = control<QLineEdit>(x + QStringLiteral("Miejscowosc"))->text();
    d[QStringLiteral("dMIEJSCOWOSC")] =
        place.isEmpty() ? QString() : QStringLiteral("Miejscowość: ") + place + QStringLiteral(", ");
    d[QStringLiteral("dNRDOKUMENTU")] = control<QLineEdit>(x + QStringLiteral("InfoDodNrDok"))->text();
    d[QStringLiteral("dNAGLOWEK")] = control<QPlainTextEdit>(x + QStringLiteral("Naglowek"))->toPlainText();
    d[QStringLiteral("dDODATKOWE")] =
        control<QPlainTextEdit>(x + QStringLiteral("InfoDodDodatkowe"))->toPlainText();
    if (const QPlainTextEdit* footer = control<QPlainTextEdit>(x + QStringLiteral("Stopka")))
        d[QStringLiteral("dSTOPKA")] = footer->toPlainText();
    d[QStringLiteral("dDATADOKUMENTU")] = m_issueDate->dateText();
    m_reports.setDocument(d);
    return showReport(QStringLiteral("frReportDoki"), QLatin1String(p.file));
}

// ---- by location, by employee ----------------------------------------------

QWidget* RaportyTab::buildLocations()
{
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    auto* run = statementButton(page, QStringLiteral("SBLokWyposazenie"),
                                QStringLiteral("Wyposażenie wg lokalizacji"));
    run->setToolTip(QStringLiteral("Zestawienie wg lokalizacji"));
    connect(run, &QPushButton::clicked, this, [this] { runLocations(); });
    l->addWidget(run, 0, Qt::AlignLeft);

    auto* filter = new QGroupBox(QStringLiteral("Filtr:"), page);
    auto* fl = new QGridLayout(filter);
    auto* one = new QCheckBox(QStringLiteral("Dla wybranej lokalizacji:"), filter);
    one->setObjectName(QStringLiteral("cbLokSeria1"));
    Lookup* location = addLookup(filter, QStringLiteral("lokSeria1"), QStringLiteral("DBFLokalizacje"),
                                 QStringLiteral("KOD"), QStringLiteral("OPIS"), one);
    location->setToolTip(QStringLiteral("Wybierz lokalizację"));
    auto* series = new QComboBox(filter);
    series->setObjectName(QStringLiteral("lokSeria2"));
    series->addItems({QStringLiteral("Dane bieżące"), QStringLiteral("Dane archiwalne / zlikwidowane")});
    m_combos.insert(series->objectName(), series);
    fl->addWidget(one, 0, 0);
    fl->addWidget(location, 0, 1);
    fl->addWidget(series, 1, 1);
    fl->setColumnStretch(2, 1);
    l->addWidget(filter);

    auto* put = new QGroupBox(QStringLiteral("Na raporcie umieść:"), page);
    auto* pl = new QHBoxLayout(put);
    for (const auto& [name, caption] :
         {std::pair{"cbLokKomputery", "Komputery"}, std::pair{"cbLokSprzet", "Inny sprzęt"}}) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), put);
        box->setObjectName(QLatin1String(name));
        box->setChecked(true);
        pl->addWidget(box);
    }
    pl->addStretch(1);
    l->addWidget(put);
    l->addStretch(1);
    page->setMaximumWidth(800);
    return scrolled(page, QStringLiteral("Tab6"));
}

QWidget* RaportyTab::buildEmployees()
{
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    auto* run = statementButton(page, QStringLiteral("SBPracWyposazenie"),
                                QStringLiteral("Wyposażenie wg pracowników"));
    connect(run, &QPushButton::clicked, this, [this] { runByEmployee(); });
    l->addWidget(run, 0, Qt::AlignLeft);

    auto* filter = new QGroupBox(QStringLiteral("Filtr:"), page);
    auto* fl = new QHBoxLayout(filter);
    auto* one = new QCheckBox(QStringLiteral("Dla wybranego pracownika:"), filter);
    one->setObjectName(QStringLiteral("cbPracSeria1"));
    fl->addWidget(one);
    fl->addWidget(addLookup(filter, QStringLiteral("pracSeria1"), QStringLiteral("DBFPracownicy"),
                            QStringLiteral("NREW"), QStringLiteral("PRACOWNIK"), one));
    fl->addStretch(1);
    l->addWidget(filter);

    const auto boxes = [&](const QString& title,
                           std::initializer_list<std::pair<const char*, const char*>> items) {
        auto* group = new QGroupBox(title, page);
        auto* gl = new QHBoxLayout(group);
        for (const auto& [name, caption] : items) {
            auto* box = new QCheckBox(QString::fromUtf8(caption), group);
            box->setObjectName(QLatin1String(name));
            box->setChecked(true);
            gl->addWidget(box);
        }
        gl->addStretch(1);
        l->addWidget(group);
    };
    boxes(
        QStringLiteral("Na raporcie umieść:"),
        {{"cbPracKomputery", "Komputery"}, {"cbPracSprzet", "Inny sprzęt"}, {"cbPracLicencje", "Licencje"}});
    boxes(QStringLiteral("umieść także:"),
          {{"cbPracUzytkuje", "Użytkuje..."}, {"cbPracOdpowiada", "Odpowiada za..."}});
    l->addStretch(1);

    // Licences print only under computers.
    QCheckBox* computers = page->findChild<QCheckBox*>(QStringLiteral("cbPracKomputery"));
    QCheckBox* licences = page->findChild<QCheckBox*>(QStringLiteral("cbPracLicencje"));
    const auto licencesNeedComputers = [computers, licences] {
        if (licences->isChecked())
            computers->setChecked(true);
    };
    const auto noComputersNoLicences = [computers, licences] {
        if (!computers->isChecked())
            licences->setChecked(false);
    };
    connect(licences, &QCheckBox::clicked, this, licencesNeedComputers);
    connect(page->findChild<QCheckBox*>(QStringLiteral("cbPracOdpowiada")), &QCheckBox::clicked, this,
            licencesNeedComputers);
    connect(computers, &QCheckBox::clicked, this, noComputersNoLicences);
    connect(page->findChild<QCheckBox*>(QStringLiteral("cbPracUzytkuje")), &QCheckBox::clicked, this,
            noComputersNoLicences);
    page->setMaximumWidth(800);
    return scrolled(page, QStringLiteral("Tab7"));
}

bool RaportyTab::runLocations()
{
    QCheckBox* one = control<QCheckBox>(QStringLiteral("cbLokSeria1"));
    const Lookup* location = control<Lookup>(QStringLiteral("lokSeria1"));
    if (one->isChecked() && (!location->hasChoice() || !one->isEnabled())) {
        Dialogs::info(kInfo, QStringLiteral("Nie wskazano lokalizacji"));
        one->setChecked(false);
        return false;
    }
    const bool archive = choice(QStringLiteral("lokSeria2")) == 1;
    const QStringList lists = {QStringLiteral("DBFKomputery"), QStringLiteral("DBFSprzet")};
    ListState& s = m_db.listState();
    SavedListState saved(s, lists);
    const QString column =
        archive && m_liquidationDate->isChecked() ? QStringLiteral("DATAARCH") : QStringLiteral("DATAZAKUPU");
    for (const QString& list : lists) {
        s.setCondition(list, ListState::Role::Archive, ListState::archiveCondition(archive));
        s.setCondition(list, ListState::Role::DateRange,
                       between(ListState::qualifiedColumn(list, column), rangeFrom(), rangeTo()));
        s.setOrderColumn(list, QStringLiteral("DATAZAKUPU"));
        s.setAscending(list, true);
    }
    TDMRaporty::Choices& c = m_reports.choices();
    c.oneLocation = one->isChecked();
    c.location = location->key().toLongLong();
    c.computers = control<QCheckBox>(QStringLiteral("cbLokKomputery"))->isChecked();
    c.equipment = control<QCheckBox>(QStringLiteral("cbLokSprzet"))->isChecked();
    c.archiveSeries = archive;
    const bool shown = showReport(QStringLiteral("frReport10"), QStringLiteral("lok_wyposazenie.frf"));
    c.oneLocation = false;
    return shown;
}

bool RaportyTab::runByEmployee()
{
    QCheckBox* one = control<QCheckBox>(QStringLiteral("cbPracSeria1"));
    const Lookup* employee = control<Lookup>(QStringLiteral("pracSeria1"));
    if (one->isChecked() && (!employee->hasChoice() || !one->isEnabled())) {
        Dialogs::info(kInfo, kNoEmployee);
        one->setChecked(false);
        return false;
    }
    const QString people = QStringLiteral("DBFosobowa");
    const QStringList lists = {people, QStringLiteral("DBFKomputery"), QStringLiteral("DBFSprzet")};
    ListState& s = m_db.listState();
    SavedListState saved(s, lists);
    for (int line : ListState::slotLines(people))
        s.setSlot(people, line, QString());
    if (one->isChecked())
        s.setCondition(people, ListState::Role::Reserved,
                       QStringLiteral("AND ") + ListState::qualifiedColumn(people, QStringLiteral("NREW")) +
                           QLatin1Char('=') + ListState::literal(employeeNumber(employee)));
    for (int i = 1; i < lists.size(); ++i) {
        const QString& list = lists.at(i);
        s.setCondition(
            list, ListState::Role::DateRange,
            between(ListState::qualifiedColumn(list, QStringLiteral("DATAZAKUPU")), rangeFrom(), rangeTo()));
        s.setCondition(list, ListState::Role::Archive, ListState::archiveCondition(false));
        s.clearCondition(list, ListState::Role::Reserved);
        s.setOrderColumn(list, QStringLiteral("DATAZAKUPU"));
        s.setAscending(list, true);
    }
    // The used computers and equipment within the date range, for this run only.
    Statement& usedComputers = m_db.statement(QStringLiteral("DBFPracKomp"));
    Statement& usedEquipment = m_db.statement(QStringLiteral("DBFPracSprz"));
    const QString computersWhere = usedComputers.line(2);
    const QString equipmentWhere = usedEquipment.line(2);
    struct Restore
    {
        Statement& q;
        QString line;
        ~Restore()
        {
            q.close();
            q.setLine(2, line);
        }
    } restoreComputers{usedComputers, computersWhere}, restoreEquipment{usedEquipment, equipmentWhere};
    usedComputers.close();
    usedEquipment.close();
    usedComputers.setLine(2, computersWhere + QLatin1Char(' ') +
                                 between(QStringLiteral("K.DATAZAKUPU"), rangeFrom(), rangeTo()));
    usedEquipment.setLine(2, equipmentWhere + QLatin1Char(' ') +
                                 between(QStringLiteral("S.DATAZAKUPU"), rangeFrom(), rangeTo()));

    TDMRaporty::Choices& c = m_reports.choices();
    c.computers = control<QCheckBox>(QStringLiteral("cbPracKomputery"))->isChecked();
    c.equipment = control<QCheckBox>(QStringLiteral("cbPracSprzet"))->isChecked();
    c.licences = control<QCheckBox>(QStringLiteral("cbPracLicencje"))->isChecked();
    c.uses = control<QCheckBox>(QStringLiteral("cbPracUzytkuje"))->isChecked();
    c.responsible = control<QCheckBox>(QStringLiteral("cbPracOdpowiada"))->isChecked();
    return showReport(QStringLiteral("frReport11"), QStringLiteral("prac_wyposazenie.frf"));
}

// ---- BHP and other lists ------------------------------------------------------

QWidget* RaportyTab::buildBhp()
{
    auto* page = new QWidget;
    QGridLayout* g = new QGridLayout(page);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);
    const char* heads[] = {"Filrt 1", "Filrt 2", "Sortowanie"};
    for (int c = 0; c < 3; ++c) {
        auto* head = new QLabel(QString::fromUtf8(heads[c]), page);
        QFont f = head->font();
        f.setBold(true);
        head->setFont(f);
        g->addWidget(head, 0, c + 1);
    }
    m_row = 0;
    const auto employeeFilter = [&](const char* box, const char* lookup) {
        auto* cell = new QWidget(page);
        auto* l = new QHBoxLayout(cell);
        l->setContentsMargins(0, 0, 0, 0);
        auto* check = new QCheckBox(QStringLiteral("Dla prac.:"), cell);
        check->setObjectName(QLatin1String(box));
        l->addWidget(check);
        l->addWidget(addLookup(cell, QLatin1String(lookup), QStringLiteral("DBFPracownicy"),
                               QStringLiteral("NREW"), QStringLiteral("PRACOWNIK"), check));
        g->addWidget(cell, m_row, 1);
    };
    const QStringList byDate = {QStringLiteral("wg daty")};

    addStatement(g, QStringLiteral("SBZestHistoriaBhp"), QStringLiteral("Historia posiadania środków BHP"));
    employeeFilter("CBZestHistoriaBhpSeria1", "ZestHistoriaBhpSeria1");
    addNumber(g, QStringLiteral("ZestHistoriaBhpSeria2"), QStringLiteral("środka BHP"));
    addChoice(g, 3, QStringLiteral("ZestHistoriaBhpSort"),
              {QStringLiteral("wg daty"), QStringLiteral("wg środka"), QStringLiteral("wg osoby"),
               QStringLiteral("wg miejsca")});
    addStatement(g, QStringLiteral("SBZestBhp"), QStringLiteral("Zestawienie odzieży i środków BHP"));
    addStatement(g, QStringLiteral("SBZestPracBhp"), QStringLiteral("Stan posiadania środków BHP"));
    employeeFilter("CBZestPracBhpSeria1", "ZestPracBhpSeria1");
    addStatement(g, QStringLiteral("SBZapotBhp"), QStringLiteral("Zapotrzebowanie na środki BHP"));
    addStatement(g, QStringLiteral("SBZestZakupBhp"), QStringLiteral("Koszty zakupu środków BHP"));
    addNumber(g, QStringLiteral("ZestZakupBhpSeria2"), QStringLiteral("środka BHP"));
    addChoice(g, 3, QStringLiteral("ZestZakupBhpSort"),
              {QStringLiteral("wg daty"), QStringLiteral("wg nr ewid."), QStringLiteral("wg klasyfikatora"),
               QStringLiteral("wg producenta")});
    addStatement(g, QStringLiteral("SBMagazyn"), QStringLiteral("Stany magazynowe"));
    addStatement(g, QStringLiteral("SBZestZalaczniki"), QStringLiteral("Zestawienie załączników"));
    auto* check = new QCheckBox(QStringLiteral("Sprawdź czy plik załącznika istnieje"), page);
    check->setObjectName(QStringLiteral("cbSprawdzCzyZalacznikIstnieje"));
    g->addWidget(check, m_row, 1, 1, 2);
    // The number fields of this page stand in the second column.
    for (const char* n : {"ZestHistoriaBhpSeria2", "ZestZakupBhpSeria2"}) {
        QLineEdit* f = number(QLatin1String(n));
        const int index = g->indexOf(f);
        int row = 0, column = 0, rs = 0, cs = 0;
        g->getItemPosition(index, &row, &column, &rs, &cs);
        g->removeWidget(f);
        g->addWidget(f, row, 2);
    }
    g->setRowStretch(m_row + 1, 1);
    g->setColumnStretch(4, 1);
    return scrolled(page, QStringLiteral("Tab8"));
}

bool RaportyTab::runBhpHistory()
{
    QCheckBox* one = control<QCheckBox>(QStringLiteral("CBZestHistoriaBhpSeria1"));
    const Lookup* employee = control<Lookup>(QStringLiteral("ZestHistoriaBhpSeria1"));
    if (one->isChecked() && !employee->hasChoice()) {
        Dialogs::info(kInfo, kNoEmployee);
        one->setChecked(false);
        return false;
    }
    const QString list = QStringLiteral("DBFHistoria");
    const QString number = takeNumber(this->number(QStringLiteral("ZestHistoriaBhpSeria2")));
    ListState& s = m_db.listState();
    SavedListState saved(s, {list});
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    const QList<int> reserved = ListState::reservedLines(list);
    if (one->isChecked())
        s.setSlot(list, reserved.value(0),
                  QStringLiteral("AND H.NREW=") + ListState::literal(employee->key().toString()));
    s.setCondition(list, ListState::Role::DateRange, periodOf(rangeFrom(), rangeTo()));
    s.setCondition(list, ListState::Role::ObjectKind, QStringLiteral("AND KOMPSPRZ='B'"));
    if (!number.isEmpty())
        s.setSlot(list, reserved.value(1),
                  QStringLiteral("AND (B.NREWID=") + ListState::literal(number) + QLatin1Char(')'));
    const QStringList sorts = {QStringLiteral("DATAOD,DATADO"), QStringLiteral("BNREWID"),
                               QStringLiteral("PRACOWNIK"), QStringLiteral("MIEJSCE")};
    s.setOrderColumn(list, sorts.value(choice(QStringLiteral("ZestHistoriaBhpSort"))));
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport2"), QStringLiteral("historiabhp.frf"));
}

bool RaportyTab::runBhpNeeds()
{
    const QString list = QStringLiteral("DBFBhp");
    ListState& s = m_db.listState();
    SavedListState saved(s, {list});
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    s.setCondition(list, ListState::Role::Reserved, QStringLiteral("AND ILOSC<=PRZYPOMNIJ"));
    return showReport(QStringLiteral("frBhp"), QStringLiteral("zapot_bhp.frf"));
}

bool RaportyTab::runHoldings()
{
    QCheckBox* one = control<QCheckBox>(QStringLiteral("CBZestPracBhpSeria1"));
    const Lookup* employee = control<Lookup>(QStringLiteral("ZestPracBhpSeria1"));
    if (one->isChecked() && !employee->hasChoice()) {
        Dialogs::info(kInfo, kNoEmployee);
        one->setChecked(false);
        return false;
    }
    Statement& q = m_db.statement(QStringLiteral("DBFPracBhp"));
    q.close();
    QString condition = periodOf(rangeFrom(), rangeTo());
    if (one->isChecked())
        condition += QStringLiteral(" AND R.NREW=") + ListState::literal(employee->key().toString());
    q.setLine(5, condition);
    q.setLine(7, QStringLiteral("PRACOWNIK COLLATE PL,NREW,NREWID COLLATE PL,NAZWA COLLATE PL"));
    guarded(TmyDataBase::reloadCode(QStringLiteral("DBFPracBhp")), [&] { q.open(); });
    const bool shown = showReport(QStringLiteral("frPracBhp"), QStringLiteral("bhpprac.frf"));
    q.close();
    return shown;
}

bool RaportyTab::runBhpPurchases()
{
    const QString list = QStringLiteral("DBFZakupBhp");
    const QString number = takeNumber(this->number(QStringLiteral("ZestZakupBhpSeria2")));
    ListState& s = m_db.listState();
    SavedListState saved(s, {list});
    const QList<int> reserved = ListState::reservedLines(list);
    s.setSlot(list, reserved.value(0), QString());
    s.setCondition(
        list, ListState::Role::DateRange,
        between(ListState::qualifiedColumn(list, QStringLiteral("DATAZAKUPU")), rangeFrom(), rangeTo()));
    s.setSlot(list, reserved.value(1),
              number.isEmpty()
                  ? QString()
                  : QStringLiteral("AND ") + ListState::qualifiedColumn(list, QStringLiteral("NREWID")) +
                        QLatin1Char('=') + ListState::literal(number));
    const QStringList sorts = {QStringLiteral("DATAZAKUPU"), QStringLiteral("NREWID"),
                               QStringLiteral("KLASOPIS"), QStringLiteral("PRODUCENT")};
    s.setOrderColumn(list, sorts.value(choice(QStringLiteral("ZestZakupBhpSort"))));
    s.setAscending(list, true);
    return showReport(QStringLiteral("frZakupBhp"), QStringLiteral("zakupbhp.frf"));
}

bool RaportyTab::runAttachments()
{
    const QString list = QStringLiteral("DBFZalaczniki");
    ListState& s = m_db.listState();
    SavedListState saved(s, {list});
    s.clearObject(list);
    return showReport(QStringLiteral("frReport3"), QStringLiteral("zalaczniki.frf"),
                      control<QCheckBox>(QStringLiteral("cbSprawdzCzyZalacznikIstnieje"))->isChecked());
}

// ---- additional reports, planned deadlines --------------------------------------

QWidget* RaportyTab::buildAdditional()
{
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    auto* extra = new QGroupBox(QStringLiteral("Dostępne raporty:"), page);
    auto* el = new QGridLayout(extra);
    auto* list = new QComboBox(extra);
    list->setObjectName(QStringLiteral("CBraportyPrywatne"));
    list->setToolTip(QStringLiteral("Wybierz raport z listy"));
    list->setMinimumContentsLength(40);
    el->addWidget(list, 0, 0, 1, 2);
    auto* open =
        statementButton(extra, QStringLiteral("SBOtworzRaport"), QStringLiteral("Otwórz wskazany raport"));
    connect(open, &QPushButton::clicked, this, [this] { runAdditional(); });
    auto* offer = statementButton(extra, QStringLiteral("SBOfertaRaportow"),
                                  QStringLiteral("Zobacz ofertę dostępnych raportów dodatkowych"));
    connect(offer, &QPushButton::clicked, this,
            [] { Dialogs::openUrl(QUrl(QStringLiteral("https://www.sprzetnik.pl/raporty-dodatkowe"))); });
    el->addWidget(open, 1, 0);
    el->addWidget(offer, 1, 1);
    el->setColumnStretch(2, 1);
    l->addWidget(extra);

    auto* dormak = new QGroupBox(QStringLiteral("Dormak"), page);
    dormak->setObjectName(QStringLiteral("GBDormak"));
    auto* dl = new QVBoxLayout(dormak);
    auto* run = statementButton(dormak, QStringLiteral("SBDormak"),
                                QStringLiteral("Zestawienie planowanych terminów"));
    connect(run, &QPushButton::clicked, this, [this] { runDormak(); });
    dl->addWidget(run, 0, Qt::AlignLeft);
    auto* form = new QFormLayout;
    const auto addCombo = [&](const char* name, const char* caption, const QStringList& items) {
        auto* box = new QComboBox(dormak);
        box->setObjectName(QLatin1String(name));
        box->addItems(items);
        box->setMaximumWidth(260);
        m_combos.insert(box->objectName(), box);
        form->addRow(QString::fromUtf8(caption), box);
    };
    addCombo("dormakRodzaj", "Rodzaj terminu:",
             {QStringLiteral("Wszystkie terminy"), QStringLiteral("Tylko aktywne"),
              QStringLiteral("Tylko nieaktywne")});
    addCombo("dormakSeria", "Seria danych:",
             {QStringLiteral("Wszystkie"), QStringLiteral("Tylko komputery"),
              QStringLiteral("Tylko licencje"), QStringLiteral("Tylko inny sprzęt"),
              QStringLiteral("Tylko środki BHP")});
    auto* nr = new QLineEdit(dormak);
    nr->setObjectName(QStringLiteral("dormakNrewid"));
    nr->setMaxLength(50);
    nr->setMaximumWidth(260);
    m_numbers.insert(nr->objectName(), nr);
    form->addRow(QStringLiteral("Numer ewidencyjny:"), nr);
    auto* name = new QLineEdit(dormak);
    name->setObjectName(QStringLiteral("dormakNazwa"));
    name->setToolTip(QStringLiteral("Nazwa elementu"));
    name->setMaxLength(100);
    name->setMaximumWidth(260);
    m_numbers.insert(name->objectName(), name);
    form->addRow(QStringLiteral("Nazwa sprzętu:"), name);
    const auto boxed = [&](const char* box, const char* lookup, const char* caption, const char* statement,
                           const char* key, const char* display) {
        auto* cell = new QWidget(dormak);
        auto* cl = new QHBoxLayout(cell);
        cl->setContentsMargins(0, 0, 0, 0);
        auto* check = new QCheckBox(QString::fromUtf8(caption), cell);
        check->setObjectName(QLatin1String(box));
        cl->addWidget(check);
        cl->addWidget(addLookup(cell, QLatin1String(lookup), QLatin1String(statement), QLatin1String(key),
                                QLatin1String(display), check));
        cl->addStretch(1);
        form->addRow(cell);
    };
    boxed("dormakCbLokalizacja", "dormakLokalizacja", "Lokalizacja:", "DBFLokalizacje", "KOD", "OPIS");
    boxed("dormakCbOsoba", "dormakOsoba", "Osoba odpowiedzialna:", "DBFPracownicy", "NREW", "PRACOWNIK");
    dl->addLayout(form);
    auto* csv = new QPushButton(QStringLiteral("do CSV"), dormak);
    csv->setObjectName(QStringLiteral("dormakButtonToCSV"));
    csv->setToolTip(QStringLiteral("Zapisz raport do arkusza CSV"));
    connect(csv, &QPushButton::clicked, this, [this] { runDormakCsv(); });
    dl->addWidget(csv, 0, Qt::AlignLeft);
    l->addWidget(dormak);
    l->addStretch(1);
    page->setMaximumWidth(900);
    return scrolled(page, QStringLiteral("Tab9"));
}

void RaportyTab::presetLookups()
{
    for (const char* statement : {"DBFLokalizacje", "DBFPracownicy", "DBFDostawcy"})
        m_db.reopenLookup(QLatin1String(statement));
    for (Lookup* lookup : findChildren<Lookup*>()) {
        lookup->refill();
        lookup->setCurrentIndex(lookup->count() > 0 ? 0 : -1);
    }
    const auto enableBy = [this](const char* lookup, std::initializer_list<const char*> boxes) {
        const bool any = control<Lookup>(QLatin1String(lookup))->count() > 0;
        for (const char* name : boxes) {
            QCheckBox* box = control<QCheckBox>(QLatin1String(name));
            box->setEnabled(any);
            if (!any)
                box->setChecked(false);
        }
    };
    enableBy("lokSeria1", {"cbLokSeria1", "dormakCbLokalizacja"});
    enableBy("pracSeria1", {"cbPracSeria1", "dormakCbOsoba"});
    auto* list = control<QComboBox>(QStringLiteral("CBraportyPrywatne"));
    list->clear();
    for (const ReportLists::Entry& e : ReportLists::shown(ReportLists::read(AppPaths::configDir())))
        list->addItem(e.caption, e.name);
    list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}

bool RaportyTab::runAdditional()
{
    const auto* list = control<QComboBox>(QStringLiteral("CBraportyPrywatne"));
    if (list->count() == 0 || list->currentIndex() < 0) {
        Dialogs::info(kInfo,
                      QStringLiteral("Brak raportu. Wskaż żądany raport bądź zamów raport u producenta."));
        return false;
    }
    // The add-on report windows are not part of this program: a named window
    // that is not installed is reported as a failed start.
    const QString form = list->currentData().toString();
    ErrorLog::report(QStringLiteral("Błąd podczas uruchamiania raportu. Oryginalny komunikat: ") +
                         QStringLiteral("Nie znaleziono raportu ") + form,
                     false, 121726);
    return false;
}

// The deadline list narrowed by the Dormak filters; false when nothing is to run.
bool RaportyTab::prepareDormak()
{
    QCheckBox* person = control<QCheckBox>(QStringLiteral("dormakCbOsoba"));
    const Lookup* employee = control<Lookup>(QStringLiteral("dormakOsoba"));
    if (person->isChecked() && !employee->hasChoice()) {
        Dialogs::info(kInfo, kNoEmployee);
        person->setChecked(false);
        return false;
    }
    const QString list = QStringLiteral("DBFTerminy");
    ListState& s = m_db.listState();
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    s.setCondition(list, ListState::Role::DateRange, periodOf(rangeFrom(), rangeTo()));
    const int active = choice(QStringLiteral("dormakRodzaj"));
    s.setCondition(list, ListState::Role::ActiveOnly,
                   active == 1   ? QStringLiteral("AND ACT='T'")
                   : active == 2 ? QStringLiteral("AND ACT='N'")
                                 : QString());
    const char* kinds[] = {"", "K", "L", "S", "B"};
    const int kind = choice(QStringLiteral("dormakSeria"));
    s.setCondition(list, ListState::Role::ObjectKind,
                   kind > 0
                       ? QStringLiteral("AND CZEGODOTYCZY='") + QLatin1String(kinds[kind]) + QLatin1Char('\'')
                       : QString());
    QStringList terms;
    const QString n = takeNumber(number(QStringLiteral("dormakNrewid")));
    if (!n.isEmpty()) {
        QStringList any;
        for (const char* k : {"K", "S", "L", "B"})
            any << QStringLiteral("(CZEGODOTYCZY='") + QLatin1String(k) + QStringLiteral("' AND ") +
                       QLatin1String(k) + QStringLiteral(".NREWID=") + ListState::literal(n) +
                       QLatin1Char(')');
        terms << QStringLiteral("AND (") + any.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    }
    const QString t = takeNumber(number(QStringLiteral("dormakNazwa")));
    if (!t.isEmpty()) {
        const QString like = ListState::literal(QLatin1Char('%') + t + QLatin1Char('%'));
        terms << QStringLiteral("AND ((CZEGODOTYCZY='L' AND L.NRLICENCJI LIKE ") + like +
                     QStringLiteral(") OR (CZEGODOTYCZY='K' AND K.NAZWA LIKE ") + like +
                     QStringLiteral(") OR (CZEGODOTYCZY='S' AND S.NAZWA LIKE ") + like +
                     QStringLiteral(") OR (CZEGODOTYCZY='B' AND B.NAZWA LIKE ") + like + QStringLiteral("))");
    }
    if (checked(QStringLiteral("dormakCbLokalizacja"))) {
        const QString key =
            QString::number(control<Lookup>(QStringLiteral("dormakLokalizacja"))->key().toLongLong());
        terms << QStringLiteral("AND ((CZEGODOTYCZY='K' AND K.LOKALIZACJA=") + key +
                     QStringLiteral(") OR (CZEGODOTYCZY='S' AND S.LOKALIZACJA=") + key + QStringLiteral("))");
    }
    if (person->isChecked()) {
        const QString who = ListState::literal(employeeNumber(employee));
        terms << QStringLiteral("AND ((CZEGODOTYCZY='K' AND K.NREW=") + who +
                     QStringLiteral(") OR (CZEGODOTYCZY='S' AND S.NREW=") + who + QStringLiteral("))");
    }
    s.setCondition(list, ListState::Role::Reserved, terms.join(QLatin1Char(' ')));
    s.setOrderColumn(list, QStringLiteral("DATAOD, DATADO"));
    s.setAscending(list, true);
    return true;
}

bool RaportyTab::runDormak()
{
    SavedListState saved(m_db.listState(), {QStringLiteral("DBFTerminy")});
    if (!prepareDormak())
        return false;
    return showReportAt(QStringLiteral("frDormak"),
                        QDir(AppPaths::programDir()).filePath(QStringLiteral("dormak/terminy_adv.frf")),
                        false);
}

bool RaportyTab::runDormakCsv()
{
    const QString list = QStringLiteral("DBFTerminy");
    SavedListState saved(m_db.listState(), {list});
    if (!prepareDormak())
        return false;
    Statement q(&m_db.DatabaseMain(), list);
    q.setLines(statementLines(list));
    m_db.listState().applyTo(list, q);
    if (!guarded(11091108, [&] { q.open(); }))
        return false;
    QList<QStringList> rows = {
        {QStringLiteral("Aktywne?"), QStringLiteral("Data od"), QStringLiteral("Data do"),
         QStringLiteral("Czego dotyczy (nr ewid.)"), QStringLiteral("Czego dotyczy (nazwa/opis)"),
         QStringLiteral("Rodzaj terminu"), QStringLiteral("Opis"), QStringLiteral("Osoba odpowiedzialna"),
         QStringLiteral("Lokalizacja"), QStringLiteral("Inne")}};
    // The person and location as the deadline list shows them.
    for (q.first(); !q.eof(); q.next()) {
        const QString kind = q.text(QStringLiteral("CZEGODOTYCZY"));
        QString who, where;
        if (kind == QLatin1String("K") || kind == QLatin1String("S")) {
            Statement p(&m_db.DatabaseMain(), QString(),
                        {QStringLiteral("SELECT IMIE,NAZWISKO FROM osobowa WHERE NREW=:PARAM0")});
            p.setParam(0, q.text(kind + QStringLiteral("NREW")));
            Statement l(&m_db.DatabaseMain(), QString(),
                        {QStringLiteral("SELECT OPIS FROM slowniki WHERE KOD="),
                         QString::number(q.integer(kind + QStringLiteral("LOKALIZACJA")))});
            if (!guarded(11091108, [&] {
                    p.open();
                    l.open();
                }))
                return false;
            if (!p.eof())
                who = p.text(QStringLiteral("NAZWISKO")) + QLatin1Char(' ') + p.text(QStringLiteral("IMIE"));
            if (!l.eof())
                where = l.text(QStringLiteral("OPIS"));
        }
        rows << QStringList{q.text(QStringLiteral("ACT")),
                            TmyDataBase::dateText(q.integer(QStringLiteral("DATAOD"))),
                            TmyDataBase::dateText(q.integer(QStringLiteral("DATADO"))),
                            TmyDataBase::objectLabel(kind, q),
                            q.text(kind + QStringLiteral("OPIS")),
                            q.text(QStringLiteral("KLASYFIKATOR_O")),
                            q.text(QStringLiteral("OPIS")),
                            who,
                            where,
                            q.text(QStringLiteral("INNE"))};
    }
    const QString file = Dialogs::saveFileName(this, QStringLiteral("Eksportuj dane do arkusza .CSV"),
                                               QStringLiteral("estawienie_planowanych_terminow.csv"),
                                               QStringLiteral("Arkusz .CSV (*.csv);;Wszystkie pliki (*.*)"));
    if (file.isEmpty())
        return false;
    TVXExportToCSV::toCellTexts(rows);
    const bool written = TVXExportToCSV().write(rows, file);
    Dialogs::info(kInfo, written ? QStringLiteral("Eksport zakończony poprawnie.")
                                 : QStringLiteral("Nie udało się wyeksportować danych."));
    return written;
}
