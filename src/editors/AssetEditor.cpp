#include "editors/AssetEditor.h"

#include "editors/ComputerTabs.h"
#include "editors/FieldBuilders.h"
#include "editors/SubList.h"
#include "editors/TfBiblioteka.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DataGrid.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
using namespace FieldBuilders;

QLineEdit* textField(QWidget* parent, const char* name, int maxLength, const QString& hint)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    e->setToolTip(hint);
    return e;
}

const QString kKlasyfikator = QStringLiteral("DBFKlasyfikator");
} // namespace

AssetEditor::AssetEditor(TmyDataBase& db, Variant variant, QWidget* parent)
    : EditorDialog(parent), m_db(db), m_variant(std::move(variant))
{
    setObjectName(QLatin1String(m_variant.objectName));
    setWindowTitle(m_variant.caption);
}

void AssetEditor::build()
{
    TmyDataBase& db = m_db;
    auto* heading = new QLabel(m_variant.header, this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_pages.resize(TabCount);
    m_pages[Zlikwidowany] = buildLiquidation();
    m_pages[Szczegoly] = buildDetails();
    m_pages[Wlasciwosci] = buildProperties();
    m_tabs->addTab(m_pages[Zlikwidowany], m_variant.liquidatedTab);
    m_tabs->addTab(m_pages[Szczegoly], QStringLiteral("Szczegóły"));
    m_tabs->addTab(m_pages[Wlasciwosci], QStringLiteral("Właściwości"));
    m_lists = new ComputerTabs(db, *this, m_tabs);
    for (int t = Uzytkownicy; t < TabCount; ++t)
        if (SubList* l = m_lists->list(Tab(t)))
            m_pages[t] = l->grid()->parentWidget();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(makeButtonBar());
    resize(760, 600);

    bindLookups();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { tabChanged(index); });
    m_tabs->setTabVisible(Zlikwidowany, false);
}

AssetEditor::~AssetEditor() = default;

int AssetEditor::indexOf(Tab tab) const
{
    return tab >= 0 && tab < TabCount && m_pages[tab] ? m_tabs->indexOf(m_pages[tab]) : -1;
}

QWidget* AssetEditor::extraDetail(QWidget*, QString*)
{
    return nullptr;
}

