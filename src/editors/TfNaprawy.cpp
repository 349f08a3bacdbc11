#include "editors/TfNaprawy.h"

#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TfNaprawy::TfNaprawy(TmyDataBase& db, QWidget* parent) : SubRecordDialog(db, parent)
{
    setObjectName(QStringLiteral("TfNaprawy"));
    setWindowTitle(QStringLiteral("Naprawa"));
    QLabel* heading = makeHeading(QStringLiteral("Informacje o naprawach"));

    fTERMIN = dateField("TERMIN", QStringLiteral("Termin kiedy powinna odbyć się naprawa"));
    fACT = checkBox("fACT", QStringLiteral("Czy termin aktywny?"),
                    QStringLiteral("Zaznacz jeśli edytowany termin jest aktywny i ma podlegać sprawdzaniu"));
    fOPIS = textField("fOPIS", 254, QStringLiteral("Opis naprawy"));
    fIDFIRMY =
        lookup("fIDFIRMY", QStringLiteral("Wybierz z listy firmę, która odpowiedzialna jest za naprawę"));
    QToolButton* clearCompany =
        toolButton("SpeedButton8", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnej firmy"));
    fNRFAKTURY = textField("fNRFAKTURY", 20, QStringLiteral("Numer faktury"));
    fDATANAPRAWY = dateField("DATANAPRAWY", QStringLiteral("Data kiedy odbyła się naprawa"));
    fNETTO = textField("fNETTO", 18, QStringLiteral("Wartość netto naprawy"));
    stawkaVAT = lookup("stawkaVAT", QStringLiteral("Wskaż stawkę VAT"));
    stawkaVAT->setMinimumContentsLength(6);
    fVAT = textField("fVAT", 18, QStringLiteral("Kwota VAT naprawy"));
    fBRUTTO = textField("fBRUTTO", 18, QStringLiteral("Wartość brutto naprawy"));
    fINNE = textField("fINNE", 254, QStringLiteral("Pozostałe informacje"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Termin naprawy"),
                 row({fTERMIN, calendarOf(fTERMIN), note(QStringLiteral("DD-MM-RRRR")), fACT}, false));
    form->addRow(QStringLiteral("Opis naprawy"), fOPIS);
    form->addRow(QStringLiteral("Kto dokonał napraw"),
                 row({fIDFIRMY, clearCompany,
                      new QLabel(QStringLiteral("Brakuje firmy? Dopisz w Bibliotece..."), this)}));
    form->addRow(QStringLiteral("Numer faktury"), fNRFAKTURY);
    form->addRow(QStringLiteral("Data naprawy"), row({fDATANAPRAWY, calendarOf(fDATANAPRAWY)}, false));
    form->addRow(QStringLiteral("Wartość netto"), row({fNETTO}, false));
    form->addRow(QStringLiteral("Stawka VAT"), row({stawkaVAT}, false));
    form->addRow(QStringLiteral("Kwota VAT"), row({fVAT}, false));
    form->addRow(QStringLiteral("Wartość brutto"), row({fBRUTTO}, false));
    form->addRow(QStringLiteral("Inne"), fINNE);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(makeButtonBar());
    setFirstFocus(fTERMIN);

    m_amounts = new AmountFields(fNETTO, stawkaVAT, fVAT, fBRUTTO, this);
    m_amounts->setSaveAction([this] { saveIfEditable(); });
    m_amounts->setCancelAction([this] { reject(); });
    fIDFIRMY->bind(&db.statement(QStringLiteral("DBFDostawcy")), QStringLiteral("IDFIRMY"),
                   QStringLiteral("DOSTAWCA"));
    stawkaVAT->bind(&db.statement(QStringLiteral("DBFStawkiVAT")), QStringLiteral("OPIS"),
                    QStringLiteral("OPIS"));
    connect(clearCompany, &QToolButton::clicked, this, [this] {
        fIDFIRMY->clearChoice();
        m_noCompany = 0;
    });
}

void TfNaprawy::reopenLookups()
{
    db().reopenLookup(QStringLiteral("DBFDostawcy"));
    db().reopenLookup(QStringLiteral("DBFStawkiVAT"));
    fIDFIRMY->refill();
    stawkaVAT->refill();
}

void TfNaprawy::prepareNew()
{
    fACT->setChecked(true);
    fTERMIN->clearDate();
    fIDFIRMY->clearChoice();
    m_noCompany = -1;
    fDATANAPRAWY->clearDate();
    m_amounts->clear();
    for (QLineEdit* e : {fOPIS, fNRFAKTURY, fINNE})
        e->clear();
}

void TfNaprawy::fillFromRow(const Statement& row)
{
    fACT->setChecked(row.text(QStringLiteral("ACT")) == QLatin1String("T"));
    fTERMIN->setYmd(row.integer(QStringLiteral("TERMIN")));
    fIDFIRMY->setKey(row.integer(QStringLiteral("IDFIRMY")));
    m_noCompany = 0;
    fDATANAPRAWY->setYmd(row.integer(QStringLiteral("DATANAPRAWY")));
    m_amounts->setAmounts(row.number(QStringLiteral("NETTO")), row.number(QStringLiteral("VAT")),
                          row.number(QStringLiteral("BRUTTO")));
    fOPIS->setText(row.text(QStringLiteral("OPIS")));
    fNRFAKTURY->setText(row.text(QStringLiteral("NRFAKTURY")));
    fINNE->setText(row.text(QStringLiteral("INNE")));
}

void TfNaprawy::bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const
{
    q.clearParams();
    q.setLine(3, dateLine(fTERMIN));
    q.setLine(5, QString::number(ownerKey));
    q.setLine(7, fIDFIRMY->keyLine(m_noCompany));
    q.setLine(9, dateLine(fDATANAPRAWY));
    q.setLine(11, amountSql(QStringLiteral("NETTO")));
    q.setLine(13, amountSql(QStringLiteral("VAT")));
    q.setLine(15, amountSql(QStringLiteral("BRUTTO")));
    q.setParam(0, ownerKind);
    q.setParam(1, fOPIS->text());
    q.setParam(2, fINNE->text());
    q.setParam(3, fNRFAKTURY->text());
    q.setParam(4, flag(fACT->isChecked()));
}

void TfNaprawy::bindUpdate(Statement& q, qint64 key) const
{
    q.clearParams();
    q.setParam(0, fOPIS->text());
    q.setParam(1, fINNE->text());
    q.setParam(2, fNRFAKTURY->text());
    q.setParam(3, flag(fACT->isChecked()));
    q.setLine(5, dateLine(fTERMIN));
    q.setLine(7, fIDFIRMY->keyLine(m_noCompany));
    q.setLine(9, dateLine(fDATANAPRAWY));
    q.setLine(11, amountSql(QStringLiteral("NETTO")));
    q.setLine(13, amountSql(QStringLiteral("VAT")));
    q.setLine(15, amountSql(QStringLiteral("BRUTTO")));
    q.setLine(17, QString::number(key));
}

QStringList TfNaprawy::printLines() const
{
    return {QStringLiteral("Czy termin aktywny?: ") + yesNo(fACT->isChecked()),
            QStringLiteral("Termin naprawy: ") + fTERMIN->dateText(),
            QStringLiteral("Opis: ") + fOPIS->text(),
            QStringLiteral("Kto dokonał naprawy: ") + fIDFIRMY->currentText(),
            QStringLiteral("Numer faktury: ") + fNRFAKTURY->text(),
            QStringLiteral("Data naprawy: ") + fDATANAPRAWY->dateText(),
            QStringLiteral("Wartość netto: ") + fNETTO->text(),
            QStringLiteral("Kwota VAT: ") + fVAT->text(),
            QStringLiteral("Wartość brutto: ") + fBRUTTO->text(),
            QStringLiteral("Inne: ") + fINNE->text()};
}

void TfNaprawy::SBZapiszClick()
{
    if (fOPIS->text().trimmed().isEmpty()) {
        refuse(fOPIS, QStringLiteral("Nie wprowadzono opisu naprawy. Popraw pole."));
        return;
    }
    if (!fTERMIN->isEmptyDate() && !fTERMIN->isValidDate()) {
        refuse(fTERMIN, QStringLiteral("Niepoprawny termin naprawy. Popraw pole."));
        return;
    }
    if (!fDATANAPRAWY->isEmptyDate() && !fDATANAPRAWY->isValidDate()) {
        refuse(fDATANAPRAWY, QStringLiteral("Niepoprawny format daty naprawy. Popraw pole."));
        return;
    }
    if (!m_amounts->check())
        return;
    confirm();
}
