#include "editors/TfFirma.h"

#include "store/Statement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
struct TextColumn
{
    const char* column;
    const char* caption;
    int limit;
};

// Pairs side by side, top to bottom as on the card.
const TextColumn kMain[] = {
    {"NIP", "NIP", 13},          {"NIPUE", "NIP UE", 20},       {"REGON", "REGON", 9},
    {"MIASTO", "Miasto", 40},    {"KOD", "Kod pocztowy", 10},   {"ULICA", "Ulica", 80},
    {"NUMER", "Numer", 10},      {"TELEFON", "Telefon", 100},   {"FAX", "FAX", 100},
    {"EMAIL", "Email", 100},     {"KRAJ", "Kraj", 30},          {"WWW", "WWW", 100},
    {"BANK", "Bank", 100},       {"ROR", "Numer konta", 30},
};
const TextColumn kCorrespondence[] = {
    {"KMIASTO", "Miasto", 40},     {"KKOD", "Kod pocztowy", 10}, {"KULICA", "Ulica", 80},
    {"KNUMER", "Numer", 10},       {"KTELEFON", "Telefon", 100}, {"KFAX", "FAX", 100},
    {"KEMAIL", "Email", 100},      {"KKRAJ", "Kraj", 30},
};
} // namespace

const QStringList& TfFirma::columns()
{
    static const QStringList order = {
        QStringLiteral("NAZWA"),   QStringLiteral("KOD"),    QStringLiteral("MIASTO"), QStringLiteral("ULICA"),
        QStringLiteral("NUMER"),   QStringLiteral("KRAJ"),   QStringLiteral("NIP"),    QStringLiteral("NIPUE"),
        QStringLiteral("REGON"),   QStringLiteral("BANK"),   QStringLiteral("ROR"),    QStringLiteral("TELEFON"),
        QStringLiteral("FAX"),     QStringLiteral("EMAIL"),  QStringLiteral("WWW"),    QStringLiteral("KKOD"),
        QStringLiteral("KMIASTO"), QStringLiteral("KULICA"), QStringLiteral("KNUMER"), QStringLiteral("KKRAJ"),
        QStringLiteral("KTELEFON"), QStringLiteral("KFAX"),  QStringLiteral("KEMAIL"), QStringLiteral("INNE")};
    return order;
}

TfFirma::TfFirma(QWidget* parent) : EditorDialog(parent)
{
    setObjectName(QStringLiteral("TfFirma"));
    setWindowTitle(QStringLiteral("Dane Firmy"));
    auto* heading = new QLabel(QStringLiteral("Dane firmy"), this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    auto makeEdit = [this](QWidget* parent, const TextColumn& c) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(QLatin1Char('f') + QLatin1String(c.column));
        e->setMaxLength(c.limit);
        e->setToolTip(QString::fromUtf8(c.caption));
        m_edits.insert(QLatin1String(c.column), e);
        return e;
    };
    // Two fields a row: caption, field, caption, field.
    auto addPairs = [&](QWidget* parent, QGridLayout* grid, int firstRow, const TextColumn* begin,
                        const TextColumn* end) {
        int i = 0;
        for (const TextColumn* c = begin; c != end; ++c, ++i) {
            QLineEdit* e = makeEdit(parent, *c);
            auto* label = new QLabel(QString::fromUtf8(c->caption), parent);
            label->setBuddy(e);
            grid->addWidget(label, firstRow + i / 2, (i % 2) * 2);
            grid->addWidget(e, firstRow + i / 2, (i % 2) * 2 + 1);
        }
    };

    auto* grid = new QGridLayout;
    const TextColumn nazwa{"NAZWA", "Nazwa firmy", 254};
    QLineEdit* fNAZWA = makeEdit(this, nazwa);
    auto* nameLabel = new QLabel(QStringLiteral("Nazwa firmy"), this);
    nameLabel->setBuddy(fNAZWA);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(fNAZWA, 0, 1, 1, 3);
    addPairs(this, grid, 1, std::begin(kMain), std::end(kMain));
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* box = new QGroupBox(QStringLiteral("Adres korespondencyjny:"), this);
    box->setObjectName(QStringLiteral("GBKorespondencja"));
    auto* boxGrid = new QGridLayout(box);
    addPairs(box, boxGrid, 0, std::begin(kCorrespondence), std::end(kCorrespondence));
    boxGrid->setColumnStretch(1, 1);
    boxGrid->setColumnStretch(3, 1);

    auto* other = new QGridLayout;
    const TextColumn inne{"INNE", "Inne", 254};
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
    resize(720, 520);
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