QWidget* AssetEditor::buildLiquidation()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TSZlikwidowany"));
    auto* note = new QLabel(m_variant.liquidatedNote, page);
    note->setObjectName(QStringLiteral("labZlikwidowany"));
    note->setAutoFillBackground(true);
    note->setStyleSheet(QStringLiteral("QLabel { color: white; background-color: #a02020; font-weight: bold; "
                                       "padding: 6px; }"));
    note->setWordWrap(true);
    fDATAARCH = new DateField(page);
    fDATAARCH->setObjectName(QStringLiteral("fDATAARCH"));
    fDATAARCH->setToolTip(QStringLiteral("Data likwidacji wybranego elementu"));
    fPRZYCZYNA =
        textField(page, "fPRZYCZYNA", 254, QStringLiteral("Przyczyna likwidacji wybranego elementu"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Data likwidacji"), page), 0, 0);
    grid->addWidget(row(page, {fDATAARCH}, false), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Przyczyna likwidacji"), page), 1, 0);
    grid->addWidget(fPRZYCZYNA, 1, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(note);
    layout->addLayout(grid);
    layout->addStretch();
    return page;
}

QWidget* AssetEditor::buildDetails()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TSSzczegoly"));
    fNREWID = textField(page, "fNREWID", 50, m_variant.hintNumber);
    auto* last = toolButton(page, "SpeedButton4", QStringLiteral("<<"),
                            QStringLiteral("Wstaw w pole obok ostatnio wprowadzony numer ewidencyjny"));
    fNRSERYJNY = textField(page, "fNRSERYJNY", 50, QStringLiteral("Numer seryjny producenta"));
    fNAZWA = textField(page, "fNAZWA", 254, m_variant.hintName);
    fDATAPROD = new DateField(page);
    fDATAPROD->setObjectName(QStringLiteral("fDATAPROD"));
    fDATAPROD->setToolTip(m_variant.hintProduced);
    DTPDATAPROD = new CalendarPicker(fDATAPROD, page);
    DTPDATAPROD->setObjectName(QStringLiteral("DTPDATAPROD"));
    auto* dateNote = new QLabel(QStringLiteral("DD-MM-RRRR"), page);
    dateNote->setStyleSheet(QStringLiteral("color: grey;"));
    fPRODUCENT = textField(page, "fPRODUCENT", 254, m_variant.hintProducer);
    fSTANTECH = lookup(page, "fSTANTECH", m_variant.hintState);
    fKLASYFIKATOR = lookup(page, "fKLASYFIKATOR", m_variant.hintClass);
    fNRFAKTURY = textField(page, "fNRFAKTURY", 20, QStringLiteral("Numer faktury"));
    fDATAZAKUPU = new DateField(page);
    fDATAZAKUPU->setObjectName(QStringLiteral("fDATAZAKUPU"));
    fDATAZAKUPU->setToolTip(m_variant.hintBought);
    DTPDATAZAKUPU = new CalendarPicker(fDATAZAKUPU, page);
    DTPDATAZAKUPU->setObjectName(QStringLiteral("DTPDATAZAKUPU"));
    fNRKPIR = textField(page, "fNRKPIR", 30, QString());
    m_kpirLabel = new QLabel(page);
    m_kpirLabel->setObjectName(QStringLiteral("LNRKPIR"));
    fNETTO = textField(page, "fNETTO", 18, m_variant.hintNet);
    stawkaVAT = lookup(page, "stawkaVAT", QStringLiteral("Wskaż stawkę VAT"));
    stawkaVAT->setMinimumContentsLength(6);
    fVAT = textField(page, "fVAT", 18, QStringLiteral("Kwota VAT"));
    fBRUTTO = textField(page, "fBRUTTO", 18, QStringLiteral("Wartość brutto"));
    fIDFIRMY = lookup(page, "fIDFIRMY", m_variant.hintSupplier);
    fNREW = lookup(page, "fNREW", m_variant.hintEmployee);
    fLOKALIZACJA = lookup(page, "fLOKALIZACJA", m_variant.hintLocation);
    fINNE = textField(page, "fINNE", 254, QStringLiteral("Pozostałe informacje"));

    auto* clearState =
        toolButton(page, "SpeedButton3", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnego stanu"));
    auto* clearClass = toolButton(page, "SpeedButton2", QStringLiteral("X"),
                                  QStringLiteral("Nie wskazuj żadnego klasyfikatora"));
    auto* clearSupplier =
        toolButton(page, "SpeedButton8", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnego dostawcy"));
    auto* clearEmployee = toolButton(page, "SpeedButton1", QStringLiteral("X"),
                                     QStringLiteral("Nie wskazuj żadnego pracownika"));
    auto* clearLocation = toolButton(page, "SpeedButton7", QStringLiteral("X"), m_variant.hintClearLocation);
    auto* dict1 =
        toolButton(page, "goToSlownik1", QStringLiteral("[...]"), QStringLiteral("Edytuj słowniki"));
    auto* dict2 =
        toolButton(page, "goToSlownik2", QStringLiteral("[...]"), QStringLiteral("Edytuj słowniki"));
    auto* dict3 =
        toolButton(page, "goToSlownik3", QStringLiteral("[...]"), QStringLiteral("Edytuj słowniki"));
    m_dictionaryButtons = {dict1, dict2, dict3};

    auto* grid = new QGridLayout(page);
    int r = 0;
    auto add = [&](const QString& caption, QWidget* w) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(w);
        grid->addWidget(label, r, 0);
        grid->addWidget(w, r, 1);
        ++r;
        return label;
    };
    add(QStringLiteral("Nr ewidencyjny"), row(page, {fNREWID, last}));
    add(QStringLiteral("Numer seryjny"), fNRSERYJNY);
    add(QStringLiteral("Nazwa"), fNAZWA);
    dateNote->setVisible(m_variant.dateNote);
    add(QStringLiteral("Data produkcji"), row(page, {fDATAPROD, DTPDATAPROD, dateNote}, false));
    add(QStringLiteral("Producent"), fPRODUCENT);
    add(QStringLiteral("Stan techniczny"), row(page, {fSTANTECH, clearState, dict1}));
    add(QStringLiteral("Klasyfikacja"), row(page, {fKLASYFIKATOR, clearClass, dict2}));
    QString extraCaption;
    if (QWidget* extra = extraDetail(page, &extraCaption))
        add(extraCaption, extra);
    add(QStringLiteral("Numer faktury"), fNRFAKTURY);
    add(QStringLiteral("Data zakupu"), row(page, {fDATAZAKUPU, DTPDATAZAKUPU}, false));
    grid->addWidget(m_kpirLabel, r, 0);
    grid->addWidget(fNRKPIR, r++, 1);
    add(QStringLiteral("Wartość netto"), row(page, {fNETTO}, false));
    add(QStringLiteral("Stawka VAT"), row(page, {stawkaVAT}, false));
    add(QStringLiteral("Kwota VAT"), row(page, {fVAT}, false));
    add(QStringLiteral("Wartość brutto"), row(page, {fBRUTTO}, false));
    add(QStringLiteral("Dostawca"),
        row(page, {fIDFIRMY, clearSupplier, new QLabel(m_variant.noteSupplier, page)}));
    add(QStringLiteral("Osoba odpowiedzialna"),
        row(page, {fNREW, clearEmployee, new QLabel(m_variant.noteEmployee, page)}));
    add(QStringLiteral("Lokalizacja"), row(page, {fLOKALIZACJA, clearLocation, dict3}));
    add(QStringLiteral("Inne"), fINNE);
    grid->setRowStretch(r, 1);
    grid->setColumnStretch(1, 1);

    m_amounts = new AmountFields(fNETTO, stawkaVAT, fVAT, fBRUTTO, this);
    m_amounts->setSaveAction([this] { saveIfEditable(); });
    m_amounts->setCancelAction([this] { reject(); });

    connect(last, &QToolButton::clicked, this, &AssetEditor::SpeedButton4Click);
    connect(clearState, &QToolButton::clicked, this, [this] { fSTANTECH->setKey(0); });
    connect(clearClass, &QToolButton::clicked, this, [this] { fKLASYFIKATOR->setKey(0); });
    connect(clearLocation, &QToolButton::clicked, this, [this] { fLOKALIZACJA->setKey(0); });
    connect(clearSupplier, &QToolButton::clicked, this, [this] { fIDFIRMY->clearChoice(); });
    connect(clearEmployee, &QToolButton::clicked, this, [this] { fNREW->clearChoice(); });
    connect(dict1, &QToolButton::clicked, this,
            [this] { goToSlownik(TfBiblioteka::StanTechniczny, fSTANTECH, QStringLiteral("DBFStantech")); });
    connect(dict2, &QToolButton::clicked, this, [this] {
        goToSlownik(m_variant.classifierDictionary, fKLASYFIKATOR, kKlasyfikator, m_variant.classifierCode);
    });
    connect(dict3, &QToolButton::clicked, this, [this] {
        goToSlownik(TfBiblioteka::Lokalizacje, fLOKALIZACJA, QStringLiteral("DBFLokalizacje"));
    });
    return page;
}

QWidget* AssetEditor::buildProperties()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TSWlasciwosci"));
    auto* grid = new QGridLayout(page);
    for (int lp = 1; lp <= 14; ++lp) {
        auto* label = new QLabel(QString::number(lp) + QLatin1Char('.'), page);
        label->setObjectName(QStringLiteral("labWl") + QString::number(lp));
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QStringLiteral("wlK") + QString::number(lp));
        edit->setMaxLength(100);
        label->setBuddy(edit);
        grid->addWidget(label, lp - 1, 0);
        grid->addWidget(edit, lp - 1, 1);
        m_propertyLabels << label;
        m_propertyEdits << edit;
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(14, 1);
    return page;
}

void AssetEditor::bindLookups()
{
    const QString kod = QStringLiteral("KOD");
    const QString opis = QStringLiteral("OPIS");
    fSTANTECH->bind(&m_db.statement(QStringLiteral("DBFStantech")), kod, opis);
    fKLASYFIKATOR->bind(&m_db.statement(kKlasyfikator), kod, opis);
    fLOKALIZACJA->bind(&m_db.statement(QStringLiteral("DBFLokalizacje")), kod, opis);
    stawkaVAT->bind(&m_db.statement(QStringLiteral("DBFStawkiVAT")), opis, opis);
    fIDFIRMY->bind(&m_db.statement(QStringLiteral("DBFDostawcy")), QStringLiteral("IDFIRMY"),
                   QStringLiteral("DOSTAWCA"));
    fNREW->bindSearch(&m_db, QStringLiteral("DBFPracownicy"));
}

TfBiblioteka* AssetEditor::dictionaryEditor()
{
    if (!m_biblioteka)
        m_biblioteka = new TfBiblioteka(m_db, this);
    return m_biblioteka;
}

void AssetEditor::reopenLookups()
{
    m_db.reopenLookup(QStringLiteral("DBFDostawcy"));
    m_db.reopenLookup(kKlasyfikator, m_variant.classifierCode);
    m_db.reopenLookup(QStringLiteral("DBFLokalizacje"));
    m_db.reopenLookup(QStringLiteral("DBFStantech"));
    m_db.reopenLookup(QStringLiteral("DBFStawkiVAT"));
    for (Lookup* l : {fIDFIRMY, fNREW, fKLASYFIKATOR, fLOKALIZACJA, fSTANTECH, stawkaVAT})
        l->refill();
}

void AssetEditor::restoreClassifier()
{
    m_db.reopenLookup(kKlasyfikator, m_variant.classifierCode);
    fKLASYFIKATOR->refill();
}

void AssetEditor::prepareNew()
{
    m_key = -1;
    m_fullTabs = false;
    m_openOnProperties = false;
    fDATAARCH->clearDate();
    fPRZYCZYNA->clear();
    for (QLineEdit* e : {fNREWID, fNRSERYJNY, fNAZWA, fPRODUCENT, fNRFAKTURY, fNRKPIR, fINNE})
        e->clear();
    for (QLineEdit* e : m_propertyEdits)
        e->clear();
    m_amounts->clear();
    for (Lookup* l : {fSTANTECH, fKLASYFIKATOR, fLOKALIZACJA, fIDFIRMY, fNREW})
        l->clearChoice();
    fDATAPROD->clearDate();
    fDATAZAKUPU->clearDate();
    for (int t = Wlasciwosci; t < TabCount; ++t)
        if (indexOf(Tab(t)) >= 0)
            m_tabs->setTabVisible(indexOf(Tab(t)), false);
}

void AssetEditor::fillFromRow(const Statement& row)
{
    auto text = [&](const char* field) { return row.text(QLatin1String(field)); };
    fNAZWA->setText(text("NAZWA"));
    fPRODUCENT->setText(text("PRODUCENT"));
    fNREWID->setText(text("NREWID"));
    fNRSERYJNY->setText(text("NRSERYJNY"));
    fNRFAKTURY->setText(text("NRFAKTURY"));
    fNRKPIR->setText(text("NRKPIR"));
    fINNE->setText(text("INNE"));
    fPRZYCZYNA->setText(text("PRZYCZYNA"));
    m_amounts->setAmounts(row.number(QStringLiteral("NETTO")), row.number(QStringLiteral("VAT")),
                          row.number(QStringLiteral("BRUTTO")));
    fIDFIRMY->setKey(row.integer(QStringLiteral("IDFIRMY")));
    fNREW->setKey(text("NREW"));
    fSTANTECH->setKey(row.integer(QStringLiteral("STANTECH")));
    fKLASYFIKATOR->setKey(row.integer(QStringLiteral("KLASYFIKATOR")));
    fLOKALIZACJA->setKey(row.integer(QStringLiteral("LOKALIZACJA")));
    fDATAPROD->setYmd(row.integer(QStringLiteral("DATAPROD")));
    fDATAZAKUPU->setYmd(row.integer(QStringLiteral("DATAZAKUPU")));
    fDATAARCH->setYmd(row.integer(QStringLiteral("DATAARCH")));
}

void AssetEditor::prepare(const QString& kind, qint64 key)
{
    m_key = key;
    m_fullTabs = true;
    loadCaptions(captionClassifier());
    for (QLineEdit* e : m_propertyEdits)
        e->clear();
    if (m_db.openPropertyValues(kind, key)) {
        Statement& values = m_db.statement(QStringLiteral("DBFWlasciwosci"));
        values.first();
        for (int i = 0; i < 14 && !values.eof(); ++i, values.next())
            m_propertyEdits[i]->setText(values.text(QStringLiteral("WARTOSC")));
        values.close();
    }
    m_lists->setOwner(kind, key);
    for (int t = Wlasciwosci; t < TabCount; ++t)
        if (indexOf(Tab(t)) >= 0)
            m_tabs->setTabVisible(indexOf(Tab(t)), true);
}

void AssetEditor::loadCaptions(qint64 classifier)
{
    if (m_db.openPropertyNames(m_variant.kind, classifier)) {
        Statement& names = m_db.statement(QStringLiteral("DBFNazwaWlasciwosci"));
        names.first();
        for (int i = 0; i < 14; ++i) {
            m_propertyLabels[i]->setText(names.eof() ? QString() : names.text(QStringLiteral("NAZWA")));
            names.next();
        }
        names.close();
    }
}

void AssetEditor::setPreview(bool on, bool showLiquidation)
{
    m_preview = on;
    m_showLiquidation = on && showLiquidation;
    setReadOnly(on);
    m_lists->setPreview(on);
    fDATAARCH->setReadOnly(true);
    fPRZYCZYNA->setReadOnly(true);
}

QString AssetEditor::propertyValue(int lp) const
{
    return lp >= 1 && lp <= 14 ? m_propertyEdits[lp - 1]->text() : QString();
}

QString AssetEditor::propertyCaption(int lp) const
{
    return lp >= 1 && lp <= 14 ? m_propertyLabels[lp - 1]->text() : QString();
}

void AssetEditor::setHistoryPrefill(const QString& nrew)
{
    m_historyPrefill = true;
    m_historyPerson = nrew;
}

bool AssetEditor::takeHistoryPrefill(QString* nrew)
{
    const bool was = m_historyPrefill;
    if (was && nrew)
        *nrew = m_historyPerson;
    m_historyPrefill = false;
    m_historyPerson.clear();
    return was;
}

SubList* AssetEditor::subList(Tab tab) const
{
    return m_lists->list(tab);
}

void AssetEditor::showEvent(QShowEvent* event)
{
    EditorDialog::showEvent(event);
    m_kpirLabel->setText(QStringLiteral("Nr KPiR"));
    fNRKPIR->setToolTip(QStringLiteral("Numer pozycji w Książce Przychodów i Rozchodów"));
    m_historyPrefill = false;
    m_historyPerson.clear();
    // The liquidation date and reason are written by the liquidation command only.
    fDATAARCH->setReadOnly(true);
    fPRZYCZYNA->setReadOnly(true);

    const AppState& app = AppState::instance();
    const bool editable = isEditable();
    for (QToolButton* b : m_dictionaryButtons)
        b->setVisible(editable && app.has(12));
    m_lists->applyRights(m_fullTabs, editable && !m_preview);

    m_tabs->setTabVisible(Zlikwidowany, false);
    if (!fDATAARCH->isEmptyDate() || m_showLiquidation) {
        m_tabs->setTabVisible(Zlikwidowany, true);
        m_tabs->setCurrentIndex(Zlikwidowany);
    } else if (m_openOnProperties && m_tabs->isTabVisible(Wlasciwosci)) {
        m_tabs->setCurrentIndex(Wlasciwosci);
        m_propertyEdits.first()->setFocus();
    } else {
        m_tabs->setCurrentIndex(Szczegoly);
        fNREWID->setFocus();
        DTPDATAPROD->syncFromField();
        DTPDATAZAKUPU->syncFromField();
    }
    m_openOnProperties = false;
}

void AssetEditor::tabChanged(int index)
{
    QWidget* page = m_tabs->widget(index);
    for (int t = Uzytkownicy; t < TabCount; ++t)
        if (page && m_pages[t] == page && m_key >= 0)
            m_lists->reload(Tab(t));
}

void AssetEditor::SBZapiszClick()
{
    if (fNREWID->text().trimmed().isEmpty()) {
        m_tabs->setCurrentIndex(Szczegoly);
        refuse(fNREWID, m_variant.noNumber);
        return;
    }
    if (fNAZWA->text().trimmed().isEmpty()) {
        m_tabs->setCurrentIndex(Szczegoly);
        refuse(fNAZWA, m_variant.noName);
        return;
    }
    if (!fDATAPROD->isEmptyDate() && !fDATAPROD->isValidDate()) {
        m_tabs->setCurrentIndex(Szczegoly);
        refuse(fDATAPROD, QStringLiteral("Niepoprawny format daty produkcji. Popraw pole."));
        return;
    }
    if (!fDATAZAKUPU->isEmptyDate() && !fDATAZAKUPU->isValidDate()) {
        m_tabs->setCurrentIndex(Szczegoly);
        refuse(fDATAZAKUPU, m_variant.badPurchaseDate);
        return;
    }
    // The amount check puts the focus on a field of "Szczegóły".
    m_tabs->setCurrentIndex(Szczegoly);
    if (!m_amounts->check())
        return;
    confirm();
}

void AssetEditor::SpeedButton4Click()
{
    fNREWID->setText(m_db.lastValue(m_variant.keyColumn, QStringLiteral("NREWID"), m_variant.table));
}

void AssetEditor::goToSlownik(int dictionaryIndex, Lookup* lookup, const QString& statement,
                              const QString& code)
{
    TfBiblioteka* editor = dictionaryEditor();
    editor->setDictionary(dictionaryIndex);
    editor->exec();
    m_db.reopenLookup(statement, code);
    lookup->refill();
}
