#include "editors/WorkEntryDialog.h"

#include "base/Numbers.h"
#include "editors/FieldBuilders.h"
#include "editors/TfBiblioteka.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
using namespace FieldBuilders;

const QString kEquipment = QStringLiteral("DBFZlecSprzet");
const QString kKinds = QStringLiteral("DBFKlasyfikator");
const QString kCompanies = QStringLiteral("DBFDostawcy");
const QString kEmployees = QStringLiteral("DBFPracownicy");

} // namespace

WorkEntryDialog::WorkEntryDialog(TmyDataBase& db, const Texts& texts, QWidget* parent)
    : EditorDialog(parent), m_db(db), m_texts(texts)
{
    setObjectName(QLatin1String(texts.objectName));
    setWindowTitle(texts.caption);
    auto* heading = new QLabel(texts.header, this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    fNRDOKUMENTU = new QLineEdit(this);
    fNRDOKUMENTU->setObjectName(QStringLiteral("fNRDOKUMENTU"));
    fNRDOKUMENTU->setMaxLength(50);
    fNRDOKUMENTU->setToolTip(texts.numberHint);
    auto* last = toolButton(this, "SpeedButton4", QStringLiteral("<<"), texts.lastNumberHint);
    fDATAOD = new DateField(this);
    fDATAOD->setObjectName(QStringLiteral("fDATAOD"));
    fDATAOD->setToolTip(texts.dateFromHint);
    DTPDATAOD = new CalendarPicker(fDATAOD, this);
    DTPDATAOD->setObjectName(QStringLiteral("DTPDATAOD"));
    fDATADO = new DateField(this);
    fDATADO->setObjectName(QStringLiteral("fDATADO"));
    fDATADO->setToolTip(texts.dateToHint);
    DTPDATADO = new CalendarPicker(fDATADO, this);
    DTPDATADO->setObjectName(QStringLiteral("DTPDATADO"));
    auto* dateNote = new QLabel(QStringLiteral("DD-MM-RRRR"), this);
    dateNote->setStyleSheet(QStringLiteral("color: grey;"));
    fSPRZET = lookup(this, "fSPRZET", QStringLiteral("Wskaż sprzęt"));
    fRODZAJPRAC = lookup(this, "fRODZAJPRAC", QStringLiteral("Rodzaj wykonywanych prac"));
    auto* clearKind =
        toolButton(this, "SpeedButton2", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnego rodzaju"));
    m_dictionaryButton =
        toolButton(this, "goToSlownik1", QStringLiteral("[...]"), QStringLiteral("Edytuj słowniki"));
    fIDFIRMY = lookup(this, "fIDFIRMY", QStringLiteral("Firma zlecająca"));
    auto* clearCompany =
        toolButton(this, "SpeedButton8", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnej firmy"));
    fNREW = lookup(this, "fNREW", QStringLiteral("Osoba zlecająca"));
    auto* clearPerson =
        toolButton(this, "SpeedButton1", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnej osoby"));
    fOPIS = new QLineEdit(this);
    fOPIS->setObjectName(QStringLiteral("fOPIS"));
    fOPIS->setMaxLength(254);
    fOPIS->setToolTip(texts.descriptionHint);

    auto* form = new QFormLayout;
    form->addRow(texts.numberCaption, row(this, {fNRDOKUMENTU, last}));
    form->addRow(
        texts.dateCaption,
        row(this, {fDATAOD, DTPDATAOD, new QLabel(QStringLiteral("-"), this), fDATADO, DTPDATADO, dateNote},
            false));
    form->addRow(texts.equipmentCaption, fSPRZET);
    form->addRow(QStringLiteral("Rodzaj prac"), row(this, {fRODZAJPRAC, clearKind, m_dictionaryButton}));
    form->addRow(QStringLiteral("Firma zlecająca"), row(this, {fIDFIRMY, clearCompany}));
    form->addRow(QStringLiteral("Osoba zlecająca"), row(this, {fNREW, clearPerson}));
    form->addRow(texts.descriptionCaption, fOPIS);
    if (texts.settlement) {
        fGODZINY = hourField("fGODZINY", QStringLiteral("Ilość przepracowanych godzin"));
        fSTAWKA = hourField("fSTAWKA", QStringLiteral("stawka za godzinę pracy"));
        form->addRow(QStringLiteral("Godziny"), row(this, {fGODZINY}, false));
        form->addRow(QStringLiteral("Stawka"),
                     row(this, {fSTAWKA, new QLabel(QStringLiteral("zł / h"), this)}, false));
    } else {
        dodajDoRozliczen = new QCheckBox(QStringLiteral("Dodaj powyższe dane do rejestru rozliczeń"), this);
        dodajDoRozliczen->setObjectName(QStringLiteral("dodajDoRozliczen"));
        form->addRow(QString(), dodajDoRozliczen);
    }
    auto* note = new QLabel(QStringLiteral("Brakuje firmy / osoby? Dopisz je w Słownikach."), this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addStretch();
    layout->addLayout(makeButtonBar());
    resize(560, sizeHint().height());

    fSPRZET->bindSearch(&db, kEquipment);
    fRODZAJPRAC->bind(&db.statement(kKinds), QStringLiteral("KOD"), QStringLiteral("OPIS"));
    fIDFIRMY->bind(&db.statement(kCompanies), QStringLiteral("IDFIRMY"), QStringLiteral("DOSTAWCA"));
    fNREW->bindSearch(&db, kEmployees);

    connect(last, &QToolButton::clicked, this, &WorkEntryDialog::lastNumberClick);
    connect(clearKind, &QToolButton::clicked, this, [this] { fRODZAJPRAC->setKey(-1); });
    connect(clearCompany, &QToolButton::clicked, this, [this] { fIDFIRMY->setKey(-1); });
    connect(clearPerson, &QToolButton::clicked, this, [this] { fNREW->clearChoice(); });
    connect(m_dictionaryButton, &QToolButton::clicked, this, [this] {
        TfBiblioteka* editor = m_dictionaryEditor ? m_dictionaryEditor() : nullptr;
        if (!editor)
            return;
        editor->setDictionary(TfBiblioteka::RodzajZlecen);
        editor->exec();
        m_db.reopenLookup(kKinds, QStringLiteral("RPRAC"));
        fRODZAJPRAC->refill();
    });
}

QLineEdit* WorkEntryDialog::hourField(const char* name, const QString& hint)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(20);
    e->setToolTip(hint);
    AmountFields::typeDecimalComma(e);
    // Leaving shows the value as "0.00"; a text that does not read stays as
    // typed, so that "Zapisz" refuses it with its message instead of storing 0.
    connect(e, &QLineEdit::editingFinished, this, [e] {
        double value = 0;
        if (Numbers::read(e->text(), &value))
            e->setText(AmountFields::format(value));
    });
    return e;
}

void WorkEntryDialog::reopenLookups()
{
    // Equipment and employees are searched as the user types, never read whole.
    m_db.reopenLookup(kKinds, QStringLiteral("RPRAC"));
    m_db.reopenLookup(kCompanies);
    for (Lookup* l : {fSPRZET, fRODZAJPRAC, fIDFIRMY, fNREW})
        l->refill();
}

void WorkEntryDialog::prepareNew()
{
    fSPRZET->setKey(-1);
    fRODZAJPRAC->setKey(-1);
    fIDFIRMY->setKey(-1);
    fNREW->clearChoice();
    fNRDOKUMENTU->clear();
    fOPIS->clear();
    fDATAOD->clearDate();
    fDATADO->clearDate();
    if (fGODZINY) {
        fGODZINY->setText(AmountFields::format(0));
        fSTAWKA->setText(AmountFields::format(0));
    }
}

void WorkEntryDialog::fillFromRow(const Statement& row)
{
    fSPRZET->setKey(row.integer(QStringLiteral("IDOBIEKTU")));
    fRODZAJPRAC->setKey(row.integer(QStringLiteral("RODZAJPRAC")));
    fIDFIRMY->setKey(row.integer(QStringLiteral("IDFIRMY")));
    fNREW->setKey(row.text(QStringLiteral("IDPRAC")));
    fNRDOKUMENTU->setText(row.text(QStringLiteral("NRDOKUMENTU")));
    fOPIS->setText(row.text(QStringLiteral("OPIS")));
    fDATAOD->setYmd(row.integer(QStringLiteral("DATAOD")));
    fDATADO->setYmd(row.integer(QStringLiteral("DATADO")));
    if (fGODZINY) {
        fGODZINY->setText(AmountFields::format(row.number(QStringLiteral("GODZINY"))));
        fSTAWKA->setText(AmountFields::format(row.number(QStringLiteral("STAWKA"))));
    }
}

void WorkEntryDialog::fillFrom(const WorkEntryDialog& other)
{
    fSPRZET->setKey(other.fSPRZET->key());
    fRODZAJPRAC->setKey(other.fRODZAJPRAC->key());
    fIDFIRMY->setKey(other.fIDFIRMY->key());
    fNREW->setKey(other.fNREW->key());
    fNRDOKUMENTU->setText(other.fNRDOKUMENTU->text());
    fOPIS->setText(other.fOPIS->text());
    fDATAOD->setDateText(other.fDATAOD->dateText());
    fDATADO->setDateText(other.fDATADO->dateText());
    if (fGODZINY) {
        fGODZINY->setText(AmountFields::format(0));
        fSTAWKA->setText(AmountFields::format(0));
    }
}

void WorkEntryDialog::showEvent(QShowEvent* event)
{
    EditorDialog::showEvent(event);
    m_dictionaryButton->setVisible(isEditable() && AppState::instance().has(12));
    fNRDOKUMENTU->setFocus();
    DTPDATAOD->syncFromField();
    DTPDATADO->syncFromField();
}

bool WorkEntryDialog::checkNumber(QLineEdit* field, const QString& message)
{
    double value = 0;
    if (!Numbers::read(field->text(), &value) || value < 0)
        return refuse(field, message);
    field->setText(AmountFields::shortest(value));
    return true;
}

void WorkEntryDialog::SBZapiszClick()
{
    if (fGODZINY) {
        if (!checkNumber(fGODZINY, QStringLiteral("Niepoprawna ilość godzin. Popraw pole.")))
            return;
        if (!checkNumber(fSTAWKA, QStringLiteral("Niepoprawna wartość stawki godzinowej. Popraw pole.")))
            return;
    }
    if (!fSPRZET->hasChoice()) {
        refuse(fSPRZET, QStringLiteral("Nie wskazano sprzętu. Popraw pole."));
        return;
    }
    if (fDATAOD->isEmptyDate() || !fDATAOD->isValidDate()) {
        refuse(fDATAOD, m_texts.badDateFrom);
        return;
    }
    if (!fDATADO->isEmptyDate() && !fDATADO->isValidDate()) {
        refuse(fDATADO, QStringLiteral("Niepoprawny format daty do. Popraw pole."));
        return;
    }
    confirm();
}

void WorkEntryDialog::lastNumberClick()
{
    fNRDOKUMENTU->setText(m_db.lastValue(m_texts.keyColumn, QStringLiteral("NRDOKUMENTU"), m_texts.table));
}
