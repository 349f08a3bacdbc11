#include "maintenance/TfAdministracjaBaza.h"

#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "maintenance/OtherWorkstations.h"
#include "maintenance/TableEmptying.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/TmyDataBase.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// A move that failed: the target was left as it was.
constexpr qint64 kMoveFailure = 380;

std::function<void()>& movedHandler()
{
    static std::function<void()> handler;
    return handler;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}
} // namespace

TfAdministracjaBaza::TfAdministracjaBaza(TmyDataBase& db, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint), m_db(db), m_pages(new QTabWidget(this)),
      m_tabela(new QComboBox(this))
{
    setObjectName(QStringLiteral("TfAdministracjaBaza"));
    setWindowTitle(QStringLiteral("Administracja bazą danych"));
    setModal(true);

    auto* heading = new QLabel(QStringLiteral("Administracja bazą danych"), this);
    heading->setObjectName(QStringLiteral("Naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    m_pages->setObjectName(QStringLiteral("PageControl"));

    auto* sets = new QWidget(m_pages);
    sets->setObjectName(QStringLiteral("ZarzadzanieZbiorami"));
    m_tabela->setParent(sets);
    m_tabela->setObjectName(QStringLiteral("tabela"));
    m_tabela->setEditable(false);
    m_tabela->addItems(TableEmptying::texts());
    m_tabela->setMaxVisibleItems(20);
    auto* wyczysc = button(sets, "SBWyczysc", QStringLiteral("Wyczyść zbiór"));
    connect(wyczysc, &QPushButton::clicked, this, &TfAdministracjaBaza::wyczyscClick);
    auto* sl = new QVBoxLayout(sets);
    sl->addWidget(m_tabela);
    sl->addWidget(wyczysc, 0, Qt::AlignLeft);
    sl->addStretch();
    m_pages->addTab(sets, QStringLiteral("Zarządzanie zbiorami"));

    auto* pack = new QWidget(m_pages);
    pack->setObjectName(QStringLiteral("OptymalizacjaBazy"));
    auto* optymalizuj = button(pack, "SBOptymalizuj", QStringLiteral("&Optymalizuj zbiory bazy danych"));
    connect(optymalizuj, &QPushButton::clicked, this, &TfAdministracjaBaza::optymalizujClick);
    auto* pl = new QVBoxLayout(pack);
    pl->addWidget(optymalizuj, 0, Qt::AlignLeft);
    pl->addStretch();
    m_pages->addTab(pack, QStringLiteral("Optymalizacja bazy"));

    m_pages->addTab(buildMovePage(), QStringLiteral("Przeniesienie bazy"));

    auto* log = new QWidget(m_pages);
    log->setObjectName(QStringLiteral("LogBledow"));
    auto* otworz = button(log, "SBOtworzLog", QStringLiteral("&Otwórz log błędów programu"));
    auto* czysc = button(log, "SBCzyscLog", QStringLiteral("&Czyść log błędów programu"));
    connect(otworz, &QPushButton::clicked, this, &TfAdministracjaBaza::otworzLogClick);
    connect(czysc, &QPushButton::clicked, this, &TfAdministracjaBaza::czyscLogClick);
    auto* ll = new QVBoxLayout(log);
    ll->addWidget(otworz, 0, Qt::AlignLeft);
    ll->addWidget(czysc, 0, Qt::AlignLeft);
    ll->addStretch();
    m_pages->addTab(log, QStringLiteral("Log błędów"));

    auto* ok = button(this, "SBOk", QStringLiteral("  &Ok   "));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_pages, 1);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_tabela->setMinimumWidth(m_tabela->sizeHint().width());
    // Wide enough to show every page caption.
    m_pages->setMinimumWidth(m_pages->tabBar()->sizeHint().width() + 24);
}

void TfAdministracjaBaza::showEvent(QShowEvent* event)
{
    m_tabela->setCurrentIndex(0);
    m_pages->setCurrentIndex(0);
    // What this workstation works on now: it changes with every login.
    m_obecnaBaza->setText(QStringLiteral("Obecna baza danych: ") +
                          QDir::toNativeSeparators(m_db.connectedTo()));
    m_hasloPliku->setText(DatabaseLocation::global().password());
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TfAdministracjaBaza::wyczyscClick()
{
    if (!OtherWorkstations::mayGoOn(m_db, OtherWorkstations::Operation::Emptying))
        return;
    if (!Dialogs::question(
            QStringLiteral("Pytanie"),
            QStringLiteral("Czy napewno trwale usunąć wszystkie dane z zaznaczonej tabeli? Upewnij "
                           "się, czy w tej chwili nikt nie pracuje na bazie.")))
        return;
    if (TableEmptying::empty(m_db, m_tabela->currentText()))
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Zbiór został wyczyszczony."));
}

QWidget* TfAdministracjaBaza::buildMovePage()
{
    auto* page = new QWidget(m_pages);
    page->setObjectName(QStringLiteral("PrzeniesienieBazy"));
    auto* current = new QLabel(page);
    current->setObjectName(QStringLiteral("ObecnaBaza"));
    current->setWordWrap(true);
    m_obecnaBaza = current;

    auto* server = new QGroupBox(QStringLiteral("Na serwer"), page);
    server->setObjectName(QStringLiteral("NaSerwer"));
    m_serwerAdres = new QLineEdit(server);
    m_serwerAdres->setObjectName(QStringLiteral("SerwerAdres"));
    m_serwerAdres->setToolTip(
        QStringLiteral("Nazwa lub adres IP komputera, na którym działa serwer bazy danych"));
    m_serwerPort = new QSpinBox(server);
    m_serwerPort->setObjectName(QStringLiteral("SerwerPort"));
    m_serwerPort->setRange(1, 65535);
    m_serwerPort->setValue(5432);
    m_serwerBaza = new QLineEdit(server);
    m_serwerBaza->setObjectName(QStringLiteral("SerwerBaza"));
    m_serwerBaza->setToolTip(
        QStringLiteral("Nazwa pustej bazy danych na serwerze albo nowej, którą program założy"));
    m_serwerUzytkownik = new QLineEdit(server);
    m_serwerUzytkownik->setObjectName(QStringLiteral("SerwerUzytkownik"));
    m_serwerHaslo = new QLineEdit(server);
    m_serwerHaslo->setObjectName(QStringLiteral("SerwerHaslo"));
    m_serwerHaslo->setEchoMode(QLineEdit::Password);
    m_cbSerwerTLS = new QCheckBox(QStringLiteral("Wymagaj połączenia szyfrowanego (TLS)"), server);
    m_cbSerwerTLS->setObjectName(QStringLiteral("cbSerwerTLS"));
    auto* naSerwer = button(server, "SBNaSerwer", QStringLiteral("Przenieś bazę na &serwer"));
    connect(naSerwer, &QPushButton::clicked, this, &TfAdministracjaBaza::naSerwerClick);
    m_naSerwer = naSerwer;
    // Offered once the address, the database and the user are typed.
    const auto updateNaSerwer = [this] {
        m_naSerwer->setEnabled(!m_serwerAdres->text().trimmed().isEmpty() &&
                               !m_serwerBaza->text().trimmed().isEmpty() &&
                               !m_serwerUzytkownik->text().trimmed().isEmpty());
    };
    for (QLineEdit* e : {m_serwerAdres, m_serwerBaza, m_serwerUzytkownik})
        connect(e, &QLineEdit::textChanged, this, updateNaSerwer);
    updateNaSerwer();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Adres serwera:"), m_serwerAdres);
    form->addRow(QStringLiteral("P&ort:"), m_serwerPort);
    form->addRow(QStringLiteral("&Nazwa bazy danych:"), m_serwerBaza);
    form->addRow(QStringLiteral("&Użytkownik:"), m_serwerUzytkownik);
    form->addRow(QStringLiteral("&Hasło:"), m_serwerHaslo);
    auto* sl = new QVBoxLayout(server);
    sl->addLayout(form);
    sl->addWidget(m_cbSerwerTLS);
    sl->addWidget(naSerwer, 0, Qt::AlignLeft);

    auto* file = new QGroupBox(QStringLiteral("Do pliku"), page);
    file->setObjectName(QStringLiteral("DoPliku"));
    m_hasloPliku = new QLineEdit(file);
    m_hasloPliku->setObjectName(QStringLiteral("HasloPliku"));
    m_hasloPliku->setEchoMode(QLineEdit::Password);
    auto* doPliku = button(file, "SBDoPliku", QStringLiteral("Przenieś bazę do &pliku..."));
    connect(doPliku, &QPushButton::clicked, this, &TfAdministracjaBaza::doPlikuClick);
    auto* fileForm = new QFormLayout;
    fileForm->addRow(QStringLiteral("Hasło &nowej bazy:"), m_hasloPliku);
    auto* fl = new QVBoxLayout(file);
    fl->addLayout(fileForm);
    fl->addWidget(doPliku, 0, Qt::AlignLeft);

    auto* note =
        new QLabel(QStringLiteral("Obecna baza danych pozostaje bez zmian; przeniesiona trafia do pustej "
                                  "bazy na serwerze albo do nowego pliku."),
                   page);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(current);
    layout->addWidget(server);
    layout->addWidget(file);
    layout->addWidget(note);
    layout->addStretch();
    return page;
}

void TfAdministracjaBaza::setMovedHandler(std::function<void()> handler)
{
    movedHandler() = std::move(handler);
}

void TfAdministracjaBaza::naSerwerClick()
{
    ServerAddress address;
    address.host = m_serwerAdres->text().trimmed();
    address.port = m_serwerPort->value();
    address.database = m_serwerBaza->text().trimmed();
    address.user = m_serwerUzytkownik->text().trimmed();
    address.password = m_serwerHaslo->text();
    address.requireTls = m_cbSerwerTLS->isChecked();
    if (address.host.isEmpty() || address.database.isEmpty() || address.user.isEmpty()) {
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("Podaj adres serwera, nazwę bazy danych i użytkownika."));
        return;
    }
    const DatabaseMove::ServerCheck check = DatabaseMove::checkServer(address);
    if (check.state == DatabaseMove::ServerTarget::Refused) {
        if (!check.detail.isEmpty())
            ErrorLog::log(address.display() + QStringLiteral(": ") + check.detail, kMoveFailure);
        Dialogs::info(QStringLiteral("Błąd bazy danych"), check.message);
        return;
    }
    if (check.state != DatabaseMove::ServerTarget::Ready) {
        const QString question =
            check.state == DatabaseMove::ServerTarget::Missing
                ? QStringLiteral(" Czy założyć ją teraz i przygotować w niej tabele programu?")
                : QStringLiteral(" Czy przygotować w niej tabele programu?");
        if (!Dialogs::question(QStringLiteral("Pytanie"), check.message + question))
            return;
        try {
            DatabaseMove::prepareServer(address, check.state);
        } catch (const DbError& e) {
            if (!e.detail().isEmpty())
                ErrorLog::log(address.display() + QStringLiteral(": ") + e.detail(), kMoveFailure);
            ErrorLog::report(e.message(), false, kMoveFailure);
            return;
        }
    }
    if (!OtherWorkstations::mayGoOn(m_db, OtherWorkstations::Operation::Move))
        return;
    const QString target = QStringLiteral("baza danych %1 na serwerze").arg(address.display());
    SqlConnection& source = m_db.DatabaseMain();
    if (!runMove([&](const DatabaseCopy::Progress& p) { return DatabaseMove::toServer(source, address, p); },
                 target))
        return;
    offerSwitch(target, [address] {
        DatabaseLocation& location = DatabaseLocation::global();
        location.setServer(address);
        ErrorLog::writeLine(QStringLiteral("[9999999999]  db moved. Server=") + address.display());
        location.store();
    });
}

void TfAdministracjaBaza::doPlikuClick()
{
    const QString password = m_hasloPliku->text();
    if (const QString problem = DatabaseTemplate::passwordProblem(password); !problem.isEmpty()) {
        Dialogs::info(QStringLiteral("Informacja"), problem);
        return;
    }
    const QString folder =
        Dialogs::existingDirectory(this, QStringLiteral("Wskaż folder, do którego przenieść bazę danych"));
    if (folder.isEmpty())
        return;
    if (const QString problem = DatabaseMove::folderProblem(folder); !problem.isEmpty()) {
        Dialogs::info(QStringLiteral("Informacja"), problem);
        return;
    }
    if (!OtherWorkstations::mayGoOn(m_db, OtherWorkstations::Operation::Move))
        return;
    const QString target =
        QStringLiteral("plik bazy danych w folderze %1").arg(QDir::toNativeSeparators(folder));
    SqlConnection& source = m_db.DatabaseMain();
    if (!runMove(
            [&](const DatabaseCopy::Progress& p) {
                return DatabaseMove::toFile(source, folder, password, p);
            },
            target))
        return;
    offerSwitch(target, [folder, password] {
        DatabaseLocation& location = DatabaseLocation::global();
        location.set(folder, password);
        ErrorLog::writeLine(QStringLiteral("[9999999999]  db moved. Folder=") + location.location());
        location.store();
    });
}

bool TfAdministracjaBaza::runMove(
    const std::function<DatabaseMove::Counts(const DatabaseCopy::Progress&)>& move, const QString& targetText)
{
    QProgressDialog progress(QStringLiteral("Przenoszenie bazy danych…"), QStringLiteral("Anuluj"), 0, 1000,
                             this);
    progress.setObjectName(QStringLiteral("PrzenoszenieBazy"));
    progress.setWindowTitle(QStringLiteral("Przeniesienie bazy"));
    // The window itself stays modal; its pages and Ok wait for the move, so
    // only Anuluj can be pressed meanwhile.
    progress.setWindowModality(Qt::NonModal);
    progress.setMinimumDuration(0);
    struct Idle
    {
        QList<QWidget*> widgets;
        ~Idle()
        {
            for (QWidget* w : widgets)
                w->setEnabled(true);
        }
    } idle{{m_pages, findChild<QPushButton*>(QStringLiteral("SBOk"), Qt::FindDirectChildrenOnly)}};
    for (QWidget* w : idle.widgets)
        w->setEnabled(false);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    progress.show();
    bool stopped = false;
    const DatabaseCopy::Progress step = [&](const QString& table, qint64 done, qint64 inAll) {
        progress.setLabelText(QStringLiteral("Przenoszenie bazy danych…\nTabela %1: %2 z %3 wierszy")
                                  .arg(table)
                                  .arg(done)
                                  .arg(inAll));
        progress.setValue(inAll > 0 ? int(qMin<qint64>(1000, done * 1000 / inAll)) : 0);
        QApplication::processEvents();
        stopped = progress.wasCanceled();
        return !stopped;
    };
    DatabaseMove::Counts counts;
    try {
        counts = move(step);
    } catch (const DbError& e) {
        progress.hide();
        if (stopped) {
            Dialogs::info(
                QStringLiteral("Informacja"),
                QStringLiteral("Przenoszenie bazy danych przerwano. W miejscu docelowym (%1) nic nie zostało "
                               "zapisane.")
                    .arg(targetText));
            return false;
        }
        if (!e.detail().isEmpty())
            ErrorLog::log(e.detail(), kMoveFailure);
        ErrorLog::report(
            e.message() +
                QStringLiteral(" W miejscu docelowym (%1) nic nie zostało zapisane.").arg(targetText),
            false, kMoveFailure);
        return false;
    }
    progress.hide();
    showCounts(counts, targetText);
    return counts.differing().isEmpty();
}

void TfAdministracjaBaza::showCounts(const DatabaseMove::Counts& counts, const QString& targetText)
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("LiczbyWierszy"));
    dialog.setWindowTitle(QStringLiteral("Przeniesienie bazy"));
    const QStringList differing = counts.differing();
    auto* summary = new QLabel(&dialog);
    summary->setObjectName(QStringLiteral("Podsumowanie"));
    summary->setWordWrap(true);
    summary->setText(
        differing.isEmpty()
            ? QStringLiteral("Baza danych została przeniesiona (%1). Liczby wierszy w obu bazach "
                             "zgadzają się.")
                  .arg(targetText)
            : QStringLiteral("Liczby wierszy nie zgadzają się w tabelach: %1. Nie pracuj na "
                             "przeniesionej bazie; sprawdź ją lub przenieś bazę ponownie.")
                  .arg(differing.join(QStringLiteral(", "))));
    auto* table = new QTableWidget(int(counts.source.size()), 3, &dialog);
    table->setObjectName(QStringLiteral("tabele"));
    table->setHorizontalHeaderLabels({QStringLiteral("Tabela"), QStringLiteral("Wiersze w obecnej bazie"),
                                      QStringLiteral("Wiersze w przeniesionej")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    for (int row = 0; row < int(counts.source.size()); ++row) {
        const DatabaseCopy::TableRows& s = counts.source[size_t(row)];
        qint64 moved = -1;
        for (const DatabaseCopy::TableRows& t : counts.target)
            if (t.table.compare(s.table, Qt::CaseInsensitive) == 0)
                moved = t.rows;
        table->setItem(row, 0, new QTableWidgetItem(s.table));
        auto* a = new QTableWidgetItem(QString::number(s.rows));
        a->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, 1, a);
        auto* b = new QTableWidgetItem(moved < 0 ? QStringLiteral("brak") : QString::number(moved));
        b->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, 2, b);
    }
    table->resizeColumnsToContents();
    table->setMinimumWidth(table->horizontalHeader()->length() + 40);
    auto* ok = button(&dialog, "SBOk", QStringLiteral("  &Ok   "));
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(summary);
    layout->addWidget(table, 1);
    layout->addWidget(ok, 0, Qt::AlignRight);
    dialog.resize(dialog.sizeHint().width(), 480);
    dialog.exec();
}

