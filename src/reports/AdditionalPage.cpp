#include "reports/AdditionalPage.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "base/ReportLists.h"
#include "registers/TVXExportToCSV.h"
#include "renderer/ReportTemplate.h"
#include "reports/ReportConditions.h"
#include "reports/SavedListState.h"
#include "reports/WaitCursor.h"
#include "store/Guarded.h"
#include "store/Statement.h"
#include "store/StatementTexts.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <optional>

namespace {
const QString kInfo = QStringLiteral("Informacja");

// An add-on report is a template of the configuration folder, beside the
// lists that name it: raporty/<form name>.frf.
QString addOnPath(const QString& form)
{
    return QDir(AppPaths::configDir()).filePath(QStringLiteral("raporty/") + form + QStringLiteral(".frf"));
}
} // namespace

AdditionalPage::AdditionalPage(const Context& context) : ReportPage(context, QStringLiteral("Tab9"))
{
    auto* l = new QVBoxLayout(this);
    auto* extra = new QGroupBox(QStringLiteral("Dostępne raporty:"), this);
    auto* el = new QGridLayout(extra);
    auto* list = new QComboBox(extra);
    list->setObjectName(QStringLiteral("CBraportyPrywatne"));
    list->setToolTip(QStringLiteral("Wybierz raport z listy"));
    list->setMinimumContentsLength(40);
    el->addWidget(list, 0, 0, 1, 2);
    auto* open =
        statementButton(extra, QStringLiteral("SBOtworzRaport"), QStringLiteral("Otwórz wskazany raport"));
    connect(open, &QPushButton::clicked, this, [this] { runAdditional(); });
    connect(list, &QComboBox::currentIndexChanged, this, [this] { offerSelected(); });
    auto* offer = statementButton(extra, QStringLiteral("SBOfertaRaportow"),
                                  QStringLiteral("Zobacz ofertę dostępnych raportów dodatkowych"));
    connect(offer, &QPushButton::clicked, this,
            [] { Dialogs::openUrl(QUrl(QStringLiteral("https://www.sprzetnik.pl/raporty-dodatkowe"))); });
    el->addWidget(open, 1, 0);
    el->addWidget(offer, 1, 1);
    el->setColumnStretch(2, 1);
    l->addWidget(extra);

    auto* dormak = new QGroupBox(QStringLiteral("Dormak"), this);
    dormak->setObjectName(QStringLiteral("GBDormak"));
    auto* dl = new QVBoxLayout(dormak);
    auto* run = statementButton(dormak, QStringLiteral("SBDormak"),
                                QStringLiteral("Zestawienie planowanych terminów"));
    connect(run, &QPushButton::clicked, this, [this] { runDeadlines(); });
    dl->addWidget(run, 0, Qt::AlignLeft);
    auto* form = new QFormLayout;
    const auto addCombo = [&](const char* name, const char* caption, const QStringList& items) {
        auto* box = new QComboBox(dormak);
        box->setObjectName(QLatin1String(name));
        box->addItems(items);
        box->setMaximumWidth(260);
        keepChoice(box);
        form->addRow(QString::fromUtf8(caption), box);
    };
    addCombo("dormakRodzaj", "Rodzaj terminu:", activityItems());
    addCombo("dormakSeria", "Seria danych:",
             {QStringLiteral("Wszystkie"), QStringLiteral("Tylko komputery"),
              QStringLiteral("Tylko licencje"), QStringLiteral("Tylko inny sprzęt"),
              QStringLiteral("Tylko środki BHP")});
    auto* nr = new QLineEdit(dormak);
    nr->setObjectName(QStringLiteral("dormakNrewid"));
    nr->setMaxLength(50);
    nr->setMaximumWidth(260);
    keepNumber(nr);
    form->addRow(QStringLiteral("Numer ewidencyjny:"), nr);
    auto* name = new QLineEdit(dormak);
    name->setObjectName(QStringLiteral("dormakNazwa"));
    name->setToolTip(QStringLiteral("Nazwa elementu"));
    name->setMaxLength(100);
    name->setMaximumWidth(260);
    keepNumber(name);
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
    connect(csv, &QPushButton::clicked, this, [this] { runDeadlinesCsv(); });
    dl->addWidget(csv, 0, Qt::AlignLeft);
    l->addWidget(dormak);
    l->addStretch(1);
    setMaximumWidth(900);
}

bool AdditionalPage::run(const QString& button)
{
    if (button == QLatin1String("SBOtworzRaport"))
        return runAdditional();
    if (button == QLatin1String("SBDormak"))
        return runDeadlines();
    if (button == QLatin1String("dormakButtonToCSV"))
        return runDeadlinesCsv();
    return false;
}

