#include "editors/TfUzytkownicy.h"

#include "widgets/Lookup.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
QLineEdit* textField(QWidget* parent, const char* name, int maxLength, const QString& hint)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    e->setToolTip(hint);
    return e;
}
} // namespace

TfUzytkownicy::TfUzytkownicy(QWidget* parent)
    : TfUzytkownicy({"TfUzytkownicy", QStringLiteral("Użytkownik komputera"),
                     QStringLiteral("Informacje o użytkowniku komputera"),
                     QStringLiteral("Wybierz z listy osobę używającą komputer"),
                     QStringLiteral("Opis użytkownika / konta"), true},
                    parent)
{
}

TfUzytkownicy::TfUzytkownicy(const Texts& texts, QWidget* parent) : EditorDialog(parent)
{
    setObjectName(QLatin1String(texts.objectName));
    setWindowTitle(texts.caption);
    auto* heading = new QLabel(texts.header, this);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);

    fNREW = new Lookup(this);
    fNREW->setObjectName(QStringLiteral("fNREW"));
    fNREW->setToolTip(texts.employeeHint);
    if (texts.withLogin) {
        fLOGIN = textField(this, "fLOGIN", 40,
                           QStringLiteral("Nazwa użytkownika używana w celu dostępu do komputera"));
        fHASLO = textField(this, "fHASLO", 40, QStringLiteral("Hasło dostępu do komputera"));
    }
    fOPIS = textField(this, "fOPIS", 254, texts.descriptionHint);
    fINNE = textField(this, "fINNE", 254, QStringLiteral("Pozostałe informacje"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Użytkownik"), fNREW);
    if (texts.withLogin) {
        form->addRow(QStringLiteral("Login"), fLOGIN);
        form->addRow(QStringLiteral("Hasło"), fHASLO);
    }
    form->addRow(QStringLiteral("Opis"), fOPIS);
    form->addRow(QStringLiteral("Inne"), fINNE);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(makeButtonBar());
}

void TfUzytkownicy::bindEmployees(TmyDataBase* db)
{
    fNREW->bindSearch(db, QStringLiteral("DBFPracownicy"));
}

void TfUzytkownicy::refillEmployees()
{
    fNREW->refill();
}

void TfUzytkownicy::clearFields()
{
    fNREW->clearChoice();
    for (QLineEdit* e : {fLOGIN, fHASLO, fOPIS, fINNE})
        if (e)
            e->clear();
}

void TfUzytkownicy::fillFrom(const QString& nrew, const QString& login, const QString& haslo,
                             const QString& opis, const QString& inne)
{
    fNREW->setKey(nrew);
    if (fLOGIN) {
        fLOGIN->setText(login);
        fHASLO->setText(haslo);
    }
    fOPIS->setText(opis);
    fINNE->setText(inne);
}

void TfUzytkownicy::lockEmployee(bool locked)
{
    fNREW->setEnabled(!locked);
}

QString TfUzytkownicy::employee() const
{
    return fNREW->hasChoice() ? fNREW->key().toString() : QString();
}

QString TfUzytkownicy::employeeText() const
{
    return fNREW->currentText();
}

void TfUzytkownicy::showEvent(QShowEvent* event)
{
    EditorDialog::showEvent(event);
    fNREW->setFocus();
}

void TfUzytkownicy::SBZapiszClick()
{
    if (!fNREW->hasChoice()) {
        refuse(fNREW, QStringLiteral("Nie wskazano pracownika użytkującego komputer. Popraw pole."));
        return;
    }
    confirm();
}
