#include "editors/TfBiblioteka.h"

#include "base/ErrorLog.h"
#include "editors/TfEditBibliotekaAll.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/NewKey.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"
#include "widgets/ConfirmDelete.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kList = QStringLiteral("DBFSlowniki");

} // namespace

const QList<DictionaryInfo>& TfBiblioteka::dictionaries()
{
    static const QList<DictionaryInfo> list = {
        {QStringLiteral("Stan techniczny"), QStringLiteral("STANT"), QStringLiteral("Stan techniczny"),
         QStringLiteral("Edytuj Rodzaj stanu technicznego"), QStringLiteral("Rodzaj stanu technicznego")},
        {QStringLiteral("Typ licencji"), QStringLiteral("TYPLI"), QStringLiteral("Typ licencji"),
         QStringLiteral("Edytuj Typ licencji"), QStringLiteral("Typ licencji")},
        {QStringLiteral("Klasyfikacja komputerów"), QStringLiteral("KLKOM"),
         QStringLiteral("Klasyfikacja komputerów"), QStringLiteral("Edytuj klasyfikator komputera"),
         QStringLiteral("Klasyfikator komputera")},
        {QStringLiteral("Klasyfikacja oprogramowania"), QStringLiteral("KLOPR"),
         QStringLiteral("Klasyfikacja oprogramowania"), QStringLiteral("Edytuj klasyfikator oprogramowania"),
         QStringLiteral("Klasyfikator oprogramowania")},
        {QStringLiteral("Klasyfikacja sprzętu"), QStringLiteral("KLSPR"),
         QStringLiteral("Klasyfikacja sprzętu"), QStringLiteral("Edytuj klasyfikator sprzętu"),
         QStringLiteral("Klasyfikator sprzętu")},
        {QStringLiteral("Klasyfikacja odzieży i środków BHP"), QStringLiteral("KLBHP"),
         QStringLiteral("Klasyfikacja odzieży i środków BHP"),
         QStringLiteral("Edytuj klasyfikator środków BHP"), QStringLiteral("Klasyfikator środków BHP")},
        {QStringLiteral("Klasyfikacja terminów"), QStringLiteral("KLTER"),
         QStringLiteral("Klasyfikacja terminów"), QStringLiteral("Edytuj klasyfikator terminu"),
         QStringLiteral("Klasyfikator terminu")},
        {QStringLiteral("Działy"), QStringLiteral("DZIAL"), QStringLiteral("Działy"),
         QStringLiteral("Edytuj nazwę działu"), QStringLiteral("Nazwa działu")},
        {QStringLiteral("Stanowiska"), QStringLiteral("STANO"), QStringLiteral("Stanowiska"),
         QStringLiteral("Edytuj nazwę stanowiska"), QStringLiteral("Nazwa stanowiska")},
        {QStringLiteral("Stawki VAT"), QStringLiteral("STVAT"), QStringLiteral("Stawki VAT"),
         QStringLiteral("Edytuj stawkę VAT"), QStringLiteral("Stawka VAT")},
        {QStringLiteral("Lokalizacje"), QStringLiteral("LOKAL"), QStringLiteral("Lokalizacje"),
         QStringLiteral("Edytuj lokalizację"), QStringLiteral("Lokalizacja")},
        {QStringLiteral("Rodzaj dokumentu"), QStringLiteral("RDDOK"), QStringLiteral("Rodzaj dokumentów"),
         QStringLiteral("Edytuj rodzaj dokumentu"), QStringLiteral("Rodzaj dokumentu")},
        {QStringLiteral("Rodzaj zleceń / rozliczeń"), QStringLiteral("RPRAC"),
         QStringLiteral("Rodzaj zleceń / rozliczeń"), QStringLiteral("Edytuj rodzaj zlecenia / rozliczenia"),
         QStringLiteral("Rodzaj zlecenia / rozliczenia")},
        {QStringLiteral("Rodzaje załączników"), QStringLiteral("RDZAL"),
         QStringLiteral("Rodzaje załączników"), QStringLiteral("Edytuj rodzaj załącznika"),
         QStringLiteral("Rodzaj załącznika")},
    };
    return list;
}

