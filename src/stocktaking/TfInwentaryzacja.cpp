#include "stocktaking/TfInwentaryzacja.h"

#include "base/Clock.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "stocktaking/CountSheetReport.h"
#include "stocktaking/DifferencesReport.h"
#include "stocktaking/StocktakingModel.h"
#include "stocktaking/TfNowaInwentaryzacja.h"
#include "store/AppState.h"
#include "store/Guarded.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// Codes of the failures reported from this window.
constexpr qint64 kSessionsFailed = 3902;
constexpr qint64 kOpenFailed = 3903;
constexpr qint64 kScanFailed = 3904;
constexpr qint64 kCloseFailed = 3905;
constexpr qint64 kRemoveFailed = 3906;
constexpr qint64 kRefreshFailed = 3907;
constexpr qint64 kPrintFailed = 3908;
// Right 30 lets a user see the sessions, right 31 count and close them.
constexpr int kRightView = 30;
constexpr int kRightChange = 31;
// How often the scans of other workstations are looked for.
constexpr int kRefreshMs = 3000;

QString dateText(int ymd)
{
    if (ymd <= 0)
        return QString();
    const QDate d = DueWindow::fromYmd(ymd);
    const QString sep = QString(Clock::dateSeparator());
    return d.toString(QStringLiteral("dd") + sep + QStringLiteral("MM") + sep + QStringLiteral("yyyy"));
}

QTableView* makeGrid(QWidget* parent, const QString& name, StocktakingModel* model)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setModel(model);
    // The scanner field keeps the focus: the grids are looked at, not typed in.
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {130, 200, 100, 130, 150, 85, 135, 130, 60};
    for (int column = 0; column < int(std::size(widths)); ++column)
        grid->setColumnWidth(column, widths[column]);
    return grid;
}
} // namespace

