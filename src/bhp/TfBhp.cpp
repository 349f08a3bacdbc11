#include "bhp/TfBhp.h"

#include "bhp/BhpHoldings.h"
#include "bhp/Quantity.h"
#include "editors/AttachmentActions.h"
#include "editors/SubList.h"
#include "editors/SubListPage.h"
#include "editors/SubRecordActions.h"
#include "editors/TfBiblioteka.h"
#include "editors/TfHistoria.h"
#include "editors/TfTerminy.h"
#include "editors/TfZalaczniki.h"
#include "store/AppState.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"
#include "widgets/Lookup.h"
#include "widgets/TVXGridStorage.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
GridColumn textColumn(const char* field, const QString& title, int width)
{
    return GridColumn{QLatin1String(field), title, width, ColumnFormat::Text};
}
GridColumn dateColumn(const char* field, const QString& title)
{
    return GridColumn{QLatin1String(field), title, 80, ColumnFormat::Date};
}
GridColumn amountColumn(const char* field, const QString& title)
{
    return GridColumn{QLatin1String(field), title, 70, ColumnFormat::Amount};
}

const QString kPodgladHint = QStringLiteral("Podgląd danych");
const QString kDodajHint = QStringLiteral("Dodaj nową pozycję");
const QString kEdytujHint = QStringLiteral("Edytuj wskazaną pozycję");
const QString kUsunHint = QStringLiteral("Usuń wskazaną pozycję");
const QString kDrukujHint = QStringLiteral("Drukuj wskazaną pozycję");
const QString kKind = QStringLiteral("B");
} // namespace

