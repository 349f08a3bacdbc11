#include "editors/TfLicencje.h"

#include "editors/TfBiblioteka.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kRodzLic = QStringLiteral("DBFRodzLic");
} // namespace

TfLicencje::TfLicencje(TmyDataBase& db, QWidget* parent) : SoftwareEditor(db, QStringLiteral("L"), parent)
{
    setObjectName(QStringLiteral("TfLicencje"));
    setWindowTitle(QStringLiteral("Licencja"));
    QLabel* heading = makeHeading(QStringLiteral("Informacje o licencji"));
    m_liquidation = buildLiquidation();
    m_details = buildDetails();
    m_tabs->addTab(m_liquidation, QStringLiteral("Licencja zlikwidowana"));
    m_tabs->addTab(m_details, QStringLiteral("Szczegóły"));
    buildLinkTab(QStringLiteral("Programy objęte licencją"), true);
    buildDeadlineTab();
    buildAttachmentTab();
    m_tabs->setTabVisible(m_tabs->indexOf(m_liquidation), false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(makeButtonBar());
    resize(720, 560);
}

QWidget* TfLicencje::buildLiquidation()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TSZlikwidowana"));
    auto* note = new QLabel(
        QStringLiteral("Licencja została zlikwidowana, a dane o niej przeniesione do archiwum."), page);
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

QWidget* TfLicencje::buildDetails()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TSSzczegoly"));
    fNREWID = textField(page, "fNREWID", 50, QStringLiteral("Nr ewidencyjny"));
    auto* last = toolButton(page, "SpeedButton1", QStringLiteral("<<"),
                            QStringLiteral("Wstaw w pole obok ostatnio wprowadzony numer ewidencyjny"));
    fNRLICENCJI = textField(page, "fNRLICENCJI", 50, QStringLiteral("Numer licencji"));
    fKLUCZ = textField(page, "fKLUCZ", 50, QStringLiteral("Klucz"));
    fHASLO = textField(page, "fHASLO", 50, QStringLiteral("Hasło"));
    fTYPLICENCJI = lookup(page, "fTYPLICENCJI", QStringLiteral("Typ licencji"));
    auto* clearType =
        toolButton(page, "SpeedButton2", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnego typu"));
    QToolButton* dict =
        dictionaryButton(page, "goToSlownik1", fTYPLICENCJI, TfBiblioteka::TypLicencji, kRodzLic);
    fDATAZAKUPU = new DateField(page);
    fDATAZAKUPU->setObjectName(QStringLiteral("fDATAZAKUPU"));
    fDATAZAKUPU->setToolTip(QStringLiteral("Data zakupu licencji"));
    DTPDATAZAKUPU = new CalendarPicker(fDATAZAKUPU, page);
    DTPDATAZAKUPU->setObjectName(QStringLiteral("DTPDATAZAKUPU"));
    fNRFAKTURY = textField(page, "fNRFAKTURY", 20, QStringLiteral("Numer faktury"));
    fNRKPIR =
        textField(page, "fNRKPIR", 30, QStringLiteral("Numer pozycji w Książce Przychodów i Rozchodów"));
    fNETTO = textField(page, "fNETTO", 18, QStringLiteral("Wartość netto"));
    stawkaVAT = lookup(page, "stawkaVAT", QStringLiteral("Wskaż stawkę VAT"));
    stawkaVAT->setMinimumContentsLength(6);
    fVAT = textField(page, "fVAT", 18, QStringLiteral("Kwota VAT"));
    fBRUTTO = textField(page, "fBRUTTO", 18, QStringLiteral("Wartość brutto"));
    fIDFIRMY = lookup(page, "fIDFIRMY", QStringLiteral("Wybierz z listy firmę, która dostarczyła licencję"));
    auto* clearSupplier =
        toolButton(page, "SpeedButton3", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnego dostawcy"));
    fINNE = textField(page, "fINNE", 254, QStringLiteral("Pozostałe informacje"));

    auto* grid = new QGridLayout(page);
    int r = 0;
    auto add = [&](const QString& caption, QWidget* w) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(w);
        grid->addWidget(label, r, 0);
        grid->addWidget(w, r, 1);
        ++r;
    };
    add(QStringLiteral("Nr ewidencyjny"), row(page, {fNREWID, last}));
    add(QStringLiteral("Numer licencji"), fNRLICENCJI);
    add(QStringLiteral("Klucz"), fKLUCZ);
    add(QStringLiteral("Hasło"), fHASLO);
    add(QStringLiteral("Typ licencji"), row(page, {fTYPLICENCJI, clearType, dict}));
    add(QStringLiteral("Data zakupu"), row(page, {fDATAZAKUPU, DTPDATAZAKUPU}, false));
    add(QStringLiteral("Numer faktury"), fNRFAKTURY);
    add(QStringLiteral("Nr KPiR"), fNRKPIR);
    add(QStringLiteral("Wartość netto"), row(page, {fNETTO}, false));
    add(QStringLiteral("Stawka VAT"), row(page, {stawkaVAT}, false));
    add(QStringLiteral("Kwota VAT"), row(page, {fVAT}, false));
    add(QStringLiteral("Wartość brutto"), row(page, {fBRUTTO}, false));
    add(QStringLiteral("Dostawca"),
        row(page, {fIDFIRMY, clearSupplier,
                   new QLabel(QStringLiteral("Brak dostawcy? Dopisz w Bibliotece"), page)}));
    add(QStringLiteral("Inne"), fINNE);
    grid->setRowStretch(r, 1);
    grid->setColumnStretch(1, 1);

    m_amounts = new AmountFields(fNETTO, stawkaVAT, fVAT, fBRUTTO, this);
    m_amounts->setSaveAction([this] { saveIfEditable(); });
    m_amounts->setCancelAction([this] { reject(); });

    fTYPLICENCJI->bind(&db().statement(kRodzLic), QStringLiteral("KOD"), QStringLiteral("OPIS"));
    stawkaVAT->bind(&db().statement(QStringLiteral("DBFStawkiVAT")), QStringLiteral("OPIS"),
                    QStringLiteral("OPIS"));
    fIDFIRMY->bind(&db().statement(QStringLiteral("DBFDostawcy")), QStringLiteral("IDFIRMY"),
                   QStringLiteral("DOSTAWCA"));
    connect(last, &QToolButton::clicked, this, &TfLicencje::SpeedButton1Click);
    connect(clearType, &QToolButton::clicked, this, [this] { fTYPLICENCJI->setKey(0); });
    connect(clearSupplier, &QToolButton::clicked, this, [this] { fIDFIRMY->clearChoice(); });
    return page;
}

void TfLicencje::reopenLookups()
{
    db().reopenLookup(QStringLiteral("DBFDostawcy"));
    db().reopenLookup(kRodzLic);
    db().reopenLookup(QStringLiteral("DBFStawkiVAT"));
    for (Lookup* l : {fIDFIRMY, fTYPLICENCJI, stawkaVAT})
        l->refill();
}

void TfLicencje::prepareNew()
{
    prepareNewLists();
    for (QLineEdit* e : {fNREWID, fNRLICENCJI, fKLUCZ, fHASLO, fNRFAKTURY, fNRKPIR, fINNE, fPRZYCZYNA})
        e->clear();
    m_amounts->clear();
    fTYPLICENCJI->clearChoice();
    fIDFIRMY->clearChoice();
    fDATAZAKUPU->clearDate();
    fDATAARCH->clearDate();
}

void TfLicencje::fillFromRow(const Statement& row)
{
    auto text = [&](const char* field) { return row.text(QLatin1String(field)); };
    fNREWID->setText(text("NREWID"));
    fNRLICENCJI->setText(text("NRLICENCJI"));
    fKLUCZ->setText(text("KLUCZ"));
    fHASLO->setText(text("HASLO"));
    fNRFAKTURY->setText(text("NRFAKTURY"));
    fNRKPIR->setText(text("NRKPIR"));
    fINNE->setText(text("INNE"));
    fPRZYCZYNA->setText(text("PRZYCZYNA"));
    m_amounts->setAmounts(row.number(QStringLiteral("NETTO")), row.number(QStringLiteral("VAT")),
                          row.number(QStringLiteral("BRUTTO")));
    fTYPLICENCJI->setKey(row.integer(QStringLiteral("TYPLICENCJI")));
    fIDFIRMY->setKey(row.integer(QStringLiteral("IDFIRMY")));
    fDATAZAKUPU->setYmd(row.integer(QStringLiteral("DATAZAKUPU")));
    fDATAARCH->setYmd(row.integer(QStringLiteral("DATAARCH")));
}

void TfLicencje::showEvent(QShowEvent* event)
{
    SoftwareEditor::showEvent(event);
    // The liquidation date and reason are written by the liquidation command only.
    fDATAARCH->setReadOnly(true);
    fPRZYCZYNA->setReadOnly(true);
    const bool onLinks = applyTabs();
    const int liquidation = m_tabs->indexOf(m_liquidation);
    m_tabs->setTabVisible(liquidation, false);
    if (!fDATAARCH->isEmptyDate() || showsLiquidation()) {
        m_tabs->setTabVisible(liquidation, true);
        m_tabs->setCurrentIndex(liquidation);
    } else if (onLinks) {
        showTab(linkPage());
    } else {
        m_tabs->setCurrentWidget(m_details);
        fNRLICENCJI->setFocus();
        DTPDATAZAKUPU->syncFromField();
    }
}

void TfLicencje::SBZapiszClick()
{
    if (fNRLICENCJI->text().trimmed().isEmpty()) {
        m_tabs->setCurrentWidget(m_details);
        refuse(fNRLICENCJI, QStringLiteral("Nie wprowadzono numeru licencji. Popraw pole."));
        return;
    }
    if (!fDATAZAKUPU->isEmptyDate() && !fDATAZAKUPU->isValidDate()) {
        m_tabs->setCurrentWidget(m_details);
        refuse(fDATAZAKUPU, QStringLiteral("Niepoprawny format daty zakupu licencji. Popraw pole."));
        return;
    }
    m_tabs->setCurrentWidget(m_details);
    if (!m_amounts->check())
        return;
    confirm();
}

void TfLicencje::SpeedButton1Click()
{
    fNREWID->setText(
        db().lastValue(QStringLiteral("IDLICENCJI"), QStringLiteral("NREWID"), QStringLiteral("licencje")));
}
