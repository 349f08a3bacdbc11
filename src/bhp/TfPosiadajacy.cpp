#include "bhp/TfPosiadajacy.h"

#include "bhp/Quantity.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
QWidget* dateRow(QWidget* parent, DateField* field, CalendarPicker* picker)
{
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field);
    layout->addWidget(picker);
    auto* note = new QLabel(QStringLiteral("DD-MM-RRRR"), box);
    note->setStyleSheet(QStringLiteral("color: grey;"));
    layout->addWidget(note);
    layout->addStretch();
    return box;
}
} // namespace

TfPosiadajacy::TfPosiadajacy(TmyDataBase& db, QWidget* parent) : EditorDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfPosiadajacy"));
    setWindowTitle(QStringLiteral("Stan posiadania pracowników"));
    auto* heading = new QLabel(QStringLiteral("Stan posiadania środków BHP przez pracownika"), this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    heading->setFont(font);

    fNREW = new Lookup(this);
    fNREW->setObjectName(QStringLiteral("fNREW"));
    fNREW->setToolTip(QStringLiteral("Wybierz z listy pracownika"));
    fNREW->bindSearch(&db, QStringLiteral("DBFPracownicy"));
    fILOSC = Quantity::makeEdit(this, "fILOSC", QStringLiteral("Ilość posiadanego środka BHP"));
    fDATAOD = new DateField(this);
    fDATAOD->setObjectName(QStringLiteral("fDATAOD"));
    fDATAOD->setToolTip(QStringLiteral("Data przyjęcia środka"));
    DTPDATAOD = new CalendarPicker(fDATAOD, this);
    DTPDATAOD->setObjectName(QStringLiteral("DTPDATAOD"));
    DTPDATAOD->setToolTip(QStringLiteral("Wybierz datę z kalendarza"));
    fDATADO = new DateField(this);
    fDATADO->setObjectName(QStringLiteral("fDATADO"));
    fDATADO->setToolTip(QStringLiteral("Termin ważności (przydatności) środka BHP"));
    DTPDATADO = new CalendarPicker(fDATADO, this);
    DTPDATADO->setObjectName(QStringLiteral("DTPDATADO"));
    DTPDATADO->setToolTip(QStringLiteral("Wybierz datę z kalendarza"));
    fINNE = new QLineEdit(this);
    fINNE->setObjectName(QStringLiteral("fINNE"));
    fINNE->setMaxLength(254);
    fINNE->setToolTip(QStringLiteral("Pozostałe informacje"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Pracownik"), fNREW);
    form->addRow(QStringLiteral("Ilość"), fILOSC);
    form->addRow(QStringLiteral("Data od"), dateRow(this, fDATAOD, DTPDATAOD));
    form->addRow(QStringLiteral("Data do"), dateRow(this, fDATADO, DTPDATADO));
    form->addRow(QStringLiteral("Inne"), fINNE);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(makeButtonBar());
    resize(520, sizeHint().height());
}

void TfPosiadajacy::reopenLookups()
{
    fNREW->refill();
}

void TfPosiadajacy::prepareNew()
{
    fNREW->clearChoice();
    fNREW->setEnabled(true);
    fILOSC->setText(Quantity::format(0));
    fDATAOD->clearDate();
    fDATADO->clearDate();
    fINNE->clear();
}

void TfPosiadajacy::fillFromRow(const Statement& row)
{
    fNREW->setKey(row.text(QStringLiteral("NREW")));
    // The employee of a holding is its key: it is not changed by an edit.
    fNREW->setEnabled(false);
    fILOSC->setText(Quantity::format(row.number(QStringLiteral("ILOSC"))));
    fDATAOD->setYmd(row.integer(QStringLiteral("DATAOD")));
    fDATADO->setYmd(row.integer(QStringLiteral("DATADO")));
    fINNE->setText(row.text(QStringLiteral("INNE")));
}

QString TfPosiadajacy::employee() const
{
    return fNREW->hasChoice() ? fNREW->key().toString() : QString();
}

double TfPosiadajacy::quantity() const
{
    return Quantity::valueOf(fILOSC);
}

void TfPosiadajacy::bindInsert(Statement& q, qint64 item) const
{
    q.clearParams();
    q.setLine(1, QString::number(item));
    q.setLine(3, QString::number(fDATAOD->ymd()));
    q.setLine(5, QString::number(fDATADO->ymd()));
    q.setLine(7, Quantity::sql(quantity()));
    q.setParam(0, employee());
    q.setParam(1, fINNE->text());
}

void TfPosiadajacy::bindUpdate(Statement& q, qint64 item) const
{
    q.clearParams();
    q.setParam(0, fINNE->text());
    q.setLine(1, QString::number(fDATAOD->ymd()));
    q.setLine(3, QString::number(fDATADO->ymd()));
    q.setLine(5, Quantity::sql(quantity()));
    q.setParam(1, employee());
    q.setLine(7, QString::number(item));
}

void TfPosiadajacy::SBZapiszClick()
{
    if (!fNREW->hasChoice()) {
        refuse(fNREW, QStringLiteral("Nie wskazano pracownika użytkującego środek BHP. Popraw pole."));
        return;
    }
    double ilosc = 0;
    if (!Quantity::read(fILOSC->text(), &ilosc)) {
        refuse(fILOSC, QStringLiteral("Niepoprawna ilość na stanie. Popraw pole."));
        return;
    }
    if (!fDATAOD->isEmptyDate() && !fDATAOD->isValidDate()) {
        refuse(fDATAOD, QStringLiteral("Niepoprawny format daty od. Popraw pole."));
        return;
    }
    if (!fDATADO->isEmptyDate() && !fDATADO->isValidDate()) {
        refuse(fDATADO, QStringLiteral("Niepoprawny format daty do. Popraw pole."));
        return;
    }
    if (!fDATAOD->isEmptyDate() && !fDATADO->isEmptyDate() && fDATAOD->ymd() > fDATADO->ymd()) {
        refuse(fDATAOD, QStringLiteral("Data od większa niż data do. Popraw pola."));
        return;
    }
    confirm();
}

void TfPosiadajacy::showEvent(QShowEvent* event)
{
    EditorDialog::showEvent(event);
    DTPDATAOD->syncFromField();
    DTPDATADO->syncFromField();
    (fNREW->isEnabled() ? static_cast<QWidget*>(fNREW) : fILOSC)->setFocus();
}