TfInwentaryzacja::TfInwentaryzacja(TmyDataBase& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_store(db.DatabaseMain()), m_workstation(workstationName())
{
    setObjectName(QStringLiteral("TfInwentaryzacja"));
    setWindowTitle(QStringLiteral("Inwentaryzacja"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Inwentaryzacja:"), this));
    m_sesje = new QComboBox(this);
    m_sesje->setObjectName(QStringLiteral("cbSesja"));
    m_sesje->setMinimumWidth(420);
    m_sesje->setFocusPolicy(Qt::NoFocus);
    top->addWidget(m_sesje, 1);
    auto button = [&](const char* name, const char* caption, void (TfInwentaryzacja::*slot)()) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    m_nowa = button("SBNowa", "&Nowa inwentaryzacja...", &TfInwentaryzacja::SBNowaClick);
    m_zamknij = button("SBZamknij", "&Zamknij inwentaryzację...", &TfInwentaryzacja::SBZamknijClick);
    m_usun = button("SBUsun", "&Usuń", &TfInwentaryzacja::SBUsunClick);
    top->addWidget(m_nowa);
    top->addWidget(m_zamknij);
    top->addWidget(m_usun);
    layout->addLayout(top);

    m_opis = new QLabel(this);
    m_opis->setObjectName(QStringLiteral("labOpis"));
    m_opis->setWordWrap(true);
    layout->addWidget(m_opis);

    auto* counts = new QHBoxLayout;
    const char* const names[] = {"labOczekiwane", "labZnalezione", "labBrakujace", "labPozaSpisem"};
    for (int i = 0; i < 4; ++i) {
        m_liczby[i] = new QLabel(this);
        m_liczby[i]->setObjectName(QLatin1String(names[i]));
        QFont f = m_liczby[i]->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.2);
        m_liczby[i]->setFont(f);
        counts->addWidget(m_liczby[i]);
    }
    counts->addStretch();
    layout->addLayout(counts);

    auto* scanRow = new QHBoxLayout;
    auto* scanLabel = new QLabel(QStringLiteral("&Kod (czytnik lub numer inwentarzowy):"), this);
    scanRow->addWidget(scanLabel);
    m_kod = new QLineEdit(this);
    m_kod->setObjectName(QStringLiteral("fKOD"));
    m_kod->setMaxLength(100);
    QFont big = m_kod->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    m_kod->setFont(big);
    scanLabel->setBuddy(m_kod);
    scanRow->addWidget(m_kod, 1);
    layout->addLayout(scanRow);
    m_wynik = new QLabel(this);
    m_wynik->setObjectName(QStringLiteral("labWynik"));
    m_wynik->setFont(big);
    m_wynik->setMinimumHeight(m_wynik->fontMetrics().height() + 12);
    m_wynik->setAutoFillBackground(true);
    m_wynik->setMargin(4);
    layout->addWidget(m_wynik);

    m_oczekiwaneModel = new StocktakingModel(StocktakingModel::Part::Expected, this);
    m_pozaModel = new StocktakingModel(StocktakingModel::Part::Outside, this);
    auto* expectedBox = new QGroupBox(QStringLiteral("Składniki objęte spisem"), this);
    auto* expectedLayout = new QVBoxLayout(expectedBox);
    m_oczekiwane = makeGrid(expectedBox, QStringLiteral("InwentaryzacjaGrid"), m_oczekiwaneModel);
    expectedLayout->addWidget(m_oczekiwane);
    layout->addWidget(expectedBox, 3);

    auto* outsideBox =
        new QGroupBox(QStringLiteral("Stwierdzone poza spisem (z innego miejsca lub nieznane)"), this);
    auto* outsideLayout = new QVBoxLayout(outsideBox);
    m_poza = makeGrid(outsideBox, QStringLiteral("PozaSpisemGrid"), m_pozaModel);
    outsideLayout->addWidget(m_poza);
    auto* chooseRow = new QHBoxLayout;
    chooseRow->addWidget(new QLabel(QStringLiteral("Numery pasujące do kilku składników:"), outsideBox));
    m_doWyboru = new QComboBox(outsideBox);
    m_doWyboru->setObjectName(QStringLiteral("cbDoWyboru"));
    m_doWyboru->setFocusPolicy(Qt::NoFocus);
    m_doWyboru->setMinimumWidth(200);
    chooseRow->addWidget(m_doWyboru, 1);
    m_wybierz = button("SBWybierz", "&Wybierz składnik...", &TfInwentaryzacja::SBWybierzClick);
    chooseRow->addWidget(m_wybierz);
    outsideLayout->addLayout(chooseRow);
    layout->addWidget(outsideBox, 2);

    auto* bottom = new QHBoxLayout;
    m_arkusz = button("SBArkusz", "&Arkusz spisu z natury", &TfInwentaryzacja::SBArkuszClick);
    m_roznice = button("SBRoznice", "Zestawienie &różnic", &TfInwentaryzacja::SBRozniceClick);
    bottom->addWidget(m_arkusz);
    bottom->addWidget(m_roznice);
    bottom->addStretch();
    QPushButton* close = button("SBZamknijOkno", "Zam&knij okno", &QDialog::accept);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    m_nowaForm = new TfNowaInwentaryzacja(db.DatabaseMain(), this);
    m_timer = new QTimer(this);
    m_timer->setInterval(kRefreshMs);
    connect(m_timer, &QTimer::timeout, this, &TfInwentaryzacja::refreshChanges);
    connect(m_kod, &QLineEdit::returnPressed, this, &TfInwentaryzacja::codeEntered);
    connect(m_sesje, &QComboBox::activated, this, &TfInwentaryzacja::sessionChange);
    resize(1240, 760);
}

QString TfInwentaryzacja::workstationName()
{
    const QString user = AppState::instance().currentUser;
    const QString host = QSysInfo::machineHostName();
    return user.isEmpty() ? host : host + QStringLiteral(" (") + user + QLatin1Char(')');
}

bool TfInwentaryzacja::prepare()
{
    m_queue.clear();
    m_toChoose.clear();
    m_doWyboru->clear();
    m_wynik->clear();
    m_wynik->setPalette(palette());
    // The user may have changed since the last time (a logout).
    if (!m_fixedWorkstation)
        m_workstation = workstationName();
    bool ok = guarded(kSessionsFailed, [&] { fillSessions(0); });
    if (!ok)
        showSession(0);
    return ok;
}

void TfInwentaryzacja::fillSessions(qint64 select)
{
    const QList<StocktakingSession> sessions = m_store.sessions();
    m_sesje->clear();
    int index = -1;
    for (const StocktakingSession& s : sessions) {
        if (s.id == select)
            index = int(m_sesje->count());
        m_sesje->addItem(QStringLiteral("Nr %1 z %2 – %3%4")
                             .arg(s.id)
                             .arg(dateText(s.date), s.scopeText,
                                  s.closed ? QStringLiteral(" (zamknięta)") : QStringLiteral(" (otwarta)")),
                         s.id);
    }
    if (index < 0 && m_sesje->count() > 0)
        index = 0;
    m_sesje->setCurrentIndex(index);
    showSession(index < 0 ? 0 : m_sesje->itemData(index).toLongLong());
}

void TfInwentaryzacja::sessionChange()
{
    guarded(kSessionsFailed, [&] { showSession(m_sesje->currentData().toLongLong()); });
}

void TfInwentaryzacja::showSession(qint64 id)
{
    m_queue.clear();
    m_toChoose.clear();
    m_doWyboru->clear();
    m_session = StocktakingSession();
    m_seen = 0;
    QList<StocktakingItem> items;
    if (id != 0) {
        m_session = m_store.session(id);
        // The counter before the rows: a scan in between is read again, never missed.
        m_store.changedItems(id, std::numeric_limits<qint64>::max(), &m_seen);
        items = m_store.items(id);
    }
    m_oczekiwaneModel->setItems(items);
    m_pozaModel->setItems(items);
    if (id == 0) {
        m_opis->setText(
            QStringLiteral("Brak inwentaryzacji. Rozpocznij nową przyciskiem „Nowa inwentaryzacja...”."));
    } else {
        QString committee = m_session.committee;
        committee.replace(QLatin1Char('\n'), QStringLiteral(", "));
        m_opis->setText(QStringLiteral("Zakres: %1.  Data spisu: %2.  Komisja: %3.%4")
                            .arg(m_session.scopeText, dateText(m_session.date), committee,
                                 m_session.closed ? QStringLiteral("  Zamknięta ") +
                                                        dateText(m_session.closedDate) + QLatin1Char('.')
                                                  : QString()));
    }
    showCounts();
    updateButtons();
    m_wynik->setPalette(palette());
    m_wynik->setText(m_kod->isEnabled()
                         ? QStringLiteral("Zeskanuj etykietę albo wpisz numer inwentarzowy i naciśnij Enter.")
                         : QString());
    refocus();
}

void TfInwentaryzacja::showCounts()
{
    StocktakingCounts c;
    for (int row = 0; row < m_oczekiwaneModel->rowCount(); ++row) {
        const StocktakingItem& item = m_oczekiwaneModel->item(row);
        ++c.expected;
        ++(item.found ? c.found : c.missing);
    }
    c.unexpected = m_pozaModel->rowCount();
    m_liczby[0]->setText(QStringLiteral("Oczekiwane: %1").arg(c.expected));
    m_liczby[1]->setText(QStringLiteral("Znalezione: %1").arg(c.found));
    m_liczby[2]->setText(QStringLiteral("Brakujące: %1").arg(c.missing));
    m_liczby[3]->setText(QStringLiteral("Poza spisem: %1").arg(c.unexpected));
    m_liczby[1]->setStyleSheet(QStringLiteral("color: #1b7a1b"));
    m_liczby[2]->setStyleSheet(c.missing > 0 ? QStringLiteral("color: #b00000") : QString());
    m_liczby[3]->setStyleSheet(c.unexpected > 0 ? QStringLiteral("color: #b36b00") : QString());
}

void TfInwentaryzacja::updateButtons()
{
    const AppState& state = AppState::instance();
    const bool change = state.has(kRightChange);
    const bool view = change || state.has(kRightView);
    const bool open = m_session.id != 0 && !m_session.closed;
    m_nowa->setEnabled(change);
    m_zamknij->setEnabled(change && open);
    m_usun->setEnabled(change && m_session.id != 0);
    m_kod->setEnabled(change && open);
    m_arkusz->setEnabled(view && m_session.id != 0);
    m_roznice->setEnabled(view && m_session.id != 0);
    m_wybierz->setEnabled(change && open && m_doWyboru->count() > 0);
    m_doWyboru->setEnabled(m_doWyboru->count() > 0);
    if (open && change)
        m_timer->start();
    else
        m_timer->stop();
}

void TfInwentaryzacja::refocus()
{
    if (m_kod->isEnabled())
        m_kod->setFocus();
}

void TfInwentaryzacja::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    refocus();
}

void TfInwentaryzacja::hideEvent(QHideEvent* event)
{
    m_timer->stop();
    QDialog::hideEvent(event);
}

// The field is emptied at once and the code queued: the scanner's next code
// may already be on its way.
void TfInwentaryzacja::codeEntered()
{
    const QString code = m_kod->text();
    m_kod->clear();
    m_queue << code;
    workQueue();
}

void TfInwentaryzacja::workQueue()
{
    if (m_working)
        return;
    m_working = true;
    while (!m_queue.isEmpty() && m_session.id != 0) {
        const QString code = m_queue.takeFirst();
        ScanResult result;
        if (!guarded(kScanFailed, [&] { result = m_store.scan(m_session.id, code, m_workstation); }))
            continue;
        showResult(result);
    }
    m_working = false;
    showCounts();
    refocus();
}

void TfInwentaryzacja::applyItem(const StocktakingItem& item)
{
    int row = m_oczekiwaneModel->update(item);
    QTableView* grid = m_oczekiwane;
    if (row < 0) {
        row = m_pozaModel->update(item);
        grid = m_poza;
    }
    if (row >= 0) {
        grid->selectRow(row);
        grid->scrollTo(grid->model()->index(row, 0));
    }
}

void TfInwentaryzacja::showResult(const ScanResult& result)
{
    QString text;
    QColor colour;
    bool alarm = true;
    const QString what =
        result.item.name.isEmpty() ? result.code : result.code + QStringLiteral(" – ") + result.item.name;
    switch (result.outcome) {
    case ScanResult::Found:
        text = QStringLiteral("Znaleziono: ") + what;
        colour = QColor(190, 240, 190);
        alarm = false;
        break;
    case ScanResult::Repeated:
        text = QStringLiteral("Już zeskanowany (policzony raz, skanów: %1): ").arg(result.item.scans) + what;
        colour = QColor(255, 245, 170);
        alarm = false;
        break;
    case ScanResult::Elsewhere:
        text = QStringLiteral("Spoza spisu: ") + what + QStringLiteral(" (w ewidencji: ") +
               (result.item.location.isEmpty() ? QStringLiteral("bez lokalizacji") : result.item.location) +
               (result.item.person.isEmpty() ? QString() : QStringLiteral(", ") + result.item.person) +
               QLatin1Char(')');
        colour = QColor(255, 215, 150);
        break;
    case ScanResult::Unknown:
        text = QStringLiteral("Nieznany numer: ") + result.code;
        colour = QColor(255, 170, 170);
        break;
    case ScanResult::Ambiguous: {
        text = QStringLiteral("Numer %1 ma %2 składniki – wybierz właściwy poniżej.")
                   .arg(result.code)
                   .arg(result.candidates.size());
        colour = QColor(200, 220, 255);
        bool queued = false;
        for (const ScanResult& waiting : m_toChoose)
            queued = queued || waiting.code == result.code;
        if (!queued) {
            m_toChoose << result;
            m_doWyboru->addItem(result.code);
        }
        updateButtons();
        break;
    }
    case ScanResult::Invalid:
        text = result.code.isEmpty()
                   ? QStringLiteral("Pusty odczyt – zeskanuj ponownie.")
                   : QStringLiteral("Niepoprawny kod (znaki, których nie ma w numerach): ") + result.code;
        colour = QColor(255, 170, 170);
        break;
    case ScanResult::Closed:
        text = QStringLiteral("Inwentaryzacja została zamknięta – skanowanie niemożliwe.");
        colour = QColor(255, 170, 170);
        break;
    }
    QPalette p = m_wynik->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::WindowText, Qt::black);
    m_wynik->setPalette(p);
    m_wynik->setText(text);
    if (alarm)
        QApplication::beep();
    if (result.item.id != 0)
        applyItem(result.item);
    if (result.outcome == ScanResult::Closed)
        guarded(kSessionsFailed, [&] { fillSessions(m_session.id); });
}

