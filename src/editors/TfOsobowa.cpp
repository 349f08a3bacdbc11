#include "editors/TfOsobowa.h"

#include "editors/DialogParts.h"

#include "editors/TfBiblioteka.h"
#include "store/AppState.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
struct TextColumn
{
    const char* name; // "f" + column
    const char* caption;
    int limit;
    const char* hint;
};

// Top to bottom as on the card; the department and position lists come after NIP.
const TextColumn kBefore[] = {
    {"fNREW", "Numer ewidencyjny", 15, "Numer ewidencyjny"},
    {"fNAZWISKO", "Nazwisko", 50, "Nazwisko"},
    {"fIMIE", "Imię", 30, "Imię"},
    {"fNIP", "NIP", 13, "NIP"},
};
const TextColumn kAfter[] = {
    {"fNRPOKOJU", "Numer pokoju", 10, "Numer pokoju"},
    {"fADRES", "Adres", 50, "Adres zamieszkania"},
    {"fNUMER", "Numer domu", 10, "Numer domu"},
    {"fKOD", "Kod pocztowy", 10, "Kod pocztowy"},
    {"fMIASTO", "Miasto", 50, "Miasto"},
    {"fKRAJ", "Kraj", 30, "Kraj"},
    {"fTELEFON", "Telefon (-y)", 100, "Telefon (-y)"},
    {"fKONTAKT", "Adres kontaktowy", 254, "Adres kontaktowy"},
    {"fINNE", "Inne", 254, "Pozostałe informacje"},
};

// The text columns in the order of the statements' parameters :PARAM0 ... :PARAM12.
const char* const kParamOrder[] = {"NREW", "NAZWISKO", "IMIE",    "ADRES", "NUMER", "KOD",     "MIASTO",
                                   "KRAJ", "TELEFON",  "KONTAKT", "INNE",  "NIP",   "NRPOKOJU"};

const QString kDzial = QStringLiteral("DBFDzial");
const QString kStanowisko = QStringLiteral("DBFStanowisko");

QString dictionaryLine(const Lookup* lookup)
{
    bool ok = false;
    const qint64 key = lookup->hasChoice() ? lookup->key().toLongLong(&ok) : 0;
    return QString::number(ok ? key : 0);
}
} // namespace

TfOsobowa::TfOsobowa(TmyDataBase& db, QWidget* parent) : EditorDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfOsobowa"));
    setWindowTitle(QStringLiteral("Kartoteka osobowa"));
    QLabel* heading = DialogParts::heading(this, QStringLiteral("Katroteka osobowa"));

    auto* grid = new QGridLayout;
    int r = 0;
    auto addRow = [&](const QString& caption, QWidget* w, QWidget* buddy) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(buddy);
        grid->addWidget(label, r, 0);
        grid->addWidget(w, r++, 1);
    };
    auto addText = [&](const TextColumn& c) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(c.name));
        e->setMaxLength(c.limit);
        e->setToolTip(QString::fromUtf8(c.hint));
        m_edits.insert(QLatin1String(c.name + 1), e);
        addRow(QString::fromUtf8(c.caption), e, e);
    };
    auto addLookup = [&](Lookup* lookup, QToolButton* clear, QToolButton* dictionary,
                         const QString& caption) {
        auto* holder = new QWidget(this);
        auto* row = new QHBoxLayout(holder);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(2);
        row->addWidget(lookup, 1);
        row->addWidget(clear);
        row->addWidget(dictionary);
        addRow(caption, holder, lookup);
    };

    for (const TextColumn& c : kBefore)
        addText(c);
    fDZIAL = new Lookup(this);
    fDZIAL->setObjectName(QStringLiteral("fDZIAL"));
    fDZIAL->setToolTip(QStringLiteral("Dział"));
    fSTANOWISKO = new Lookup(this);
    fSTANOWISKO->setObjectName(QStringLiteral("fSTANOWISKO"));
    fSTANOWISKO->setToolTip(QStringLiteral("Stanowisko"));
    auto* clearDzial = DialogParts::flatButton(this, "SpeedButton1", QStringLiteral("X"),
                                               QStringLiteral("Nie wskazuj żadnego działu"));
    auto* clearStanowisko = DialogParts::flatButton(this, "SpeedButton2", QStringLiteral("X"),
                                                    QStringLiteral("Nie wskazuj żadnego stanowiska"));
    auto* dictDzial = DialogParts::flatButton(this, "goToSlownik1", QStringLiteral("[...]"),
                                              QStringLiteral("Edytuj słowniki"));
    auto* dictStanowisko = DialogParts::flatButton(this, "goToSlownik2", QStringLiteral("[...]"),
                                                   QStringLiteral("Edytuj słowniki"));
    m_dictionaryButtons = {dictDzial, dictStanowisko};
    addLookup(fDZIAL, clearDzial, dictDzial, QStringLiteral("Dział"));
    addLookup(fSTANOWISKO, clearStanowisko, dictStanowisko, QStringLiteral("Stanowisko"));
    auto* note = new QLabel(QStringLiteral("Jeśli brakuje działu lub stanowiska dopisz je w słowniku"), this);
    note->setObjectName(QStringLiteral("labSlownik"));
    note->setStyleSheet(QStringLiteral("color: grey;"));
    grid->addWidget(note, r++, 1);
    for (const TextColumn& c : kAfter)
        addText(c);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(makeButtonBar());
    resize(560, 520);

    fDZIAL->bind(&m_db.statement(kDzial), QStringLiteral("KOD"), QStringLiteral("OPIS"));
    fSTANOWISKO->bind(&m_db.statement(kStanowisko), QStringLiteral("KOD"), QStringLiteral("OPIS"));
    connect(clearDzial, &QToolButton::clicked, this, [this] { fDZIAL->clearChoice(); });
    connect(clearStanowisko, &QToolButton::clicked, this, [this] { fSTANOWISKO->clearChoice(); });
    connect(dictDzial, &QToolButton::clicked, this,
            [this] { goToSlownik(TfBiblioteka::Dzialy, fDZIAL, kDzial); });
    connect(dictStanowisko, &QToolButton::clicked, this,
            [this] { goToSlownik(TfBiblioteka::Stanowiska, fSTANOWISKO, kStanowisko); });
}

