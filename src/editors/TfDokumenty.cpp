#include "editors/TfDokumenty.h"

#include "editors/TfBiblioteka.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kKlasyfikator = QStringLiteral("DBFKlasyfikator");
const QString kRDDOK = QStringLiteral("RDDOK");
} // namespace

TfDokumenty::TfDokumenty(TmyDataBase& db, QWidget* parent) : SubRecordDialog(db, parent)
{
    setObjectName(QStringLiteral("TfDokumenty"));
    setWindowTitle(QStringLiteral("Dokument"));
    QLabel* heading = makeHeading(QStringLiteral("Informacje o dokumencie"));

    fNUMER = textField("fNUMER", 100, QStringLiteral("Numer dokumentu"));
    QToolButton* last = toolButton("SpeedButton1", QStringLiteral("<<"),
                                   QStringLiteral("Wstaw w pole obok ostatnio wprowadzony numer dokumentu"));
    fDATADOK = dateField("DATADOK", QStringLiteral("Data wystawienia dokumentu"));
    fTERMIN = dateField("TERMIN", QStringLiteral("Termin ważności dokumentu"));
    fACT = checkBox("fACT", QStringLiteral("Termin aktywny?"),
                    QStringLiteral("Zaznacz jeśli edytowany termin jest aktywny i ma podlegać sprawdzaniu"));
    fNAZWA = textField("fNAZWA", 254, QStringLiteral("Nazwa dokumentu"));
    fKLASYFIKATOR = lookup("fKLASYFIKATOR", QStringLiteral("Rodzaj dokumentu"));
    QToolButton* clearKind =
        toolButton("SpeedButton2", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnego rodzaju"));
    QToolButton* dictionary =
        dictionaryButton(fKLASYFIKATOR, TfBiblioteka::RodzajDokumentu, kKlasyfikator, kRDDOK);
    fINNE = textField("fINNE", 254, QStringLiteral("Pozostałe informacje"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Numer dokumentu"), row({fNUMER, last}));
    form->addRow(QStringLiteral("Data dokumentu"), row({fDATADOK, calendarOf(fDATADOK)}, false));
    form->addRow(QStringLiteral("Termin"), row({fTERMIN, calendarOf(fTERMIN), fACT}, false));
    form->addRow(QStringLiteral("Nazwa dokumentu"), fNAZWA);
    form->addRow(QStringLiteral("Rodzaj dokumentu"), row({fKLASYFIKATOR, clearKind, dictionary}));
    form->addRow(QStringLiteral("Inne"), fINNE);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(makeButtonBar());
    setFirstFocus(fNUMER);

    fKLASYFIKATOR->bind(&db.statement(kKlasyfikator), QStringLiteral("KOD"), QStringLiteral("OPIS"));
    connect(last, &QToolButton::clicked, this, &TfDokumenty::SpeedButton1Click);
    connect(clearKind, &QToolButton::clicked, this, [this] {
        fKLASYFIKATOR->clearChoice();
        m_noKind = 0;
    });
}

void TfDokumenty::reopenLookups()
{
    db().reopenLookup(kKlasyfikator, kRDDOK);
    fKLASYFIKATOR->refill();
}

void TfDokumenty::prepareNew()
{
    fACT->setChecked(true);
    fDATADOK->clearDate();
    fTERMIN->clearDate();
    fKLASYFIKATOR->clearChoice();
    m_noKind = -1;
    for (QLineEdit* e : {fNUMER, fNAZWA, fINNE})
        e->clear();
}

void TfDokumenty::fillFromRow(const Statement& row)
{
    fACT->setChecked(row.text(QStringLiteral("ACT")) == QLatin1String("T"));
    fDATADOK->setYmd(row.integer(QStringLiteral("DATADOK")));
    fTERMIN->setYmd(row.integer(QStringLiteral("TERMIN")));
    fKLASYFIKATOR->setKey(row.integer(QStringLiteral("KLASYFIKATOR")));
    m_noKind = 0;
    fNUMER->setText(row.text(QStringLiteral("NUMER")));
    fNAZWA->setText(row.text(QStringLiteral("NAZWA")));
    fINNE->setText(row.text(QStringLiteral("INNE")));
}

void TfDokumenty::bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const
{
    q.clearParams();
    q.setLine(3, QString::number(ownerKey));
    q.setLine(5, dateLine(fDATADOK));
    q.setLine(7, dateLine(fTERMIN));
    q.setLine(9, fKLASYFIKATOR->keyLine(m_noKind));
    q.setParam(0, ownerKind);
    q.setParam(1, fNAZWA->text());
    q.setParam(2, fNUMER->text());
    q.setParam(3, fINNE->text());
    q.setParam(4, flag(fACT->isChecked()));
}

void TfDokumenty::bindUpdate(Statement& q, qint64 key) const
{
    q.clearParams();
    q.setParam(0, fNAZWA->text());
    q.setParam(1, fNUMER->text());
    q.setParam(2, fINNE->text());
    q.setParam(3, flag(fACT->isChecked()));
    q.setLine(5, dateLine(fDATADOK));
    q.setLine(7, dateLine(fTERMIN));
    q.setLine(9, fKLASYFIKATOR->keyLine(m_noKind));
    q.setLine(18, QString::number(key));
}

QStringList TfDokumenty::printLines() const
{
    return {QStringLiteral("Czy termin aktywny?: ") + yesNo(fACT->isChecked()),
            QStringLiteral("Numer dokumentu: ") + fNUMER->text(),
            QStringLiteral("Data dokumentu: ") + fDATADOK->dateText(),
            QStringLiteral("Termin: ") + fTERMIN->dateText(),
            QStringLiteral("Nazwa dokumentu: ") + fNAZWA->text(),
            QStringLiteral("Rodzaj dokumentu: ") + fKLASYFIKATOR->currentText(),
            QStringLiteral("Inne: ") + fINNE->text()};
}

void TfDokumenty::SBZapiszClick()
{
    if (fNUMER->text().trimmed().isEmpty()) {
        refuse(fNUMER, QStringLiteral("Nie wprowadzono numeru dokumentu. Popraw pole."));
        return;
    }
    if (!fTERMIN->isEmptyDate() && !fTERMIN->isValidDate()) {
        refuse(fTERMIN, QStringLiteral("Niepoprawny termin ważności dokumentu. Popraw pole."));
        return;
    }
    if (!fDATADOK->isEmptyDate() && !fDATADOK->isValidDate()) {
        refuse(fDATADOK, QStringLiteral("Niepoprawny format daty dokumentu. Popraw pole."));
        return;
    }
    confirm();
}

void TfDokumenty::SpeedButton1Click()
{
    fNUMER->setText(
        db().lastValue(QStringLiteral("IDDOKUMENTU"), QStringLiteral("NUMER"), QStringLiteral("dokumenty")));
}