TfBiblioteka::TfBiblioteka(TmyDataBase& db, QWidget* parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfBiblioteka"));
    setWindowTitle(QStringLiteral("Biblioteka"));
    auto* heading = new QLabel(QStringLiteral("Biblioteka"), this);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    m_chooser = new QComboBox(this);
    m_chooser->setObjectName(QStringLiteral("CBSlownik"));
    m_chooser->setToolTip(QStringLiteral("Wybierz słownik"));
    for (const DictionaryInfo& d : dictionaries())
        m_chooser->addItem(d.entry);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("slownikTytul"));
    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("SlownikGrid"));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);

    auto button = [this](const char* name, const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* dodaj = button("SBDodaj", QStringLiteral("Dodaj"), QStringLiteral("Dodaj nową pozycję"));
    QPushButton* edytuj =
        button("SBEdytuj", QStringLiteral("Edytuj"), QStringLiteral("Edytuj wskazaną pozycję"));
    QPushButton* usun = button("SBUsun", QStringLiteral("Usuń"), QStringLiteral("Usuń wskazaną pozycję"));
    QPushButton* kopiuj =
        button("SBKopiuj", QStringLiteral("Kopiuj"), QStringLiteral("Stwórz kopię zaznaczonej pozycji"));
    QPushButton* zamknij = button("SBZamknij", QStringLiteral("Zamknij"), QString());

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu"));
    auto item = [this](const char* name, const QString& caption, const QKeySequence& key,
                       void (TfBiblioteka::*slot)()) {
        QAction* a = m_menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
        connect(a, &QAction::triggered, this, slot);
    };
    item("Dodajpozycje1", QStringLiteral("Dodaj pozycję"), QKeySequence(Qt::Key_Insert),
         &TfBiblioteka::SBDodajClick);
    item("Edytujpozycje1", QStringLiteral("Edytuj pozycję"), QKeySequence(Qt::Key_F2),
         &TfBiblioteka::SBEdytujClick);
    item("Usupozycje1", QStringLiteral("Usuń pozycję"), QKeySequence(Qt::Key_Delete),
         &TfBiblioteka::SBUsunClick);
    item("Kopiujpozycje1", QStringLiteral("Kopiuj pozycję"), QKeySequence(Qt::CTRL | Qt::Key_C),
         &TfBiblioteka::SBKopiujClick);

    auto* top = new QHBoxLayout;
    top->addWidget(m_chooser, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {dodaj, edytuj, usun, kopiuj})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(zamknij);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(top);
    layout->addWidget(m_title);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(460, 520);

    m_entry = new TfEditBibliotekaAll(this);

    connect(dodaj, &QPushButton::clicked, this, &TfBiblioteka::SBDodajClick);
    connect(edytuj, &QPushButton::clicked, this, &TfBiblioteka::SBEdytujClick);
    connect(usun, &QPushButton::clicked, this, &TfBiblioteka::SBUsunClick);
    connect(kopiuj, &QPushButton::clicked, this, &TfBiblioteka::SBKopiujClick);
    connect(zamknij, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &DataGrid::activatedRow, this, &TfBiblioteka::SBEdytujClick);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_menu->popup(m_grid->viewport()->mapToGlobal(pos)); });
    connect(m_chooser, &QComboBox::currentIndexChanged, this, [this] {
        if (isVisible())
            showDictionary();
    });
}

TfBiblioteka::~TfBiblioteka()
{
    m_db.statement(kList).close();
}

void TfBiblioteka::setDictionary(int index)
{
    m_chooser->setCurrentIndex(std::clamp(index, 0, int(dictionaries().size()) - 1));
}

int TfBiblioteka::dictionary() const
{
    return std::max(0, m_chooser->currentIndex());
}

const DictionaryInfo& TfBiblioteka::current() const
{
    return dictionaries().at(dictionary());
}