TfBiblioteka* TfOsobowa::dictionaryEditor()
{
    if (!m_biblioteka)
        m_biblioteka = new TfBiblioteka(m_db, this);
    return m_biblioteka;
}

void TfOsobowa::goToSlownik(int dictionaryIndex, Lookup* lookup, const QString& statement)
{
    TfBiblioteka* editor = dictionaryEditor();
    editor->setDictionary(dictionaryIndex);
    editor->exec();
    m_db.reopenLookup(statement);
    lookup->refill();
}

void TfOsobowa::reopenLookups()
{
    m_db.reopenLookup(kDzial);
    m_db.reopenLookup(kStanowisko);
    fDZIAL->refill();
    fSTANOWISKO->refill();
}

void TfOsobowa::prepareNew()
{
    for (QLineEdit* e : std::as_const(m_edits))
        e->clear();
    fDZIAL->clearChoice();
    fSTANOWISKO->clearChoice();
}

void TfOsobowa::fillFromRow(const Statement& row)
{
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        it.value()->setText(row.text(it.key()));
    fDZIAL->setKey(row.integer(QStringLiteral("DZIAL")));
    fSTANOWISKO->setKey(row.integer(QStringLiteral("STANOWISKO")));
}

void TfOsobowa::setNumberEditable(bool editable)
{
    m_edits.value(QStringLiteral("NREW"))->setEnabled(editable);
}

void TfOsobowa::bindTexts(Statement& q) const
{
    int index = 0;
    for (const char* column : kParamOrder)
        q.setParam(index++, m_edits.value(QLatin1String(column))->text());
}

void TfOsobowa::bindInsert(Statement& q) const
{
    q.clearParams();
    bindTexts(q);
    q.setLine(4, dictionaryLine(fDZIAL));
    q.setLine(6, dictionaryLine(fSTANOWISKO));
}

void TfOsobowa::bindUpdate(Statement& q, const QString& oldNumber) const
{
    q.clearParams();
    bindTexts(q);
    q.setParam(13, oldNumber);
    q.setLine(5, dictionaryLine(fDZIAL));
    q.setLine(7, dictionaryLine(fSTANOWISKO));
}

void TfOsobowa::showEvent(QShowEvent* event)
{
    EditorDialog::showEvent(event);
    const bool dictionaries = isEditable() && AppState::instance().has(12);
    for (QToolButton* b : m_dictionaryButtons)
        b->setVisible(dictionaries);
    QLineEdit* nrew = m_edits.value(QStringLiteral("NREW"));
    QLineEdit* first = nrew->isEnabled() ? nrew : m_edits.value(QStringLiteral("NIP"));
    first->setFocus();
    first->selectAll();
}

void TfOsobowa::SBZapiszClick()
{
    QLineEdit* nrew = m_edits.value(QStringLiteral("NREW"));
    if (nrew->text().trimmed().isEmpty()) {
        refuse(nrew, QStringLiteral("Nie wprowadzono numeru ewidencyjnego. Popraw pole."));
        return;
    }
    QLineEdit* nazwisko = m_edits.value(QStringLiteral("NAZWISKO"));
    if (nazwisko->text().trimmed().isEmpty()) {
        refuse(nazwisko, QStringLiteral("Nie wprowadzono nazwiska. Popraw pole."));
        return;
    }
    nrew->setText(nrew->text().trimmed());
    confirm();
}
