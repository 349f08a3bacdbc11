#include "editors/TfProgramy.h"

#include "editors/TfBiblioteka.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kKlasyfikator = QStringLiteral("DBFKlasyfikator");
const QString kKlopr = QStringLiteral("KLOPR");
} // namespace

TfProgramy::TfProgramy(TmyDataBase& db, QWidget* parent) : SoftwareEditor(db, QStringLiteral("P"), parent)
{
    setObjectName(QStringLiteral("TfProgramy"));
    setWindowTitle(QStringLiteral("Program"));
    QLabel* heading = makeHeading(QStringLiteral("Informacje o programie"));
    m_details = buildDetails();
    m_tabs->addTab(m_details, QStringLiteral("Szczegóły"));
    buildLinkTab(QStringLiteral("Licencje na program"), false);
    buildAttachmentTab();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(makeButtonBar());
    resize(700, 460);
}

QWidget* TfProgramy::buildDetails()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TSSzczegoly"));
    fNREWID = textField(page, "fNREWID", 50, QStringLiteral("Numer ewidencyjny programu"));
    auto* last = toolButton(page, "SpeedButton1", QStringLiteral("<<"),
                            QStringLiteral("Wstaw w pole obok ostatnio wprowadzony numer ewidencyjny"));
    fNAZWA = textField(page, "fNAZWA", 100, QStringLiteral("Nazwa programu"));
    fWERSJA = textField(page, "fWERSJA", 50, QStringLiteral("Wersja oprogramowania"));
    fNRSERYJNY = textField(page, "fNRSERYJNY", 50, QStringLiteral("Numer seryjny programu"));
    fPRODUCENT = textField(page, "fPRODUCENT", 254, QStringLiteral("Producent oprogramowania"));
    fIDFIRMY = lookup(page, "fIDFIRMY", QStringLiteral("Wybierz producenta oprogramowania ze słownika"));
    auto* clearCompany =
        toolButton(page, "SpeedButton2", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnej firmy"));
    fKLASYFIKATOR = lookup(page, "fKLASYFIKATOR", QStringLiteral("Klasyfikator oprogramowania"));
    auto* clearClass = toolButton(page, "SpeedButton3", QStringLiteral("X"),
                                  QStringLiteral("Nie wskazuj żadnego klasyfikatora"));
    QToolButton* dict = dictionaryButton(page, "goToSlownik1", fKLASYFIKATOR,
                                         TfBiblioteka::KlasyfikacjaOprogramowania, kKlasyfikator, kKlopr);
    fINNE = textField(page, "fINNE", 254, QStringLiteral("Pozostałe informacje"));
    auto* note = new QLabel(QStringLiteral("Jeśli brakuje firmy dopisz ją w kartotece firm"), page);
    note->setObjectName(QStringLiteral("LBrakFirmy"));

    auto* grid = new QGridLayout(page);
    int r = 0;
    auto add = [&](const QString& caption, QWidget* w) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(w);
        grid->addWidget(label, r, 0);
        grid->addWidget(w, r, 1);
        ++r;
    };
    add(QStringLiteral("Nr ewidencyjny"), row(page, {fNREWID, last}));
    add(QStringLiteral("Nazwa"), fNAZWA);
    add(QStringLiteral("Wersja"), fWERSJA);
    add(QStringLiteral("Numer seryjny"), fNRSERYJNY);
    add(QStringLiteral("Producent"), fPRODUCENT);
    add(QStringLiteral("Producent (słownik)"), row(page, {fIDFIRMY, clearCompany}));
    grid->addWidget(note, r++, 1);
    add(QStringLiteral("Klasyfikacja"), row(page, {fKLASYFIKATOR, clearClass, dict}));
    add(QStringLiteral("Inne"), fINNE);
    grid->setRowStretch(r, 1);
    grid->setColumnStretch(1, 1);

    fIDFIRMY->bind(&db().statement(QStringLiteral("DBFDostawcy")), QStringLiteral("IDFIRMY"),
                   QStringLiteral("DOSTAWCA"));
    fKLASYFIKATOR->bind(&db().statement(kKlasyfikator), QStringLiteral("KOD"), QStringLiteral("OPIS"));
    connect(last, &QToolButton::clicked, this, &TfProgramy::SpeedButton1Click);
    connect(clearCompany, &QToolButton::clicked, this, [this] { fIDFIRMY->clearChoice(); });
    connect(clearClass, &QToolButton::clicked, this, [this] { fKLASYFIKATOR->setKey(0); });
    return page;
}

void TfProgramy::reopenLookups()
{
    db().reopenLookup(QStringLiteral("DBFDostawcy"));
    db().reopenLookup(QStringLiteral("DBFRodzLic"));
    db().reopenLookup(kKlasyfikator, kKlopr);
    fIDFIRMY->refill();
    fKLASYFIKATOR->refill();
}

void TfProgramy::prepareNew()
{
    prepareNewLists();
    for (QLineEdit* e : {fNREWID, fNAZWA, fWERSJA, fNRSERYJNY, fPRODUCENT, fINNE})
        e->clear();
    fIDFIRMY->clearChoice();
    fKLASYFIKATOR->clearChoice();
}

void TfProgramy::fillFromRow(const Statement& row)
{
    auto text = [&](const char* field) { return row.text(QLatin1String(field)); };
    fNREWID->setText(text("NREWID"));
    fNAZWA->setText(text("NAZWA"));
    fWERSJA->setText(text("WERSJA"));
    fNRSERYJNY->setText(text("NRSERYJNY"));
    fPRODUCENT->setText(text("PRODUCENT"));
    fINNE->setText(text("INNE"));
    fIDFIRMY->setKey(row.integer(QStringLiteral("IDFIRMY")));
    fKLASYFIKATOR->setKey(row.integer(QStringLiteral("KLASYFIKATOR")));
}

void TfProgramy::showEvent(QShowEvent* event)
{
    SoftwareEditor::showEvent(event);
    if (applyTabs()) {
        showTab(linkPage());
    } else {
        m_tabs->setCurrentWidget(m_details);
        fNREWID->setFocus();
    }
}

void TfProgramy::SBZapiszClick()
{
    if (fNAZWA->text().trimmed().isEmpty()) {
        m_tabs->setCurrentWidget(m_details);
        refuse(fNAZWA, QStringLiteral("Nie wprowadzono nazwy programu. Popraw pole."));
        return;
    }
    confirm();
}

void TfProgramy::SpeedButton1Click()
{
    fNREWID->setText(
        db().lastValue(QStringLiteral("IDPROGRAMU"), QStringLiteral("NREWID"), QStringLiteral("programy")));
}