TfBhp::TfBhp(TmyDataBase& db, QWidget* parent) : BhpEditor(db, parent)
{
    setObjectName(QStringLiteral("TfBhp"));
    setWindowTitle(QStringLiteral("Odzież i środki BHP"));
    QLabel* heading = makeHeading(QStringLiteral("Informacje o odzieży i środkach BHP"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("bhp"));
    m_tabs->setUsesScrollButtons(false);
    m_tabs->addTab(buildDetails(), QStringLiteral("Szczegóły"));

    SubList* holdings = makeList(
        Posiadajacy, QStringLiteral("Stan posiadania"), QStringLiteral("DBFPosiadajacy"),
        {textColumn("NREW", QStringLiteral("Nr ewid."), 70),
         textColumn("PRACOWNIK", QStringLiteral("Nazwisko"), 170),
         dateColumn("DATAOD", QStringLiteral("Data od")), dateColumn("DATADO", QStringLiteral("Data do")),
         amountColumn("ILOSC", QStringLiteral("Ilość")), textColumn("NIP", QStringLiteral("NIP"), 90),
         textColumn("DZIAL", QStringLiteral("Dział"), 100),
         textColumn("STANOWISKO", QStringLiteral("Stanowisko"), 100),
         textColumn("NRPOKOJU", QStringLiteral("Nr pokoju"), 70)});
    holdings->grid()->setObjectName(QStringLiteral("posiadajacyGrid"));
    holdings->addButton(SubList::Preview, QStringLiteral("PosiadajacyPodglad"), QStringLiteral("Podgląd"),
                        kPodgladHint);
    holdings->addButton(SubList::Add, QStringLiteral("PosiadajacyDodaj"), QStringLiteral("Dodaj"),
                        kDodajHint);
    holdings->addButton(SubList::Edit, QStringLiteral("PosiadajacyEdytuj"), QStringLiteral("Edytuj"),
                        kEdytujHint);
    holdings->addButton(SubList::Remove, QStringLiteral("PosiadajacyUsun"), QStringLiteral("Usuń"),
                        kUsunHint);
    auto* toHistory = new QPushButton(QStringLiteral("Dodaj do historii"), holdings->grid()->parentWidget());
    toHistory->setObjectName(QStringLiteral("PosiadajacyHistoria"));
    toHistory->setToolTip(QStringLiteral("Dodaj zaznaczonego pracownika do historii"));
    toHistory->setAutoDefault(false);
    holdings->addButton(SubList::Print, QStringLiteral("PosiadajacyDrukuj"), QStringLiteral("Drukuj"),
                        kDrukujHint);
    auto* sum = new QPushButton(QStringLiteral("Ilość razem"), holdings->grid()->parentWidget());
    sum->setObjectName(QStringLiteral("PosiadajacySuma"));
    sum->setToolTip(QStringLiteral("Sumuj ilość środków BHP"));
    sum->setAutoDefault(false);
    addHoldingsMenu(holdings);

    const QString akt = QStringLiteral("Akt.");
    SubList* deadlines = makeList(
        Terminy, QStringLiteral("Terminy"), QStringLiteral("DBFTerminy"),
        {textColumn("ACT", akt, 40), textColumn("KLASYFIKATOR_O", QStringLiteral("Rodzaj terminu"), 150),
         dateColumn("DATAOD", QStringLiteral("Data od")), dateColumn("DATADO", QStringLiteral("Data do")),
         textColumn("OPIS", QStringLiteral("Opis"), 250)});
    SubListPage::addStandardControls(deadlines, QStringLiteral("Terminy"), false);
    SubList* history = makeList(Historia, QStringLiteral("Historia"), QStringLiteral("DBFHistoria"),
                                {textColumn("PRACOWNIK", QStringLiteral("Osoba użytkująca"), 180),
                                 dateColumn("DATAOD", QStringLiteral("Data od")),
                                 dateColumn("DATADO", QStringLiteral("Data do")),
                                 textColumn("MIEJSCE", QStringLiteral("Miejsce użytkowania"), 180),
                                 textColumn("INNE", QStringLiteral("Inne"), 150)});
    SubListPage::addStandardControls(history, QStringLiteral("Historia"), false);
    SubList* attachments = makeList(Zalaczniki, QStringLiteral("Załączniki"), QStringLiteral("DBFZalaczniki"),
                                    {dateColumn("DATADODANIA", QStringLiteral("Dodano")),
                                     textColumn("NAZWAZALACZNIKA", QStringLiteral("Nazwa załącznika"), 180),
                                     textColumn("RDZAL_O", QStringLiteral("Rodzaj załącznika"), 130),
                                     textColumn("NAZWAPLIKU", QStringLiteral("Nazwa pliku"), 160),
                                     textColumn("INNE", QStringLiteral("Inne"), 150)});
    SubListPage::addStandardControls(attachments, QStringLiteral("Zalaczniki"), true);
    // Column widths kept between runs under the grids' names.
    const std::pair<Tab, const char*> gridNames[] = {{Posiadajacy, "posiadajacyGrid"},
                                                     {Terminy, "terminyGrid"},
                                                     {Historia, "historiaGrid"},
                                                     {Zalaczniki, "zalacznikiGrid"}};
    for (const auto& [tab, name] : gridNames) {
        m_lists[tab]->grid()->setObjectName(QLatin1String(name));
        TVXGridStorage::registerDBGrid(m_lists[tab]->grid(), QStringLiteral("BHP_") + QLatin1String(name));
    }

    dodajDoZakupBhp =
        new QCheckBox(QStringLiteral("Dodaj powyższe dane do kosztów zakupu środków BHP"), this);
    dodajDoZakupBhp->setObjectName(QStringLiteral("dodajDoZakupBhp"));
    auto* bar = makeButtonBar();
    bar->insertWidget(0, dodajDoZakupBhp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(bar);

    m_holdings = new BhpHoldings(db, *this, holdings);
    connect(toHistory, &QPushButton::clicked, m_holdings, &BhpHoldings::toHistory);
    connect(sum, &QPushButton::clicked, m_holdings, &BhpHoldings::showSum);
    makeSubRecordActions();
    connect(m_tabs, &QTabWidget::currentChanged, this, &TfBhp::tabChanged);
    resize(820, 520);
}

TfBhp::~TfBhp() = default;

QWidget* TfBhp::buildDetails()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("szczegoly"));
    buildIdentity(page, QStringLiteral("bhp"), QStringLiteral("IDBHP"),
                  QStringLiteral("Nazwa odzieży / środka BHP"));
    fILOSC = Quantity::makeEdit(page, "fILOSC", QStringLiteral("Ilość środka na stanie"));
    fPRZYPOMNIJ = Quantity::makeEdit(page, "fPRZYPOMNIJ",
                                     QStringLiteral("Przypomnij gdy ilość środka osiągnie podaną wartość"));
    auto* grid = new QGridLayout(page);
    int r = 0;
    auto add = [&](const QString& caption, QWidget* w) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(w);
        grid->addWidget(label, r, 0);
        grid->addWidget(w, r++, 1);
    };
    add(QStringLiteral("Nr ewidencyjny"), row(page, {fNREWID, m_lastNumber}));
    add(QStringLiteral("Nazwa"), fNAZWA);
    add(QStringLiteral("Inne"), fINNE);
    add(QStringLiteral("Cechy"), fCECHY);
    add(QStringLiteral("Klasyfikacja"), row(page, {fKLASYFIKATOR, goToSlownik1}));
    add(QStringLiteral("Ilość na stanie"), row(page, {fILOSC}, false));
    add(QStringLiteral("Przypomnij gdy ilość wyniesie"), row(page, {fPRZYPOMNIJ}, false));
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(r, 1);
    return page;
}

