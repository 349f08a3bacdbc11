#include "maintenance/TfAdministracjaBaza.h"

#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "maintenance/OtherWorkstations.h"
#include "maintenance/TableEmptying.h"
#include "store/DatabaseLocation.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {
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
    // Wide enough to show all three page captions.
    m_pages->setMinimumWidth(m_pages->tabBar()->sizeHint().width() + 24);
}

void TfAdministracjaBaza::showEvent(QShowEvent* event)
{
    m_tabela->setCurrentIndex(0);
    m_pages->setCurrentIndex(0);
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

void TfAdministracjaBaza::optymalizujClick()
{
    if (!OtherWorkstations::mayGoOn(m_db, OtherWorkstations::Operation::Pack))
        return;
    if (TableEmptying::packAll(m_db, DatabaseLocation::global().password()))
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
