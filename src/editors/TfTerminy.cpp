#include "editors/TfTerminy.h"

#include "editors/TfBiblioteka.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kKlasyfikator = QStringLiteral("DBFKlasyfikator");
const QString kKLTER = QStringLiteral("KLTER");
} // namespace

TfTerminy::TfTerminy(TmyDataBase& db, QWidget* parent) : SubRecordDialog(db, parent)
{
    setObjectName(QStringLiteral("TfTerminy"));
    setWindowTitle(QStringLiteral("Edytuj termin"));
    QLabel* heading = makeHeading(QStringLiteral("Edytuj termin"));

    fKLASYFIKATOR =
        lookup("fKLASYFIKATOR", QStringLiteral("Rodzaj terminu ze słownika klasyfikacji terminów"));
    QToolButton* clearKind =
        toolButton("SpeedButton2", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnego rodzaju"));
    QToolButton* dictionary =
        dictionaryButton(fKLASYFIKATOR, TfBiblioteka::KlasyfikacjaTerminow, kKlasyfikator, kKLTER);
    fDATAOD = dateField("DATAOD", QStringLiteral("Data od terminu"));
    fDATADO = dateField("DATADO", QStringLiteral("Data do terminu"));
    fSPRODDO = new QComboBox(this);
    fSPRODDO->setObjectName(QStringLiteral("fSPRODDO"));
    fSPRODDO->addItems({QStringLiteral("Datę do"), QStringLiteral("Datę od")});
    fSPRODDO->setToolTip(QStringLiteral("Którą datę uwzględnić przy sprawdzaniu terminów?"));
    fOPIS = textField("fOPIS", 254, QStringLiteral("Opis terminu"));
    fINNE = textField("fINNE", 254, QStringLiteral("Pozostałe informacje"));
    fACT = checkBox(
        "fACT", QStringLiteral("Czy termin aktywny?"),
        QStringLiteral("Zaznacz jeśli edytowany termin jest aktywny i ma podlegać sprawdzaniu przypomnień"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Rodzaj terminu"), row({fKLASYFIKATOR, clearKind, dictionary}));
    form->addRow(QStringLiteral("Data od"),
                 row({fDATAOD, calendarOf(fDATAOD), new QLabel(QStringLiteral("do"), this), fDATADO,
                      calendarOf(fDATADO)},
                     false));
    form->addRow(QStringLiteral("Którą datę uwzględnić przy sprawdzaniu terminów?"), fSPRODDO);
    form->addRow(QStringLiteral("Opis"), fOPIS);
    form->addRow(QStringLiteral("Inne"), fINNE);
    form->addRow(QString(), fACT);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(makeButtonBar());
    setFirstFocus(fKLASYFIKATOR);

    fKLASYFIKATOR->bind(&db.statement(kKlasyfikator), QStringLiteral("KOD"), QStringLiteral("OPIS"));
    connect(clearKind, &QToolButton::clicked, this, [this] { fKLASYFIKATOR->clearChoice(); });
}

void TfTerminy::reopenLookups()
{
    db().reopenLookup(kKlasyfikator, kKLTER);
    fKLASYFIKATOR->refill();
}

void TfTerminy::prepareNew()
{
    fKLASYFIKATOR->clearChoice();
    fDATAOD->clearDate();
    fDATADO->clearDate();
    fSPRODDO->setCurrentIndex(0);
    fOPIS->clear();
    fINNE->clear();
    fACT->setChecked(true);
}

void TfTerminy::fillFromRow(const Statement& row)
{
    fKLASYFIKATOR->setKey(row.integer(QStringLiteral("KLASYFIKATOR")));
    fDATAOD->setYmd(row.integer(QStringLiteral("DATAOD")));
    fDATADO->setYmd(row.integer(QStringLiteral("DATADO")));
    fSPRODDO->setCurrentIndex(row.text(QStringLiteral("SPRODDO")) == QLatin1String("O") ? 1 : 0);
    fOPIS->setText(row.text(QStringLiteral("OPIS")));
    fINNE->setText(row.text(QStringLiteral("INNE")));
    fACT->setChecked(row.text(QStringLiteral("ACT")) == QLatin1String("T"));
}

QString TfTerminy::whichDate() const
{
    return fSPRODDO->currentIndex() == 1 ? QStringLiteral("O") : QStringLiteral("D");
}

void TfTerminy::bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const
{
    q.clearParams();
    q.setLine(3, QString::number(ownerKey));
    q.setLine(5, fKLASYFIKATOR->keyLine(0));
    q.setLine(7, dateLine(fDATAOD));
    q.setLine(9, dateLine(fDATADO));
    q.setParam(0, ownerKind);
    q.setParam(1, flag(fACT->isChecked()));
    q.setParam(2, whichDate());
    q.setParam(3, fOPIS->text());
    q.setParam(4, fINNE->text());
}

void TfTerminy::bindUpdate(Statement& q, qint64 key) const
{
    q.clearParams();
    q.setParam(0, flag(fACT->isChecked()));
    q.setParam(1, whichDate());
    q.setParam(2, fOPIS->text());
    q.setParam(3, fINNE->text());
    q.setLine(6, fKLASYFIKATOR->keyLine(0));
    q.setLine(8, dateLine(fDATAOD));
    q.setLine(10, dateLine(fDATADO));
    q.setLine(12, QString::number(key));
}

QStringList TfTerminy::printLines() const
{
    return {QStringLiteral("Czy termin aktywny?: ") + yesNo(fACT->isChecked()),
            QStringLiteral("Rodzaj terminu: ") + fKLASYFIKATOR->currentText(),
            QStringLiteral("Data od: ") + fDATAOD->dateText(),
            QStringLiteral("Data do: ") + fDATADO->dateText(),
            QStringLiteral("Opis: ") + fOPIS->text(),
            QStringLiteral("Inne: ") + fINNE->text(),
            QStringLiteral("Którą date uwzględnić przy sprawdzaniu terminów?: ") + fSPRODDO->currentText()};
}

void TfTerminy::SBZapiszClick()
{
    if (!fDATAOD->isValidDate()) {
        refuse(fDATAOD, QStringLiteral("Niepoprawny format daty od. Popraw pole."));
        return;
    }
    if (!fDATADO->isValidDate()) {
        refuse(fDATADO, QStringLiteral("Niepoprawny format daty do. Popraw pole."));
        return;
    }
    if (fDATADO->ymd() < fDATAOD->ymd()) {
        refuse(fDATAOD, QStringLiteral("Data od większa niż data do. Popraw pola."));
        return;
    }
    confirm();
}
