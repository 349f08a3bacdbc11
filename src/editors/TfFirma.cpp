#include "editors/TfFirma.h"

#include "editors/DialogParts.h"

#include "store/Statement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
struct TextColumn
{
    const char* name; // "f" + column
    const char* caption;
    int limit;
    int row = 0;
    int column = 0; // up to three fields a row
};

// Top to bottom, left to right as on the card.
const TextColumn kMain[] = {
    {"fNIP", "NIP", 13, 0, 0},       {"fNIPUE", "NIP UE", 20, 0, 1},     {"fREGON", "REGON", 9, 0, 2},
    {"fMIASTO", "Miasto", 40, 1, 0}, {"fKOD", "Kod pocztowy", 10, 1, 1}, {"fULICA", "Ulica", 80, 2, 0},
    {"fNUMER", "Numer", 10, 2, 1},   {"fTELEFON", "Telefon", 100, 3, 0}, {"fFAX", "FAX", 100, 3, 1},
    {"fEMAIL", "Email", 100, 4, 0},  {"fKRAJ", "Kraj", 30, 4, 1},        {"fWWW", "WWW", 100, 5, 0},
    {"fBANK", "Bank", 100, 6, 0},    {"fROR", "Numer konta", 30, 6, 1},
};
const TextColumn kCorrespondence[] = {
    {"fKMIASTO", "Miasto", 40, 0, 0}, {"fKKOD", "Kod pocztowy", 10, 0, 1}, {"fKULICA", "Ulica", 80, 1, 0},
    {"fKNUMER", "Numer", 10, 1, 1},   {"fKTELEFON", "Telefon", 100, 2, 0}, {"fKFAX", "FAX", 100, 2, 1},
    {"fKEMAIL", "Email", 100, 3, 0},  {"fKKRAJ", "Kraj", 30, 3, 1},
};
} // namespace

const QStringList& TfFirma::columns()
{
    static const QStringList order = {
        QStringLiteral("NAZWA"),  QStringLiteral("KOD"),     QStringLiteral("MIASTO"),
        QStringLiteral("ULICA"),  QStringLiteral("NUMER"),   QStringLiteral("KRAJ"),
        QStringLiteral("NIP"),    QStringLiteral("NIPUE"),   QStringLiteral("REGON"),
        QStringLiteral("BANK"),   QStringLiteral("ROR"),     QStringLiteral("TELEFON"),
        QStringLiteral("FAX"),    QStringLiteral("EMAIL"),   QStringLiteral("WWW"),
        QStringLiteral("KKOD"),   QStringLiteral("KMIASTO"), QStringLiteral("KULICA"),
        QStringLiteral("KNUMER"), QStringLiteral("KKRAJ"),   QStringLiteral("KTELEFON"),
        QStringLiteral("KFAX"),   QStringLiteral("KEMAIL"),  QStringLiteral("INNE")};
    return order;
}

TfFirma::TfFirma(QWidget* parent) : EditorDialog(parent)
{
    setObjectName(QStringLiteral("TfFirma"));
    setWindowTitle(QStringLiteral("Dane Firmy"));
    QLabel* heading = DialogParts::heading(this, QStringLiteral("Dane firmy"));

    auto makeEdit = [this](QWidget* parent, const TextColumn& c) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(QLatin1String(c.name));
        e->setMaxLength(c.limit);
        e->setToolTip(QString::fromUtf8(c.caption));
        m_edits.insert(QLatin1String(c.name + 1), e);
        return e;
    };
    // Caption and field side by side, up to three pairs a row.
    auto addFields = [&](QWidget* parent, QGridLayout* grid, int firstRow, const TextColumn* begin,
                         const TextColumn* end) {
        for (const TextColumn* c = begin; c != end; ++c) {
            QLineEdit* e = makeEdit(parent, *c);
            auto* label = new QLabel(QString::fromUtf8(c->caption), parent);
            label->setBuddy(e);
            grid->addWidget(label, firstRow + c->row, c->column * 2);
            grid->addWidget(e, firstRow + c->row, c->column * 2 + 1);
        }
        for (int column = 1; column < 6; column += 2)
            grid->setColumnStretch(column, 1);
    };

    auto* grid = new QGridLayout;
    const TextColumn nazwa{"fNAZWA", "Nazwa firmy", 254};
    QLineEdit* fNAZWA = makeEdit(this, nazwa);
    auto* nameLabel = new QLabel(QStringLiteral("Nazwa firmy"), this);
    nameLabel->setBuddy(fNAZWA);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(fNAZWA, 0, 1, 1, 5);
    addFields(this, grid, 1, std::begin(kMain), std::end(kMain));

    auto* box = new QGroupBox(QStringLiteral("Adres korespondencyjny:"), this);
    box->setObjectName(QStringLiteral("GBKorespondencja"));
    auto* boxGrid = new QGridLayout(box);
    addFields(box, boxGrid, 0, std::begin(kCorrespondence), std::end(kCorrespondence));

    auto* other = new QGridLayout;
    const TextColumn inne{"fINNE", "Inne", 254};
    QLineEdit* fINNE = makeEdit(this, inne);
    auto* otherLabel = new QLabel(QStringLiteral("Inne"), this);
    otherLabel->setBuddy(fINNE);
    other->addWidget(otherLabel, 0, 0);
    other->addWidget(fINNE, 0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addWidget(box);
    layout->addLayout(other);
    layout->addStretch();
    layout->addLayout(makeButtonBar());
    resize(860, 520);
}

void TfFirma::prepareNew()
{
    for (QLineEdit* e : std::as_const(m_edits))
        e->clear();
}

void TfFirma::fillFromRow(const Statement& row)
{
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        it.value()->setText(row.text(it.key()));
}

void TfFirma::bindInsert(Statement& q) const
{
    q.clearParams();
    int index = 0;
    for (const QString& column : columns())
        q.setParam(index++, m_edits.value(column)->text());
}

void TfFirma::bindUpdate(Statement& q, qint64 key) const
{
    bindInsert(q);
    q.setLine(7, QString::number(key));
}

void TfFirma::showEvent(QShowEvent* event)
{
    EditorDialog::showEvent(event);
    QLineEdit* name = m_edits.value(QStringLiteral("NAZWA"));
    name->setFocus();
    name->selectAll();
}

void TfFirma::SBZapiszClick()
{
    QLineEdit* name = m_edits.value(QStringLiteral("NAZWA"));
    if (name->text().trimmed().isEmpty()) {
        refuse(name, QStringLiteral("Nie wprowadzono nazwy firmy. Popraw pole."));
        return;
    }
    confirm();
}