bool TfBiblioteka::showDictionary()
{
    const DictionaryInfo& d = current();
    Statement& q = m_db.statement(kList);
    q.close();
    // The code is one of the program's own constants; it is bound all the same.
    q.setLines({QStringLiteral("SELECT"), QStringLiteral("KOD, OPIS, UZUP1, UZUP2"), QStringLiteral("FROM"),
                QStringLiteral("slowniki"), QStringLiteral("WHERE"), QStringLiteral("IDSLOWNIK = :PARAM0"),
                QStringLiteral("ORDER BY"), QStringLiteral("OPIS COLLATE PL")});
    q.setParam(0, d.code);
    const bool ok = guarded(36, [&] { q.open(); });
    m_title->setText(d.title);
    // The list shows the one column titled after the dictionary.
    auto* model =
        new ListModel(q, {GridColumn{QStringLiteral("OPIS"), d.title, 360, ColumnFormat::Text}}, m_grid);
    m_grid->setListModel(model);
    delete m_model;
    m_model = model;
    m_grid->horizontalHeader()->setStretchLastSection(true);
    if (ok) {
        q.first();
        m_grid->followCursor();
    }
    m_grid->setFocus();
    return ok;
}

bool TfBiblioteka::hasRow() const
{
    const Statement& q = m_db.statement(kList);
    return q.isOpen() && !q.isEmpty() && !q.eof();
}

void TfBiblioteka::moveTo(qint64 kod)
{
    m_db.locate(kList, {kod});
    m_grid->followCursor();
}

void TfBiblioteka::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    showDictionary();
}

void TfBiblioteka::done(int result)
{
    m_db.statement(kList).close();
    if (m_model)
        m_model->refresh();
    QDialog::done(result);
}

void TfBiblioteka::addEntry(const QString& opis, const QString& uzup1)
{
    const DictionaryInfo& d = current();
    m_entry->prepare(d.caption, d.label, d.code, opis, uzup1);
    m_entry->exec();
    if (!m_entry->ok())
        return;
    qint64 kod = -1;
    // The new key is read in the insert's transaction: no other workstation's row comes between.
    guarded(50, [&] {
        kod = insertReturningKey(m_db.DatabaseMain(), QStringLiteral("SLOWNIKI"), QStringLiteral("KOD"), [&] {
            Statement& q = m_db.statement(QStringLiteral("DBFInsertSlowniki"));
            q.clearParams();
            q.setParam(0, d.code);
            q.setParam(1, m_entry->opis());
            q.setParam(2, m_entry->uzup1());
            q.setParam(3, QString());
            q.execSQL();
        });
    });
    showDictionary();
    if (kod > 0)
        moveTo(kod);
}

void TfBiblioteka::SBDodajClick()
{
    addEntry(QString(), QString());
}

void TfBiblioteka::SBKopiujClick()
{
    if (!hasRow())
        return;
    const Statement& q = m_db.statement(kList);
    addEntry(q.text(QStringLiteral("OPIS")), q.text(QStringLiteral("UZUP1")));
}

void TfBiblioteka::SBEdytujClick()
{
    if (!hasRow())
        return;
    const DictionaryInfo& d = current();
    const Statement& row = m_db.statement(kList);
    const qint64 kod = row.integer(QStringLiteral("KOD"));
    m_entry->prepare(d.caption, d.label, d.code, row.text(QStringLiteral("OPIS")),
                     row.text(QStringLiteral("UZUP1")));
    m_entry->exec();
    if (!m_entry->ok())
        return;
    guarded(52, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFUpdateSlowniki"));
        q.clearParams();
        q.setParam(0, d.code);
        q.setParam(1, m_entry->opis());
        q.setParam(2, m_entry->uzup1());
        q.setParam(3, QString());
        q.setLine(6, QString::number(kod));
        RowGone::unlessChanged(q.execSQL());
    });
    showDictionary();
    moveTo(kod);
}

void TfBiblioteka::SBUsunClick()
{
    if (!hasRow())
        return;
    if (!ConfirmDelete::ask(QStringLiteral("Czy napewno usunąć zaznaczoną pozycję?")))
        return;
    const qint64 kod = m_db.statement(kList).integer(QStringLiteral("KOD"));
    guarded(51, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFDeleteSlowniki"));
        q.setLine(1, QString::number(kod));
        q.execSQL();
    });
    showDictionary();
}