void TfInwentaryzacja::refreshChanges()
{
    if (m_session.id == 0 || m_working)
        return;
    guarded(kRefreshFailed, [&] {
        qint64 now = m_seen;
        const QList<StocktakingItem> changed = m_store.changedItems(m_session.id, m_seen, &now);
        for (const StocktakingItem& item : changed) {
            if (m_oczekiwaneModel->update(item) < 0)
                m_pozaModel->update(item);
        }
        m_seen = now;
        if (!changed.isEmpty())
            showCounts();
        // Closed at another workstation: scanning ends here too.
        const StocktakingSession s = m_store.session(m_session.id);
        if (s.closed != m_session.closed)
            fillSessions(m_session.id);
    });
}

void TfInwentaryzacja::SBNowaClick()
{
    if (!m_nowaForm->prepare())
        return;
    if (m_nowaForm->exec() != QDialog::Accepted) {
        refocus();
        return;
    }
    StocktakingSession s = m_nowaForm->session();
    if (guarded(kOpenFailed, [&] { m_store.open(s); }))
        guarded(kSessionsFailed, [&] { fillSessions(s.id); });
    if (s.id != 0 && m_oczekiwaneModel->rowCount() == 0)
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("W wybranym zakresie nie ma żadnego składnika. Wszystkie zeskanowane "
                                     "numery będą wykazane jako stwierdzone poza spisem."));
    refocus();
}

