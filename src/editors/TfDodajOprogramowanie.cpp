#include "editors/TfDodajOprogramowanie.h"

#include "base/Dialogs.h"
#include "editors/SubList.h"
#include "store/Guarded.h"
#include "store/LicenceSeats.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/TVXGridStorage.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
GridColumn text(const char* field, const QString& title, int width)
{
    return GridColumn{QLatin1String(field), title, width, ColumnFormat::Text};
}
} // namespace

TfDodajOprogramowanie::TfDodajOprogramowanie(TmyDataBase& db, QWidget* parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfDodajOprogramowanie"));
    setWindowTitle(QStringLiteral("Dodaj oprogramowanie"));
    auto* heading =
        new QLabel(QStringLiteral("Dodaj licencję na oprogramowanie zainstalowane na tym komputerze"), this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    heading->setFont(font);

    m_list = new SubList(
        db, QStringLiteral("DBFLicProg"),
        {text("NRLICENCJI", QStringLiteral("Nr licencji"), 150), text("NAZWA", QStringLiteral("Nazwa"), 250),
         text("WERSJA", QStringLiteral("Wersja"), 90), text("WIELOSTAN", QStringLiteral("Wielost."), 60)},
        this);
    m_list->grid()->setObjectName(QStringLiteral("OprogramowanieGrid"));
    TVXGridStorage::registerDBGrid(m_list->grid(), QStringLiteral("DODAJOPR_licProgGrid"));
    m_list->setAction(SubList::Add, [this] { SBDodajClick(); });
    m_list->setActivateAction(SubList::Add);

    m_free = new QLabel(this);
    m_free->setObjectName(QStringLiteral("LWolneLicencje"));
    auto* explanation = new QLabel(
        QStringLiteral(
            "Wskaż licencję na oprogramowanie zainstalowane na wybranym komputerze. Jeśli na powyższej "
            "liście brakuje programu, a istnieje on w tabeli programów oznacza to, że z programem nie "
            "skojarzono żadnej licencji. ") +
            QStringLiteral(
                "Aby rozwiązać prolem należy stworzyć nową licencję na interesujący nas program, a "
                "następnie przypisać ją do komputera."),
        this);
    explanation->setObjectName(QStringLiteral("LWyjasnienie"));
    explanation->setWordWrap(true);

    m_dodaj = new QPushButton(QStringLiteral("Dodaj"), this);
    m_dodaj->setObjectName(QStringLiteral("SBDodaj"));
    m_dodaj->setToolTip(QStringLiteral("Dodaj oprogramowanie"));
    m_dodaj->setDefault(true);
    auto* anuluj = new QPushButton(QStringLiteral("Anuluj"), this);
    anuluj->setObjectName(QStringLiteral("SBAnuluj"));
    anuluj->setAutoDefault(false);
    connect(m_dodaj, &QPushButton::clicked, this, &TfDodajOprogramowanie::SBDodajClick);
    connect(anuluj, &QPushButton::clicked, this, &QDialog::reject);

    auto* bar = new QHBoxLayout;
    bar->addStretch();
    bar->addWidget(m_dodaj);
    bar->addWidget(anuluj);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_list->grid(), 1);
    layout->addWidget(m_free);
    layout->addWidget(explanation);
    layout->addLayout(bar);
    resize(640, 420);

    connect(m_list, &SubList::reloaded, this, &TfDodajOprogramowanie::showFreeSeats);
    // The grid moves the statement's cursor first; the seats follow it.
    connect(m_list->grid()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TfDodajOprogramowanie::showFreeSeats);
}

bool TfDodajOprogramowanie::reload()
{
    ListState& state = m_list->state();
    const QString& list = m_list->list();
    state.reset(list);
    state.setActiveOnly(list, true);
    return m_list->reload();
}

qint64 TfDodajOprogramowanie::program() const
{
    return m_list->hasRow() ? m_list->integer(QStringLiteral("IDPROGRAMU")) : -1;
}

qint64 TfDodajOprogramowanie::licence() const
{
    return m_list->hasRow() ? m_list->integer(QStringLiteral("IDLICENCJI")) : -1;
}

void TfDodajOprogramowanie::choose(qint64 program, qint64 licence)
{
    Statement& q = m_list->statement();
    const int p = q.fieldIndex(QStringLiteral("IDPROGRAMU"));
    const int l = q.fieldIndex(QStringLiteral("IDLICENCJI"));
    for (int row = 0; p >= 0 && l >= 0 && row < q.recordCount(); ++row) {
        if (q.integerAt(row, p) == program && q.integerAt(row, l) == licence) {
            q.setRecNo(row);
            m_list->grid()->followCursor();
            break;
        }
    }
    showFreeSeats();
}

QString TfDodajOprogramowanie::freeSeatsText() const
{
    return m_free->text();
}

void TfDodajOprogramowanie::showFreeSeats()
{
    if (!m_list->hasRow()) {
        m_free->clear();
        return;
    }
    LicenceSeats::Seats s;
    if (!guarded(3114, [&] { s = LicenceSeats::read(m_db.DatabaseMain(), program(), licence()); }) ||
        !s.found) {
        m_free->clear();
        return;
    }
    if (s.unlimited) {
        m_free->setText(QStringLiteral("Wolne licencje: bez ograniczeń (zainstalowano %1)").arg(s.used));
        return;
    }
    const qint64 free = std::max<qint64>(0, s.seats - s.used);
    m_free->setText(
        QStringLiteral("Wolne licencje: %1 z %2 (zainstalowano %3)").arg(free).arg(s.seats).arg(s.used));
}

void TfDodajOprogramowanie::showEvent(QShowEvent* event)
{
    m_ok = false;
    QDialog::showEvent(event);
    m_list->grid()->setFocus();
    showFreeSeats();
}

void TfDodajOprogramowanie::SBDodajClick()
{
    if (!m_list->hasRow()) {
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Brak oprogramowania."));
        return;
    }
    m_ok = true;
    accept();
}