SubList* TfBhp::makeList(Tab tab, const QString& title, const QString& list, QList<GridColumn> columns)
{
    // Tabs are made in their order, so appending puts each at its index.
    m_lists[tab] = SubListPage::make(db(), m_tabs, title, list, std::move(columns));
    return m_lists[tab];
}

void TfBhp::addHoldingsMenu(SubList* l)
{
    // The holdings' buttons are made by hand (two of their own among them);
    // the menu is the standard one.
    const QString p = QStringLiteral("Posiadajacy");
    l->addMenuItem(SubList::Preview, p + QStringLiteral("PodgladPozycji"), QStringLiteral("Podgląd"),
                   QKeySequence(Qt::CTRL | Qt::Key_O));
    l->addMenuItem(SubList::Add, p + QStringLiteral("DodajPozycje"), QStringLiteral("Dodaj pozycję"),
                   QKeySequence(Qt::Key_Insert));
    l->addMenuItem(SubList::Edit, p + QStringLiteral("EdytujPozycje"), QStringLiteral("Edytuj pozycję"),
                   QKeySequence(Qt::Key_F2));
    l->addMenuItem(SubList::Remove, p + QStringLiteral("UsunPozycje"), QStringLiteral("Usuń pozycję"),
                   QKeySequence(Qt::Key_Delete));
    l->addMenuItem(SubList::Print, p + QStringLiteral("DrukujPozycje"), QStringLiteral("Drukuj"),
                   QKeySequence(Qt::CTRL | Qt::Key_P));
    QWidget* page = l->grid()->parentWidget();
    auto* bar = page->findChild<QHBoxLayout*>(QStringLiteral("bar"));
    for (QPushButton* b : page->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        bar->addWidget(b);
    bar->addStretch();
}

void TfBhp::makeSubRecordActions()
{
    const auto printer = [this](const QString& title, const QString& text) {
        if (m_print)
            m_print(title, text);
    };
    auto* deadlineDialog = new TfTerminy(db(), this);
    auto* historyDialog = new TfHistoria(db(), this);
    m_deadlines =
        new SubRecordActions(db(), SubRecordActions::Deadlines, m_lists[Terminy], deadlineDialog, this);
    // The deadline dialog points the shared classification list at KLTER.
    m_deadlines->setRestoreClassifier([this] { reopenClassifier(); });
    m_deadlines->setPrinter(printer);
    m_history = new SubRecordActions(db(), SubRecordActions::History, m_lists[Historia], historyDialog, this);
    m_history->setPrinter(printer);
    m_history->setPrepareNew([this](SubRecordDialog* dialog) { return m_holdings->prepareHistory(dialog); });
    auto* attachmentDialog = new TfZalaczniki(db(), this);
    m_attachments = new AttachmentActions(db(), m_lists[Zalaczniki], attachmentDialog, this);
    m_attachments->setPrinter(printer);
}

SubRecordActions* TfBhp::subRecords(Tab tab) const
{
    return tab == Terminy ? m_deadlines : tab == Historia ? m_history : nullptr;
}

void TfBhp::setPrinter(std::function<void(const QString&, const QString&)> print)
{
    m_print = std::move(print);
}

void TfBhp::reopenLookups()
{
    reopenClassifier();
}

void TfBhp::prepareNew()
{
    m_key = -1;
    m_fullTabs = false;
    m_openOnHoldings = false;
    for (QLineEdit* e : {fNREWID, fNAZWA, fINNE, fCECHY})
        e->clear();
    fILOSC->setText(Quantity::format(0));
    fPRZYPOMNIJ->setText(Quantity::format(0));
    chooseFirstClassifier();
    dodajDoZakupBhp->setChecked(false);
    for (int t = Posiadajacy; t < TabCount; ++t)
        m_tabs->setTabVisible(t, false);
}

void TfBhp::fillFromRow(const Statement& row)
{
    auto text = [&](const char* field) { return row.text(QLatin1String(field)); };
    setIdentity({text("NAZWA"), text("CECHY"), text("NREWID"), text("INNE"), 0,
                 row.integer(QStringLiteral("KLASYFIKATOR"))});
    fILOSC->setText(Quantity::format(row.number(QStringLiteral("ILOSC"))));
    fPRZYPOMNIJ->setText(Quantity::format(row.number(QStringLiteral("PRZYPOMNIJ"))));
    dodajDoZakupBhp->setChecked(false);
}

void TfBhp::fillFromPurchase(const BhpItemData& purchase)
{
    prepareNew();
    setIdentity(purchase);
    fILOSC->setText(Quantity::format(purchase.ilosc));
}

void TfBhp::prepare(qint64 key)
{
    m_key = key;
    m_fullTabs = true;
    dodajDoZakupBhp->setChecked(false);
    m_lists[Posiadajacy]->setOwner(key);
    for (Tab t : {Terminy, Historia, Zalaczniki})
        m_lists[t]->setObject(kKind, key);
    m_deadlines->setOwner(kKind, key);
    m_history->setOwner(kKind, key);
    m_attachments->setOwner(kKind, key);
    m_holdings->setItem(key);
}

void TfBhp::setPreview(bool on)
{
    m_preview = on;
    setReadOnly(on);
}

bool TfBhp::addToPurchases() const
{
    return dodajDoZakupBhp->isChecked();
}

BhpItemData TfBhp::toPurchase() const
{
    return itemData(0);
}

double TfBhp::onStock()
{
    // An unreadable quantity counts as 0 for the stock dialog but stays in
    // the field, so that "Zapisz" still refuses it.
    const double value = Quantity::valueOf(fILOSC);
    Quantity::reformatReadable(fILOSC);
    return value;
}

void TfBhp::setOnStock(double value)
{
    fILOSC->setText(Quantity::format(value));
}

void TfBhp::bindInsert(Statement& q) const
{
    q.clearParams();
    q.setParam(0, fNAZWA->text());
    q.setParam(1, fCECHY->text());
    q.setParam(2, fNREWID->text());
    q.setParam(3, fINNE->text());
    q.setLine(2, fKLASYFIKATOR->keyLine(0));
    q.setLine(4, Quantity::sql(Quantity::valueOf(fILOSC)));
    q.setLine(6, Quantity::sql(Quantity::valueOf(fPRZYPOMNIJ)));
}

void TfBhp::bindUpdate(Statement& q, qint64 key) const
{
    q.clearParams();
    q.setParam(0, fNAZWA->text());
    q.setParam(1, fCECHY->text());
    q.setParam(2, fNREWID->text());
    q.setParam(3, fINNE->text());
    q.setLine(1, fKLASYFIKATOR->keyLine(0));
    q.setLine(3, Quantity::sql(Quantity::valueOf(fILOSC)));
    q.setLine(5, Quantity::sql(Quantity::valueOf(fPRZYPOMNIJ)));
    q.setLine(7, QString::number(key));
}

void TfBhp::SBZapiszClick()
{
    auto fail = [this](QWidget* field, const QString& message) {
        m_tabs->setCurrentIndex(Szczegoly);
        refuse(field, message);
    };
    if (fNAZWA->text().trimmed().isEmpty())
        return fail(fNAZWA, QStringLiteral("Nie wprowadzono nazwy środka BHP. Popraw pole."));
    if (fNREWID->text().trimmed().isEmpty())
        return fail(fNREWID, QStringLiteral("Nie wprowadzono numeru ewidencyjnego / symbolu. Popraw pole."));
    double value = 0;
    if (!Quantity::read(fILOSC->text(), &value))
        return fail(fILOSC, QStringLiteral("Niepoprawna ilość na stanie. Popraw pole."));
    if (!Quantity::read(fPRZYPOMNIJ->text(), &value))
        return fail(
            fPRZYPOMNIJ,
            QStringLiteral("Niepoprawna wartość pola \"Przypomnij gdy ilość wyniesie\". Popraw pole."));
    confirm();
}

void TfBhp::applyRights()
{
    const AppState& app = AppState::instance();
    const bool editable = isEditable() && !m_preview;
    m_tabs->setTabVisible(Posiadajacy, m_fullTabs);
    m_lists[Posiadajacy]->setWritable(editable);
    const std::array<std::pair<Tab, std::pair<int, int>>, 3> rights = {
        std::pair<Tab, std::pair<int, int>>{Terminy, {7, 8}}, {Historia, {18, 19}}, {Zalaczniki, {28, 29}}};
    for (const auto& [tab, r] : rights) {
        m_tabs->setTabVisible(tab, m_fullTabs && app.has(r.first));
        m_lists[tab]->setWritable(editable && app.has(r.second));
    }
    if (m_preview)
        for (int t = Posiadajacy; t < TabCount; ++t)
            for (SubList::Action a : {SubList::Preview, SubList::Print})
                if (QPushButton* b = m_lists[t]->button(a))
                    b->setVisible(true);
    // "Drukuj" needs the record print-out.
    for (int t = Posiadajacy; t < TabCount; ++t) {
        if (QPushButton* b = m_lists[t]->button(SubList::Print))
            b->setEnabled(canPrint());
        if (QAction* a = m_lists[t]->menuItem(SubList::Print))
            a->setEnabled(canPrint());
    }
    // "Dodaj do historii" writes history: with its right and outside the preview.
    if (auto* b = findChild<QPushButton*>(QStringLiteral("PosiadajacyHistoria")))
        b->setEnabled(editable && app.has(19));
}

void TfBhp::showEvent(QShowEvent* event)
{
    BhpEditor::showEvent(event);
    showDictionaryButton();
    applyRights();
    if (m_openOnHoldings && m_fullTabs) {
        m_tabs->setCurrentIndex(Posiadajacy);
        m_lists[Posiadajacy]->reload();
    } else {
        m_tabs->setCurrentIndex(Szczegoly);
        fNAZWA->setFocus();
    }
    m_openOnHoldings = false;
}

void TfBhp::tabChanged(int index)
{
    if (index > Szczegoly && index < TabCount && m_key >= 0)
        m_lists[index]->reload();
}