void TfInwentaryzacja::SBZamknijClick()
{
    if (m_session.id == 0 || m_session.closed)
        return;
    // Assets with a location met here: the ones the close can move.
    int elsewhere = 0;
    for (int row = 0; row < m_pozaModel->rowCount(); ++row) {
        const QChar kind = m_pozaModel->item(row).kind;
        elsewhere += kind == QLatin1Char('K') || kind == QLatin1Char('S') ? 1 : 0;
    }
    int missing = 0;
    for (int row = 0; row < m_oczekiwaneModel->rowCount(); ++row)
        missing += m_oczekiwaneModel->item(row).found ? 0 : 1;

    QDialog ask(this);
    ask.setObjectName(QStringLiteral("TfZamknijInwentaryzacje"));
    ask.setWindowTitle(QStringLiteral("Zamknij inwentaryzację"));
    auto* layout = new QVBoxLayout(&ask);
    auto* text =
        new QLabel(QStringLiteral("Zamknąć inwentaryzację nr %1? Po zamknięciu nie można już skanować.\n"
                                  "Nie stwierdzono: %2, stwierdzono poza spisem: %3.")
                       .arg(m_session.id)
                       .arg(missing)
                       .arg(m_pozaModel->rowCount()),
                   &ask);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* move = new QCheckBox(&ask);
    move->setObjectName(QStringLiteral("cbPrzenies"));
    const bool canMove = m_session.scope == QLatin1Char('L') && elsewhere > 0;
    move->setText(canMove
                      ? QStringLiteral("Przenieś składniki z innych lokalizacji (%1) do lokalizacji spisu, "
                                       "z wpisem w historii użytkowania")
                            .arg(elsewhere)
                      : QStringLiteral("Przenieś składniki z innych lokalizacji do lokalizacji spisu"));
    move->setEnabled(canMove);
    layout->addWidget(move);
    auto* buttons = new QDialogButtonBox(&ask);
    QPushButton* ok =
        buttons->addButton(QStringLiteral("&Zamknij inwentaryzację"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("SBZapisz"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Anuluj"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("SBAnuluj"));
    cancel->setDefault(true);
    connect(ok, &QPushButton::clicked, &ask, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, &ask, &QDialog::reject);
    layout->addWidget(buttons);
    if (ask.exec() != QDialog::Accepted) {
        refocus();
        return;
    }
    // Codes still waiting are counted before the session closes.
    workQueue();
    int moved = 0;
    const qint64 id = m_session.id;
    if (guarded(kCloseFailed, [&] {
            moved = m_store.close(id, int(DueWindow::toYmd(Clock::today())), move->isChecked());
        })) {
        guarded(kSessionsFailed, [&] { fillSessions(id); });
        if (moved > 0)
            Dialogs::info(QStringLiteral("Informacja"),
                          QStringLiteral("Przeniesiono do lokalizacji spisu składników: %1.").arg(moved));
    }
}

void TfInwentaryzacja::SBUsunClick()
{
    if (m_session.id == 0)
        return;
    if (!Dialogs::question(
            QStringLiteral("Pytanie"),
            QStringLiteral("Czy na pewno usunąć inwentaryzację nr %1 wraz z jej spisem?").arg(m_session.id)))
        return;
    const qint64 id = m_session.id;
    if (guarded(kRemoveFailed, [&] { m_store.remove(id); }))
        guarded(kSessionsFailed, [&] { fillSessions(0); });
}

void TfInwentaryzacja::SBWybierzClick()
{
    const int index = m_doWyboru->currentIndex();
    if (index < 0 || index >= m_toChoose.size())
        return;
    const ScanResult waiting = m_toChoose.at(index);
    QStringList choices;
    for (const StocktakingItem& c : waiting.candidates)
        choices << StocktakingModel::kindText(c.kind) + QStringLiteral(": ") + c.number +
                       QStringLiteral(" – ") + c.name +
                       (c.location.isEmpty() ? QString()
                                             : QStringLiteral(" (") + c.location + QLatin1Char(')'));
    QInputDialog choose(this);
    choose.setObjectName(QStringLiteral("TfWyborSkladnika"));
    choose.setWindowTitle(QStringLiteral("Wybierz składnik"));
    choose.setLabelText(QStringLiteral("Numer %1 mają składniki różnych rejestrów. Który z nich zeskanowano?")
                            .arg(waiting.code));
    choose.setComboBoxItems(choices);
    choose.setOkButtonText(QStringLiteral("Wybierz"));
    choose.setCancelButtonText(QStringLiteral("Anuluj"));
    if (choose.exec() != QDialog::Accepted) {
        refocus();
        return;
    }
    const int chosen = int(choices.indexOf(choose.textValue()));
    if (chosen < 0)
        return;
    ScanResult result;
    if (guarded(kScanFailed, [&] {
            result = m_store.choose(m_session.id, waiting.candidates.at(chosen), waiting.code, m_workstation);
        })) {
        m_toChoose.removeAt(index);
        m_doWyboru->removeItem(index);
        showResult(result);
        showCounts();
        updateButtons();
    }
    refocus();
}

QString TfInwentaryzacja::companyName()
{
    QString name;
    guarded(kPrintFailed, [&] {
        Statement q(&m_db.DatabaseMain(), QStringLiteral("DBFInwentaryzacjaFirma"),
                    {QStringLiteral("SELECT NAZWA FROM firmy WHERE IDFIRMY = 1")});
        q.open();
        if (!q.isEmpty())
            name = q.text(QStringLiteral("NAZWA"));
    });
    return name;
}

void TfInwentaryzacja::SBArkuszClick()
{
    print(&CountSheetReport::show);
}

void TfInwentaryzacja::SBRozniceClick()
{
    print(&DifferencesReport::show);
}

void TfInwentaryzacja::print(bool (*show)(QWidget*, const StocktakingSession&, const QList<StocktakingItem>&,
                                          const QString&))
{
    if (m_session.id == 0)
        return;
    // Printed as the database has it now, other workstations' scans included.
    StocktakingSession session;
    QList<StocktakingItem> items;
    if (!guarded(kPrintFailed, [&] {
            session = m_store.session(m_session.id);
            items = m_store.items(m_session.id);
        }))
        return;
    show(this, session, items, companyName());
    refocus();
}
