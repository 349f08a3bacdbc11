#include "reports/ProtocolPage.h"

#include "base/Dialogs.h"
#include "base/IniFile.h"
#include "reports/ReportPanel.h"
#include "store/Guarded.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString kInfo = QStringLiteral("Informacja");
const QString kNotFound = QStringLiteral("Nie znaleziono wyposażenia o podanym numerze ewidencyjnym.");

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
} // namespace

ProtocolPage::ProtocolPage(const Context& context, Kind kind)
    : ReportPage(context, QStringLiteral("Tab") + QString::number(3 + kind)), m_kind(kind)
{
    const Protocol& p = kProtocols[kind];
    const QString x = QLatin1String(p.prefix);
    auto* outer = new QVBoxLayout(this);
    auto* print = statementButton(this, QLatin1String(p.button), QString::fromUtf8(p.caption));
    connect(print, &QPushButton::clicked, this, [this] { runProtocol(); });
    outer->addWidget(print, 0, Qt::AlignLeft);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* number = lineField(this, x + QStringLiteral("NrEwid"),
                             QStringLiteral("Numer ewidencyjny wyposażenia, którego dotyczy dokument"));
    number->setMaximumWidth(260);
    form->addRow(QStringLiteral("Nr ewidencyjny"), number);
    auto* series = new QComboBox(this);
    series->setObjectName(kind == Issue ? QStringLiteral("DWKompSprz") : x + QStringLiteral("KompLicSprz"));
    series->setToolTip(QStringLiteral("Czego dotyczy dokument"));
    series->addItems(kind == Issue ? QStringList{QStringLiteral("Komputer"), QStringLiteral("Inny sprzęt")}
                                   : QStringList{QStringLiteral("Komputer"), QStringLiteral("Licencja"),
                                                 QStringLiteral("Inny sprzęt")});
    series->setMaximumWidth(260);
    keepChoice(series);
    form->addRow(QStringLiteral("Seria danych"), series);

    if (kind == Issue) {
        auto* receiver = new QWidget(this);
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
    form->addRow(QStringLiteral("Nr dokumentu"), lineField(this, x + QStringLiteral("InfoDodNrDok"),
                                                           QStringLiteral("Numer generowanego dokumentu")));
    form->addRow(QStringLiteral("Miejscowość"), lineField(this, x + QStringLiteral("Miejscowosc"),
                                                          QStringLiteral("Miejsce wystawienia dokumentu")));
    form->addRow(QStringLiteral("Nagłówek"),
                 multiLine(this, x + QStringLiteral("Naglowek"),
                           QStringLiteral("Nagłówek dokumentu, po lewej stronie u góry")));
    form->addRow(QStringLiteral("Treść:"), multiLine(this, x + QStringLiteral("InfoDodDodatkowe"),
                                                     QStringLiteral("Treść umieszczana na dokumencie")));
    if (p.footer)
        form->addRow(QStringLiteral("Stopka:"),
                     multiLine(this, x + QStringLiteral("Stopka"),
                               QStringLiteral("Treść umieszczana na dole dokumentu")));
    outer->addLayout(form);
    outer->addStretch(1);
    setMaximumWidth(900);
}

bool ProtocolPage::run(const QString& button)
{
    return button == QLatin1String(kProtocols[m_kind].button) && runProtocol();
}

void ProtocolPage::loadTexts(const IniFile& ini, bool noData)
{
    const Protocol& p = kProtocols[m_kind];
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

void ProtocolPage::saveTexts(IniFile& ini) const
{
    const Protocol& p = kProtocols[m_kind];
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

bool ProtocolPage::runProtocol()
{
    const Protocol& p = kProtocols[m_kind];
    const QString x = QLatin1String(p.prefix);
    QHash<QString, QString> d;
    // The receiver first: an employee or a company.
    if (m_kind == Issue && !addReceiver(d))
        return false;
    if (!addItem(d))
        return false;
    const QString place = control<QLineEdit>(x + QStringLiteral("Miejscowosc"))->text();
    d[QStringLiteral("dMIEJSCOWOSC")] =
        place.isEmpty() ? QString() : QStringLiteral("Miejscowość: ") + place + QStringLiteral(", ");
    d[QStringLiteral("dNRDOKUMENTU")] = control<QLineEdit>(x + QStringLiteral("InfoDodNrDok"))->text();
    d[QStringLiteral("dNAGLOWEK")] = control<QPlainTextEdit>(x + QStringLiteral("Naglowek"))->toPlainText();
    d[QStringLiteral("dDODATKOWE")] =
        control<QPlainTextEdit>(x + QStringLiteral("InfoDodDodatkowe"))->toPlainText();
    if (const QPlainTextEdit* footer = control<QPlainTextEdit>(x + QStringLiteral("Stopka")))
        d[QStringLiteral("dSTOPKA")] = footer->toPlainText();
    d[QStringLiteral("dDATADOKUMENTU")] = panel().issueDateText();
    reports().setDocument(d);
    return showReport(QStringLiteral("frReportDoki"), QLatin1String(p.file));
}

bool ProtocolPage::addReceiver(QHash<QString, QString>& d)
{
    const Lookup* employee = control<Lookup>(QStringLiteral("DWCBPrac"));
    const Lookup* company = control<Lookup>(QStringLiteral("DWCBFirma"));
    if (control<QRadioButton>(QStringLiteral("DWPrac"))->isChecked()) {
        if (!employee->hasChoice()) {
            Dialogs::info(kInfo, QStringLiteral("Nie wskazano pracownika."));
            return false;
        }
        Statement q(
            &db().DatabaseMain(), QString(),
            {QStringLiteral("SELECT NREW,NAZWISKO,IMIE,A.OPIS AS DZIAL_O, B.OPIS AS STANOWISKO_O,NRPOKOJU "
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
        return true;
    }
    if (!company->hasChoice()) {
        Dialogs::info(kInfo, QStringLiteral("Nie wskazano firmy."));
        return false;
    }
    Statement q(&db().DatabaseMain(), QString(),
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
    return true;
}

bool ProtocolPage::addItem(QHash<QString, QString>& d)
{
    const QString x = QLatin1String(kProtocols[m_kind].prefix);
    // Its table by "Seria danych", its number as typed (cleaned).
    const int series =
        choice(m_kind == Issue ? QStringLiteral("DWKompSprz") : x + QStringLiteral("KompLicSprz"));
    const int table = m_kind == Issue ? (series == 1 ? 2 : 0) : series; // 0 computer, 1 licence, 2 equipment
    const char* kinds[] = {"Komputer", "Licencja", "Sprzęt"};
    QLineEdit* numberField = control<QLineEdit>(x + QStringLiteral("NrEwid"));
    const QString number =
        cleanNumber(numberField, m_kind == Acceptance ? QLatin1Char('`') : QLatin1Char(' '));
    QString select;
    if (m_kind == Liquidation) {
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
    Statement item(&db().DatabaseMain(), QString(), {select, QStringLiteral("WHERE NREWID=:PARAM0")});
    item.setParam(0, number);
    if (!guarded(m_kind == Liquidation ? 96378 : 90378, [&] { item.open(); }))
        return false;
    if (item.eof()) {
        Dialogs::info(kInfo, kNotFound);
        return false;
    }
    d[QStringLiteral("dNREWID")] = item.text(QStringLiteral("NREWID"));
    d[QStringLiteral("dNAZWA")] = item.text(QStringLiteral("NAZWA"));
    d[QStringLiteral("dRODZAJWYPOSAZENIA")] = QString::fromUtf8(kinds[table]);
    if (m_kind == Liquidation) {
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
    return true;
}
