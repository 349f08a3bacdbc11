#include "bhp/BhpEditor.h"

#include "editors/TfBiblioteka.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {
const QString kClassifiers = QStringLiteral("DBFKlasyfikator");
const QString kCode = QStringLiteral("KLBHP");
} // namespace

BhpEditor::BhpEditor(TmyDataBase& db, QWidget* parent) : EditorDialog(parent), m_db(db) {}

QLabel* BhpEditor::makeHeading(const QString& text)
{
    auto* heading = new QLabel(text, this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    heading->setFont(font);
    return heading;
}

QLineEdit* BhpEditor::textField(QWidget* parent, const char* name, int maxLength, const QString& hint)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    e->setToolTip(hint);
    return e;
}

QToolButton* BhpEditor::toolButton(QWidget* parent, const char* name, const QString& caption,
                                   const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    return b;
}

QWidget* BhpEditor::row(QWidget* parent, std::initializer_list<QWidget*> widgets, bool stretch)
{
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    bool first = true;
    for (QWidget* w : widgets) {
        layout->addWidget(w, first && stretch ? 1 : 0);
        first = false;
    }
    if (!stretch)
        layout->addStretch();
    return box;
}

void BhpEditor::buildIdentity(QWidget* parent, const QString& table, const QString& keyColumn,
                              const QString& nameHint)
{
    fNREWID = textField(parent, "fNREWID", 50, QStringLiteral("Numer ewidencyjny / Symbol"));
    m_lastNumber = toolButton(parent, "SpeedButton4", QStringLiteral("<<"),
                              QStringLiteral("Wstaw w pole obok ostatnio wprowadzony numer ewidencyjny"));
    fNAZWA = textField(parent, "fNAZWA", 254, nameHint);
    fINNE = textField(parent, "fINNE", 254, QStringLiteral("Pozostałe informacje"));
    fCECHY = textField(parent, "fCECHY", 254, QStringLiteral("Cechy charakterystyczne środka BHP"));
    fKLASYFIKATOR = new Lookup(parent);
    fKLASYFIKATOR->setObjectName(QStringLiteral("fKLASYFIKATOR"));
    fKLASYFIKATOR->setToolTip(QStringLiteral("Klasyfikator środka BHP"));
    fKLASYFIKATOR->bind(&m_db.statement(kClassifiers), QStringLiteral("KOD"), QStringLiteral("OPIS"));
    goToSlownik1 =
        toolButton(parent, "goToSlownik1", QStringLiteral("[...]"), QStringLiteral("Edytuj słowniki"));

    connect(m_lastNumber, &QToolButton::clicked, this, [this, table, keyColumn] {
        fNREWID->setText(m_db.lastValue(keyColumn, QStringLiteral("NREWID"), table));
    });
    connect(goToSlownik1, &QToolButton::clicked, this, [this] {
        if (!m_biblioteka)
            m_biblioteka = new TfBiblioteka(m_db, this);
        m_biblioteka->setDictionary(TfBiblioteka::KlasyfikacjaBhp);
        m_biblioteka->exec();
        reopenClassifier();
    });
}

void BhpEditor::reopenClassifier()
{
    m_db.reopenLookup(kClassifiers, kCode);
    fKLASYFIKATOR->refill();
}

void BhpEditor::chooseFirstClassifier()
{
    fKLASYFIKATOR->setCurrentIndex(fKLASYFIKATOR->count() > 0 ? 0 : -1);
}

BhpItemData BhpEditor::itemData(double ilosc) const
{
    return {fNAZWA->text(), fCECHY->text(), fNREWID->text(), fINNE->text(), ilosc, fKLASYFIKATOR->key()};
}

void BhpEditor::setIdentity(const BhpItemData& data)
{
    fNAZWA->setText(data.nazwa);
    fCECHY->setText(data.cechy);
    fNREWID->setText(data.nrewid);
    fINNE->setText(data.inne);
    fKLASYFIKATOR->setKey(data.klasyfikator);
}

void BhpEditor::showDictionaryButton()
{
    goToSlownik1->setVisible(isEditable() && !isReadOnly() && AppState::instance().has(12));
}