void TfAdministracjaBaza::offerSwitch(const QString& targetText, const std::function<void()>& save)
{
    if (!Dialogs::question(
            QStringLiteral("Pytanie"),
            QStringLiteral("Czy to stanowisko ma od teraz pracować na przeniesionej bazie (%1)?")
                .arg(targetText)))
        return;
    save();
    if (movedHandler()) {
        accept();
        movedHandler()();
        return;
    }
    Dialogs::info(QStringLiteral("Informacja"),
                  QStringLiteral("Program będzie pracował na przeniesionej bazie danych od następnego "
                                 "uruchomienia."));
}

void TfAdministracjaBaza::optymalizujClick()
{
    if (!OtherWorkstations::mayGoOn(m_db, OtherWorkstations::Operation::Pack))
        return;
    if (TableEmptying::packAll(m_db))
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("Optymalizacja zakończyła się powodzeniem."));
    else
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("Nie wszystkie tabele udało się zoptymalizować. Upewnij się czy żaden z "
                                     "użytkowników nie pracuje z bazą danych i spróbuj ponownie."));
}

void TfAdministracjaBaza::otworzLogClick()
{
    const QString path = ErrorLog::logPath();
    if (!QFile::exists(path))
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Log błędów jest pusty."));
    Dialogs::openUrl(QUrl::fromLocalFile(path));
}

void TfAdministracjaBaza::czyscLogClick()
{
    if (!Dialogs::question(QStringLiteral("Pytanie"), QStringLiteral("Czy wyczyścić log błędów programu?")))
        return;
    QFile file(ErrorLog::logPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return; // a missing "debug" folder: nothing is shown
    if (file.write("\r\n") != 2)
        return;
    file.close();
    Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Log błędów programu został wyczyszczony."));
}
