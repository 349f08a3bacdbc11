#include "bhp/TfZakupBhp.h"

#include "bhp/Quantity.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TfZakupBhp::TfZakupBhp(TmyDataBase& db, QWidget* parent) : BhpEditor(db, parent)
{
    setObjectName(QStringLiteral("TfZakupBhp"));
    setWindowTitle(QStringLiteral("Zakup środków BHP"));
    QLabel* heading = makeHeading(QStringLiteral("Informacje o zakupie Odzieży / Środków BHP"));

    buildIdentity(this, QStringLiteral("zakupbhp"), QStringLiteral("IDZAKUPBHP"),
                  QStringLiteral("Nazwa odzieży / środka BHP"));
    fNRFAKTURY = textField(this, "fNRFAKTURY", 20, QStringLiteral("Numer faktury"));
    fILOSC = textField(this, "fILOSC", 18, QStringLiteral("Ilość zakupionej odzieży / środka BHP"));
    AmountFields::typeDecimalComma(fILOSC);
    fDATAZAKUPU = new DateField(this);
    fDATAZAKUPU->setObjectName(QStringLiteral("fDATAZAKUPU"));
    fDATAZAKUPU->setToolTip(QStringLiteral("Data zakupu środka"));
    DTPDATAZAKUPU = new CalendarPicker(fDATAZAKUPU, this);
    DTPDATAZAKUPU->setObjectName(QStringLiteral("DTPDATAZAKUPU"));
    auto* dateNote = new QLabel(QStringLiteral("DD-MM-RRRR"), this);
    dateNote->setStyleSheet(QStringLiteral("color: grey;"));
    fPRODUCENT = textField(this, "fPRODUCENT", 254, QStringLiteral("Producent środka"));
    fNETTO = textField(this, "fNETTO", 18, QStringLiteral("Wartość netto"));
    stawkaVAT = new Lookup(this);
    stawkaVAT->setObjectName(QStringLiteral("stawkaVAT"));
    stawkaVAT->setToolTip(QStringLiteral("Wskaż stawkę VAT"));
    stawkaVAT->setMinimumContentsLength(6);
    fVAT = textField(this, "fVAT", 18, QStringLiteral("Kwota VAT"));
    fBRUTTO = textField(this, "fBRUTTO", 18, QStringLiteral("Wartość brutto"));
    fIDFIRMY = new Lookup(this);
    fIDFIRMY->setObjectName(QStringLiteral("fIDFIRMY"));
    fIDFIRMY->setToolTip(QStringLiteral("Wybierz z listy firmę, która dostarczyła odzież / środek BHP"));
    auto* clearSupplier =
        toolButton(this, "SpeedButton8", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnego dostawcy"));
    auto* supplierNote = new QLabel(QStringLiteral("Brakuje dostawcy? Dopisz go w Słownikach."), this);
    supplierNote->setStyleSheet(QStringLiteral("color: grey;"));
    fNRKPIR =
        textField(this, "fNRKPIR", 30, QStringLiteral("Numer pozycji w Książce Przychodów i Rozchodów"));
    dodajDoBhp = new QCheckBox(QStringLiteral("Dodaj powyższe dane do odzieży i środków BHP"), this);
    dodajDoBhp->setObjectName(QStringLiteral("dodajDoBhp"));

    auto* grid = new QGridLayout;
    int r = 0;
    auto add = [&](const QString& caption, QWidget* w) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(w);
        grid->addWidget(label, r, 0);
        grid->addWidget(w, r++, 1);
    };
    add(QStringLiteral("Numer faktury"), fNRFAKTURY);
    add(QStringLiteral("Nr ewidencyjny"), row(this, {fNREWID, m_lastNumber}));
    add(QStringLiteral("Nazwa"), fNAZWA);
    add(QStringLiteral("Ilość środka"), row(this, {fILOSC}, false));
    add(QStringLiteral("Data zakupu"), row(this, {fDATAZAKUPU, DTPDATAZAKUPU, dateNote}, false));
    add(QStringLiteral("Inne"), fINNE);
    add(QStringLiteral("Producent"), fPRODUCENT);
    add(QStringLiteral("Cechy"), fCECHY);
    add(QStringLiteral("Klasyfikacja"), row(this, {fKLASYFIKATOR, goToSlownik1}));
    add(QStringLiteral("Wartość netto"), row(this, {fNETTO}, false));
    add(QStringLiteral("Stawka VAT"), row(this, {stawkaVAT}, false));
    add(QStringLiteral("Kwota VAT"), row(this, {fVAT}, false));
    add(QStringLiteral("Wartość brutto"), row(this, {fBRUTTO}, false));
    add(QStringLiteral("Dostawca"), row(this, {fIDFIRMY, clearSupplier}));
    grid->addWidget(supplierNote, r++, 1);
    add(QStringLiteral("Nr KPiR"), row(this, {fNRKPIR}, false));
    grid->setColumnStretch(1, 1);

    auto* bar = makeButtonBar();
    bar->insertWidget(0, dodajDoBhp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(bar);

    m_amounts = new AmountFields(fNETTO, stawkaVAT, fVAT, fBRUTTO, this);
    m_amounts->setSaveAction([this] { saveIfEditable(); });
    m_amounts->setCancelAction([this] { reject(); });
    stawkaVAT->bind(&db.statement(QStringLiteral("DBFStawkiVAT")), QStringLiteral("OPIS"),
                    QStringLiteral("OPIS"));
    fIDFIRMY->bind(&db.statement(QStringLiteral("DBFDostawcy")), QStringLiteral("IDFIRMY"),
                   QStringLiteral("DOSTAWCA"));
    connect(clearSupplier, &QToolButton::clicked, this, [this] { fIDFIRMY->clearChoice(); });
    resize(640, sizeHint().height());
}

void TfZakupBhp::reopenLookups()
{
    db().reopenLookup(QStringLiteral("DBFDostawcy"));
    db().reopenLookup(QStringLiteral("DBFStawkiVAT"));
    fIDFIRMY->refill();
    stawkaVAT->refill();
    reopenClassifier();
}

void TfZakupBhp::prepareNew()
{
    for (QLineEdit* e : {fNREWID, fNAZWA, fINNE, fCECHY, fNRFAKTURY, fILOSC, fPRODUCENT, fNRKPIR})
        e->clear();
    m_amounts->clear();
    fIDFIRMY->clearChoice();
    chooseFirstClassifier();
    fDATAZAKUPU->clearDate();
    dodajDoBhp->setChecked(false);
}

void TfZakupBhp::fillFromRow(const Statement& row)
{
    auto text = [&](const char* field) { return row.text(QLatin1String(field)); };
    setIdentity({text("NAZWA"), text("CECHY"), text("NREWID"), text("INNE"), 0,
                 row.integer(QStringLiteral("KLASYFIKATOR"))});
    fNRFAKTURY->setText(text("NRFAKTURY"));
    fPRODUCENT->setText(text("PRODUCENT"));
    fNRKPIR->setText(text("NRKPIR"));
    fILOSC->setText(Quantity::format(row.number(QStringLiteral("ILOSC"))));
    m_amounts->setAmounts(row.number(QStringLiteral("NETTO")), row.number(QStringLiteral("VAT")),
                          row.number(QStringLiteral("BRUTTO")));
    fIDFIRMY->setKey(row.integer(QStringLiteral("IDFIRMY")));
    fDATAZAKUPU->setYmd(row.integer(QStringLiteral("DATAZAKUPU")));
    dodajDoBhp->setChecked(false);
}

void TfZakupBhp::fillFromItem(const BhpItemData& item)
{
    prepareNew();
    setIdentity(item);
    fILOSC->setText(Quantity::format(0));
}

bool TfZakupBhp::addToItems() const
{
    return dodajDoBhp->isChecked();
}

BhpItemData TfZakupBhp::toItem() const
{
    return itemData(Quantity::valueOf(fILOSC));
}

void TfZakupBhp::bindValues(Statement& q, int line) const
{
    q.setLine(line, fIDFIRMY->keyLine(-1));
    q.setLine(line + 2, QString::number(fDATAZAKUPU->ymd()));
    q.setLine(line + 4, amountSql(QStringLiteral("NETTO")));
    q.setLine(line + 6, amountSql(QStringLiteral("VAT")));
    q.setLine(line + 8, amountSql(QStringLiteral("BRUTTO")));
    q.setLine(line + 10, fKLASYFIKATOR->keyLine(0));
    q.setLine(line + 12, Quantity::sql(Quantity::valueOf(fILOSC)));
}

void TfZakupBhp::bindInsert(Statement& q) const
{
    q.clearParams();
    int p = 0;
    for (const QLineEdit* e : {fNAZWA, fCECHY, fPRODUCENT, fNREWID, fNRFAKTURY, fINNE, fNRKPIR})
        q.setParam(p++, e->text());
    bindValues(q, 3);
}

void TfZakupBhp::bindUpdate(Statement& q, qint64 key) const
{
    q.clearParams();
    int p = 0;
    for (const QLineEdit* e : {fNAZWA, fCECHY, fPRODUCENT, fNREWID, fNRFAKTURY, fINNE, fNRKPIR})
        q.setParam(p++, e->text());
    bindValues(q, 2);
    q.setLine(16, QString::number(key));
}

void TfZakupBhp::SBZapiszClick()
{
    if (fNAZWA->text().trimmed().isEmpty()) {
        refuse(fNAZWA, QStringLiteral("Nie wprowadzono nazwy sprzętu. Popraw pole."));
        return;
    }
    if (!fDATAZAKUPU->isEmptyDate() && !fDATAZAKUPU->isValidDate()) {
        refuse(fDATAZAKUPU, QStringLiteral("Niepoprawny format daty zakupu sprzętu. Popraw pole."));
        return;
    }
    double ilosc = 0;
    if (!Quantity::read(fILOSC->text(), &ilosc)) {
        refuse(fILOSC, QStringLiteral("Niepoprawna ilość na stanie. Popraw pole."));
        return;
    }
    fILOSC->setText(AmountFields::shortest(ilosc));
    if (!m_amounts->check())
        return;
    // Numbers are written without the blanks around them.
    fNREWID->setText(fNREWID->text().trimmed());
    confirm();
}

void TfZakupBhp::showEvent(QShowEvent* event)
{
    BhpEditor::showEvent(event);
    showDictionaryButton();
    DTPDATAZAKUPU->syncFromField();
    fNAZWA->setFocus();
}
