#include "editors/TfOdpowiedzialny.h"

#include "editors/DialogParts.h"

#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const QString& hint)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setToolTip(hint);
    return c;
}
} // namespace

TfOdpowiedzialny::TfOdpowiedzialny(TmyDataBase& db, QWidget* parent) : EditorDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfOdpowiedzialny"));
    setWindowTitle(QStringLiteral("Zmień osobę odpowiedzialną"));
    QLabel* heading = DialogParts::heading(this, QStringLiteral("Zmień osobę odpowiedzialną"));

    const QString personHint = QStringLiteral("Wybierz z listy osobę używającą sprzęt");
    fNREW1 = new Lookup(this);
    fNREW1->setObjectName(QStringLiteral("fNREW1"));
    fNREW1->setToolTip(personHint);
    fNREW1->setMinimumContentsLength(40);
    fNREW2 = new Lookup(this);
    fNREW2->setObjectName(QStringLiteral("fNREW2"));
    fNREW2->setToolTip(personHint);
    fNREW2->setMinimumContentsLength(40);
    cbKomputery = checkBox(this, "cbKomputery", QStringLiteral("Komputery"),
                           QStringLiteral("Zmień osobę odpowiedzialną dla wskazanych komputerów"));
    cbSprzet = checkBox(this, "cbSprzet", QStringLiteral("Inny sprzęt"),
                        QStringLiteral("Zmień osobę odpowiedzialną dla wskazanego innego sprzętu"));
    cbZlikwidowane =
        checkBox(this, "cbZlikwidowane", QStringLiteral("Uwzględnij również elementy zlikwidowane"),
                 QStringLiteral("Zmień osobę odpowiedzialną również dla elementów zlikwidowanych"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Zmień osobę:"), fNREW1);
    form->addRow(QStringLiteral("Zmień na osobę:"), fNREW2);
    auto* tables = new QGroupBox(QStringLiteral("Zmień odpowiedzialnego w tabeli:"), this);
    auto* tablesLayout = new QVBoxLayout(tables);
    tablesLayout->addWidget(cbKomputery);
    tablesLayout->addWidget(cbSprzet);

    zapiszButton()->setText(QStringLiteral("&Wykonaj"));
    zapiszButton()->setObjectName(QStringLiteral("SBWykonaj"));
    zapiszButton()->setToolTip(QStringLiteral("Wykonaj zmiany"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(tables);
    layout->addWidget(cbZlikwidowane);
    layout->addStretch();
    layout->addLayout(makeButtonBar());

    fNREW1->bindSearch(&m_db, QStringLiteral("DBFPracownicy"));
    fNREW2->bindSearch(&m_db, QStringLiteral("DBFPracownicy2"));
}

void TfOdpowiedzialny::allowTables(bool computers, bool equipment)
{
    cbKomputery->setEnabled(computers);
    cbSprzet->setEnabled(equipment);
    // A tick left from a user with other rights must not reach the change.
    if (!computers)
        cbKomputery->setChecked(false);
    if (!equipment)
        cbSprzet->setChecked(false);
}

void TfOdpowiedzialny::reopenLookups()
{
    // The employees are searched as the user types: nothing to read in advance.
    fNREW1->refill();
    fNREW2->refill();
    clearChoices();
}

void TfOdpowiedzialny::clearChoices()
{
    fNREW1->clearChoice();
    fNREW2->clearChoice();
}

QString TfOdpowiedzialny::currentPerson() const
{
    return fNREW1->keyText(QString());
}

QString TfOdpowiedzialny::newPerson() const
{
    return fNREW2->keyText(QString());
}

bool TfOdpowiedzialny::computers() const
{
    return cbKomputery->isEnabled() && cbKomputery->isChecked();
}

bool TfOdpowiedzialny::equipment() const
{
    return cbSprzet->isEnabled() && cbSprzet->isChecked();
}

bool TfOdpowiedzialny::includeLiquidated() const
{
    return cbZlikwidowane->isChecked();
}

void TfOdpowiedzialny::SBZapiszClick()
{
    if (!fNREW1->hasChoice()) {
        refuse(fNREW1, QStringLiteral("Nie wskazano aktualnie odpowiedzialnego pracownika. Popraw pole."));
        return;
    }
    if (!fNREW2->hasChoice()) {
        refuse(fNREW2,
               QStringLiteral("Nie wskazano osoby, która będzie nową osobą odpowiedzialną. Popraw pole."));
        return;
    }
    if (currentPerson() == newPerson()) {
        refuse(fNREW2,
               QStringLiteral("Wskazano te same osoby jako nową i starą osobę odpowiedzialną. Popraw pole."));
        return;
    }
    if (!computers() && !equipment()) {
        refuse(cbKomputery, QStringLiteral("Nie wskazano tabel, w których należy zmienić odpowiedzialnego."));
        return;
    }
    confirm();
}
