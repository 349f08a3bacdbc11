#include "editors/TfHistoria.h"

#include "base/Clock.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfHistoria::TfHistoria(TmyDataBase& db, QWidget* parent) : SubRecordDialog(db, parent)
{
    setObjectName(QStringLiteral("TfHistoria"));
    setWindowTitle(QStringLiteral("Edytuj historię użytkowania"));
    QLabel* heading = makeHeading(QStringLiteral("Edytuj historię użytkowania"));

    fNREW = lookup("fNREW", QStringLiteral("Wybierz z listy osobę"));
    fDATAOD = dateField("DATAOD", QStringLiteral("Data od kiedy użytkowane"));
    fDATADO = dateField("DATADO", QStringLiteral("Data do kiedy użytkowane"));
    fMIEJSCE = textField("fMIEJSCE", 254, QStringLiteral("Miejsce gdzie elementy jest / był użytkowany"));
    fINNE = textField("fINNE", 254, QStringLiteral("Pozostałe informacje"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Osoba"), fNREW);
    form->addRow(QStringLiteral("Data od"),
                 row({fDATAOD, calendarOf(fDATAOD), note(QStringLiteral("DD-MM-RRRR"))}, false));
    form->addRow(QStringLiteral("Data do"),
                 row({fDATADO, calendarOf(fDATADO), note(QStringLiteral("DD-MM-RRRR"))}, false));
    form->addRow(QStringLiteral("Miejsce"), fMIEJSCE);
    form->addRow(QStringLiteral("Inne"), fINNE);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(makeButtonBar());
    setFirstFocus(fNREW);

    fNREW->bindSearch(&db, QStringLiteral("DBFPracownicy"));
}

void TfHistoria::reopenLookups()
{
    fNREW->refill();
}

void TfHistoria::prepareNew()
{
    fNREW->clearChoice();
    fDATAOD->clearDate();
    fDATADO->clearDate();
    fMIEJSCE->clear();
    fINNE->clear();
}

void TfHistoria::prepareFor(const QString& nrew)
{
    prepareNew();
    fDATAOD->setDate(Clock::today());
    fDATADO->setDate(Clock::today());
    if (!nrew.isEmpty())
        fNREW->setKey(nrew);
}

void TfHistoria::fillFromRow(const Statement& row)
{
    fNREW->setKey(row.text(QStringLiteral("NREW")));
    fDATAOD->setYmd(row.integer(QStringLiteral("DATAOD")));
    fDATADO->setYmd(row.integer(QStringLiteral("DATADO")));
    fMIEJSCE->setText(row.text(QStringLiteral("MIEJSCE")));
    fINNE->setText(row.text(QStringLiteral("INNE")));
}

void TfHistoria::prepareFrom(const QString& nrew, qint64 dataod, qint64 datado, const QString& inne)
{
    prepareNew();
    if (!nrew.isEmpty())
        fNREW->setKey(nrew);
    fDATAOD->setYmd(dataod);
    fDATADO->setYmd(datado);
    fINNE->setText(inne);
}

QString TfHistoria::person() const
{
    return fNREW->hasChoice() ? fNREW->key().toString() : QString();
}

void TfHistoria::bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const
{
    q.clearParams();
    q.setLine(3, QString::number(ownerKey));
    q.setLine(5, dateLine(fDATAOD));
    q.setLine(7, dateLine(fDATADO));
    q.setParam(0, ownerKind);
    q.setParam(1, person());
    q.setParam(2, fMIEJSCE->text());
    q.setParam(3, fINNE->text());
}

void TfHistoria::bindUpdate(Statement& q, qint64 key) const
{
    q.clearParams();
    q.setParam(0, person());
    q.setParam(1, fMIEJSCE->text());
    q.setParam(2, fINNE->text());
    q.setLine(5, dateLine(fDATAOD));
    q.setLine(7, dateLine(fDATADO));
    q.setLine(17, QString::number(key));
}

QStringList TfHistoria::printLines() const
{
    return {QStringLiteral("Osoba: ") + fNREW->currentText(),
            QStringLiteral("Data od: ") + fDATAOD->dateText(),
            QStringLiteral("Data do: ") + fDATADO->dateText(), QStringLiteral("Miejsce: ") + fMIEJSCE->text(),
            QStringLiteral("Inne: ") + fINNE->text()};
}

void TfHistoria::keyPressEvent(QKeyEvent* event)
{
    // In preview Enter closes the dialog without checks.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !isEditable()) {
        reject();
        return;
    }
    SubRecordDialog::keyPressEvent(event);
}

void TfHistoria::SBZapiszClick()
{
    if (!isEditable()) {
        reject();
        return;
    }
    if (!fNREW->hasChoice()) {
        refuse(fNREW, QStringLiteral("Nie wskazano osoby."));
        return;
    }
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
