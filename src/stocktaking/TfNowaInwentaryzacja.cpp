#include "stocktaking/TfNowaInwentaryzacja.h"

#include "base/Clock.h"
#include "base/Dialogs.h"
#include "store/AppState.h"
#include "store/Guarded.h"
#include "store/Statement.h"
#include "widgets/DateField.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr qint64 kLookupsFailed = 3901;
} // namespace

TfNowaInwentaryzacja::TfNowaInwentaryzacja(SqlConnection& connection, QWidget* parent)
    : QDialog(parent), m_connection(connection)
{
    setObjectName(QStringLiteral("TfNowaInwentaryzacja"));
    setWindowTitle(QStringLiteral("Nowa inwentaryzacja"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    m_zakres = new QComboBox(this);
    m_zakres->setObjectName(QStringLiteral("cbZakres"));
    m_zakres->addItem(QStringLiteral("Lokalizacja"), QStringLiteral("L"));
    m_zakres->addItem(QStringLiteral("Osoba odpowiedzialna"), QStringLiteral("O"));
    m_zakres->addItem(QStringLiteral("Rejestr"), QStringLiteral("R"));
    m_zakres->addItem(QStringLiteral("Wszystkie aktywne składniki"), QStringLiteral("W"));
    form->addRow(QStringLiteral("Zakres spisu:"), m_zakres);

    m_lokalizacja = new QComboBox(this);
    m_lokalizacja->setObjectName(QStringLiteral("cbLokalizacja"));
    form->addRow(QStringLiteral("Lokalizacja:"), m_lokalizacja);
    m_osoba = new QComboBox(this);
    m_osoba->setObjectName(QStringLiteral("cbOsoba"));
    form->addRow(QStringLiteral("Osoba odpowiedzialna:"), m_osoba);
    m_rejestr = new QComboBox(this);
    m_rejestr->setObjectName(QStringLiteral("cbRejestr"));
    m_rejestr->addItem(QStringLiteral("Komputery"), QStringLiteral("K"));
    m_rejestr->addItem(QStringLiteral("Inny sprzęt"), QStringLiteral("S"));
    m_rejestr->addItem(QStringLiteral("Odzież i środki BHP"), QStringLiteral("B"));
    form->addRow(QStringLiteral("Rejestr:"), m_rejestr);

    m_data = new DateField(this);
    m_data->setObjectName(QStringLiteral("fDATA"));
    form->addRow(QStringLiteral("Data spisu:"), m_data);
    m_komisja = new QPlainTextEdit(this);
    m_komisja->setObjectName(QStringLiteral("fKOMISJA"));
    m_komisja->setTabChangesFocus(true);
    m_komisja->setPlaceholderText(QStringLiteral("Imię i nazwisko, jedna osoba w wierszu"));
    m_komisja->setMinimumHeight(80);
    form->addRow(QStringLiteral("Komisja inwentaryzacyjna:"), m_komisja);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&Rozpocznij"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("SBZapisz"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Anuluj"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("SBAnuluj"));
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &TfNowaInwentaryzacja::SBZapiszClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_zakres, &QComboBox::currentIndexChanged, this, &TfNowaInwentaryzacja::zakresChange);
    setMinimumWidth(460);
}

bool TfNowaInwentaryzacja::prepare()
{
    m_lokalizacja->clear();
    m_osoba->clear();
    const bool ok = guarded(kLookupsFailed, [&] {
        Statement places(&m_connection, QStringLiteral("DBFInwentaryzacjaLokalizacje"),
                         {QStringLiteral("SELECT KOD, OPIS FROM slowniki WHERE IDSLOWNIK = 'LOKAL' "
                                         "ORDER BY OPIS COLLATE PL, KOD")});
        places.open();
        for (places.first(); !places.eof(); places.next())
            m_lokalizacja->addItem(places.text(QStringLiteral("OPIS")),
                                   places.integer(QStringLiteral("KOD")));
        Statement people(&m_connection, QStringLiteral("DBFInwentaryzacjaOsoby"),
                         {QStringLiteral("SELECT NREW, NAZWISKO, IMIE FROM osobowa "
                                         "ORDER BY NAZWISKO COLLATE PL, IMIE COLLATE PL, NREW")});
        people.open();
        for (people.first(); !people.eof(); people.next())
            m_osoba->addItem((people.text(QStringLiteral("NAZWISKO")) + QLatin1Char(' ') +
                              people.text(QStringLiteral("IMIE")))
                                     .trimmed() +
                                 QStringLiteral(" (") + people.text(QStringLiteral("NREW")) +
                                 QLatin1Char(')'),
                             people.text(QStringLiteral("NREW")));
    });
    m_zakres->setCurrentIndex(0);
    m_rejestr->setCurrentIndex(0);
    m_data->setDate(Clock::today());
    m_komisja->clear();
    m_session = StocktakingSession();
    zakresChange();
    m_zakres->setFocus();
    return ok;
}

void TfNowaInwentaryzacja::zakresChange()
{
    const QString scope = m_zakres->currentData().toString();
    m_lokalizacja->setEnabled(scope == QLatin1String("L"));
    m_osoba->setEnabled(scope == QLatin1String("O"));
    m_rejestr->setEnabled(scope == QLatin1String("R"));
}

void TfNowaInwentaryzacja::SBZapiszClick()
{
    const QString scope = m_zakres->currentData().toString();
    StocktakingSession s;
    s.scope = scope.at(0);
    if (scope == QLatin1String("L")) {
        if (m_lokalizacja->currentIndex() < 0) {
            Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Wybierz lokalizację. Popraw pole."));
            m_lokalizacja->setFocus();
            return;
        }
        s.location = m_lokalizacja->currentData().toInt();
        s.scopeText = QStringLiteral("Lokalizacja: ") + m_lokalizacja->currentText();
    } else if (scope == QLatin1String("O")) {
        if (m_osoba->currentIndex() < 0) {
            Dialogs::info(QStringLiteral("Uwaga"),
                          QStringLiteral("Wybierz osobę odpowiedzialną. Popraw pole."));
            m_osoba->setFocus();
            return;
        }
        s.person = m_osoba->currentData().toString();
        s.scopeText = QStringLiteral("Osoba odpowiedzialna: ") + m_osoba->currentText();
    } else if (scope == QLatin1String("R")) {
        s.registerKind = m_rejestr->currentData().toString().at(0);
        s.scopeText = QStringLiteral("Rejestr: ") + m_rejestr->currentText();
    } else {
        s.scopeText = QStringLiteral("Wszystkie aktywne składniki");
    }
    if (!m_data->isValidDate()) {
        Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Niepoprawna data spisu. Popraw pole."));
        m_data->setFocus();
        return;
    }
    QStringList committee;
    for (const QString& line : m_komisja->toPlainText().split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            committee << line.trimmed();
    if (committee.isEmpty()) {
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Podaj skład komisji inwentaryzacyjnej. Popraw pole."));
        m_komisja->setFocus();
        return;
    }
    s.date = int(m_data->ymd());
    s.committee = committee.join(QLatin1Char('\n'));
    s.createdBy = AppState::instance().currentUser;
    m_session = s;
    accept();
}