void AdditionalPage::viewEntered()
{
    ReportPage::viewEntered();
    enableByLookup(QStringLiteral("dormakCbLokalizacja"), QStringLiteral("dormakLokalizacja"));
    enableByLookup(QStringLiteral("dormakCbOsoba"), QStringLiteral("dormakOsoba"));
    auto* list = control<QComboBox>(QStringLiteral("CBraportyPrywatne"));
    list->clear();
    for (const ReportLists::Entry& e : ReportLists::shown(ReportLists::read(AppPaths::configDir())))
        list->addItem(e.caption, e.name);
    list->setCurrentIndex(list->count() > 0 ? 0 : -1);
    offerSelected();
}

// "Otwórz wskazany raport" is offered for a report that is installed, and
// with an empty list, to say there is none.
void AdditionalPage::offerSelected()
{
    const auto* list = control<QComboBox>(QStringLiteral("CBraportyPrywatne"));
    auto* open = control<QPushButton>(QStringLiteral("SBOtworzRaport"));
    const bool none = list->count() == 0 || list->currentIndex() < 0;
    const QString path = none ? QString() : addOnPath(list->currentData().toString());
    const bool installed = !none && QFileInfo::exists(path);
    open->setEnabled(none || installed);
    open->setToolTip(none || installed ? QStringLiteral("Otwórz raport wybrany z listy")
                                       : QStringLiteral("Raport „%1” nie jest zainstalowany (brak pliku %2).")
                                             .arg(list->currentText(), QDir::toNativeSeparators(path)));
}

bool AdditionalPage::runAdditional()
{
    const auto* list = control<QComboBox>(QStringLiteral("CBraportyPrywatne"));
    if (list->count() == 0 || list->currentIndex() < 0) {
        Dialogs::info(kInfo,
                      QStringLiteral("Brak raportu. Wskaż żądany raport bądź zamów raport u producenta."));
        return false;
    }
    // The report definition is the one whose record source the template reads.
    const QString path = addOnPath(list->currentData().toString());
    ReportTemplate report;
    QString fault, definition;
    if (!report.load(path)) {
        fault = report.errorString();
    } else {
        const QStringList sources = report.sources();
        definition = sources.isEmpty() ? QStringLiteral("frDrukujPozycje")
                                       : TDMRaporty::reportOfSource(sources.first());
        if (definition.isEmpty())
            fault = QStringLiteral("Szablon raportu „%1” używa nieznanego źródła danych „%2”.")
                        .arg(path, sources.first());
    }
    if (!fault.isEmpty()) {
        ErrorLog::report(QStringLiteral("Błąd podczas uruchamiania raportu. Oryginalny komunikat: ") + fault,
                         false, 121726);
        return false;
    }
    return showReportAt(definition, path, false);
}

bool AdditionalPage::prepareDeadlines()
{
    QCheckBox* person = control<QCheckBox>(QStringLiteral("dormakCbOsoba"));
    const Lookup* employee = control<Lookup>(QStringLiteral("dormakOsoba"));
    if (person->isChecked() && !employee->hasChoice()) {
        refuse(person, QStringLiteral("Nie wskazano pracownika"));
        return false;
    }
    const QString list = QStringLiteral("DBFTerminy");
    ListState& s = db().listState();
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    s.setCondition(list, ListState::Role::DateRange, ReportConditions::period(rangeFrom(), rangeTo()));
    s.setCondition(list, ListState::Role::ActiveOnly,
                   ReportConditions::activity(choice(QStringLiteral("dormakRodzaj"))));
    s.setCondition(list, ListState::Role::ObjectKind,
                   ReportConditions::deadlineKind(choice(QStringLiteral("dormakSeria"))));
    QStringList terms;
    const QString n = takeNumber(number(QStringLiteral("dormakNrewid")));
    if (!n.isEmpty())
        terms << ReportConditions::numberOfObject(
            n, QStringLiteral("CZEGODOTYCZY"),
            {QStringLiteral("K"), QStringLiteral("S"), QStringLiteral("L"), QStringLiteral("B")});
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

bool AdditionalPage::runDeadlines()
{
    SavedListState saved(db().listState(), {QStringLiteral("DBFTerminy")});
    if (!prepareDeadlines())
        return false;
    return showReportAt(QStringLiteral("frDormak"),
                        QDir(AppPaths::programDir()).filePath(QStringLiteral("dormak/terminy_adv.frf")),
                        false);
}

bool AdditionalPage::runDeadlinesCsv()
{
    const QString list = QStringLiteral("DBFTerminy");
    SavedListState saved(db().listState(), {list});
    if (!prepareDeadlines())
        return false;
    std::optional<WaitCursor> waiting(std::in_place);
    Statement q(&db().DatabaseMain(), list);
    q.setLines(statementLines(list));
    db().listState().applyTo(list, q);
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
            Statement p(&db().DatabaseMain(), QString(),
                        {QStringLiteral("SELECT IMIE,NAZWISKO FROM osobowa WHERE NREW=:PARAM0")});
            p.setParam(0, q.text(kind + QStringLiteral("NREW")));
            Statement l(&db().DatabaseMain(), QString(),
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
    waiting.reset();
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
