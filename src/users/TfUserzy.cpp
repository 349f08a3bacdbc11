#include "users/TfUserzy.h"

#include "widgets/TVXGridStorage.h"

#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "store/DbError.h"
#include "store/TmyDataBase.h"
#include "users/TfUserEdit.h"
#include "users/UserAccounts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
struct RightRow
{
    const char* caption;
    int read;   // the box under "Odczyt", or -1
    int write;  // the box under "Zapis", or -1
    int access; // the box under "Dostęp", or -1
};

const RightRow kRightRows[] = {
    {"Komputery", 1, 2, -1},
    {"Oprogramowanie", 3, 4, -1},
    {"Inny sprzęt", 5, 6, -1},
    {"Terminarz", 7, 8, -1},
    {"Naprawy", 9, 10, -1},
    {"Raporty", -1, -1, 11},
    {"Edycja słowników", -1, -1, 12},
    {"Notatnik", -1, -1, 13},
    {"Opcje programu", -1, -1, 14},
    {"Sprawdzanie terminów", -1, -1, 15},
    {"Dokumenty", 16, 17, -1},
    {"Historia użytkowania", 18, 19, -1},
    {"Rejestr zleceń", 20, 21, -1},
    {"Rejestr rozliczeń", 22, 23, -1},
    {"Odzież i środki BHP", 24, 25, -1},
    {"Magazyn", 26, 27, -1},
    {"Załączniki", 28, 29, -1},
    {"Inwentaryzacja", 30, 31, -1},
};

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}
} // namespace

TfUserzy::TfUserzy(TmyDataBase& db, TfUserEdit& editor, QWidget* parent)
    : QDialog(parent), m_db(db), m_editor(editor)
{
    setObjectName(QStringLiteral("TfUserzy"));
    setWindowTitle(QStringLiteral("Zarządzanie użytkownikami"));
    auto* heading = new QLabel(QStringLiteral("Zarządzanie użytkownikami"), this);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("strony"));

    // Accounts
    auto* accounts = new QWidget;
    m_list = new QTableWidget(0, 2, accounts);
    m_list->setObjectName(QStringLiteral("UserzyGRID"));
    m_list->setHorizontalHeaderLabels({QStringLiteral("ID Użytkownika"), QStringLiteral("Opis")});
    // The whole first title shows: "ID Użytkownika", never "D Użytkownika".
    m_list->setColumnWidth(
        0,
        m_list->horizontalHeader()->fontMetrics().horizontalAdvance(QStringLiteral("ID Użytkownika")) + 32);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* dodaj = button(accounts, "SBDodaj", QStringLiteral("Dodaj"), QStringLiteral("Dodaj nową pozycję"));
    auto* edytuj =
        button(accounts, "SBEdytuj", QStringLiteral("Edytuj"), QStringLiteral("Edytuj wskazaną pozycję"));
    auto* usun = button(accounts, "SBUsun", QStringLiteral("Usuń"), QStringLiteral("Usuń wskazaną pozycję"));
    const struct
    {
        const char* caption;
        void (TfUserzy::*slot)();
    } popup[] = {{"Dodaj pozycję", &TfUserzy::SBDodajClick},
                 {"Edytuj pozycję", &TfUserzy::SBEdytujClick},
                 {"Usuń pozycję", &TfUserzy::SBUsunClick}};
    for (const auto& item : popup) {
        auto* action = new QAction(QString::fromUtf8(item.caption), m_list);
        connect(action, &QAction::triggered, this, item.slot);
        m_list->addAction(action);
    }
    auto* accountButtons = new QHBoxLayout;
    accountButtons->addWidget(dodaj);
    accountButtons->addWidget(edytuj);
    accountButtons->addWidget(usun);
    accountButtons->addStretch();
    auto* accountsLayout = new QVBoxLayout(accounts);
    accountsLayout->addWidget(m_list);
    accountsLayout->addLayout(accountButtons);
    m_pages->addTab(accounts, QStringLiteral("Użytkownicy"));

    // Rights
    auto* rights = new QWidget;
    m_userId = new QComboBox(rights);
    m_userId->setObjectName(QStringLiteral("UserID"));
    auto* grid = new QGridLayout;
    m_boxes[0] = new QCheckBox(QStringLiteral("Użytkownik ma uprawnienia administratora"), rights);
    grid->addWidget(m_boxes[0], 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Odczyt"), rights), 1, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Zapis"), rights), 1, 2, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Dostęp"), rights), 1, 3, Qt::AlignCenter);
    int row = 2;
    for (const RightRow& r : kRightRows) {
        grid->addWidget(new QLabel(QString::fromUtf8(r.caption), rights), row, 0);
        const int columns[3] = {r.read, r.write, r.access};
        for (int c = 0; c < 3; ++c) {
            if (columns[c] < 0)
                continue;
            auto* box = new QCheckBox(rights);
            m_boxes[size_t(columns[c])] = box;
            grid->addWidget(box, row, c + 1, Qt::AlignCenter);
        }
        ++row;
    }
    for (int n = 0; n < kRightBoxes; ++n) {
        m_boxes[size_t(n)]->setObjectName(QStringLiteral("cb") + QString::number(n));
        connect(m_boxes[size_t(n)], &QCheckBox::toggled, this, [this, n](bool on) { boxClicked(n, on); });
    }
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Uprawnienia dla:"), rights));
    top->addWidget(m_userId, 1);
    auto* rightsLayout = new QVBoxLayout(rights);
    rightsLayout->addLayout(top);
    rightsLayout->addLayout(grid);
    rightsLayout->addStretch();
    m_pages->addTab(rights, QStringLiteral("Uprawnienia"));

    auto* zamknij = button(this, "SBZamknij", QStringLiteral("Zamknij"), QString());
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(zamknij);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_pages);
    layout->addLayout(bottom);
    resize(520, 560);
    TVXGridStorage::registerDBGrid(m_list, QStringLiteral("USERZY_UserzyGRID"));

    connect(dodaj, &QPushButton::clicked, this, &TfUserzy::SBDodajClick);
    connect(edytuj, &QPushButton::clicked, this, &TfUserzy::SBEdytujClick);
    connect(usun, &QPushButton::clicked, this, &TfUserzy::SBUsunClick);
    connect(zamknij, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &TfUserzy::SBEdytujClick);
    connect(m_list, &QTableWidget::activated, this, &TfUserzy::SBEdytujClick);
    connect(m_pages, &QTabWidget::currentChanged, this, &TfUserzy::pageChanged);
    connect(m_userId, &QComboBox::currentTextChanged, this, &TfUserzy::loadBoxes);
}

void TfUserzy::prepare()
{
    m_settingBoxes = true;
    m_userId->clear();
    for (QCheckBox* b : m_boxes) {
        b->setChecked(false);
        b->setEnabled(false);
    }
    m_settingBoxes = false;
    m_pages->setCurrentIndex(0);
    loadList();
}

void TfUserzy::loadList()
{
    const QString keep = currentName();
    m_list->setRowCount(0);
    QStringList names;
    Statement& q = m_db.statement(QStringLiteral("DBFUserzy"));
    try {
        q.open();
        m_list->setRowCount(q.recordCount());
        for (int r = 0; !q.eof(); q.next(), ++r) {
            const QString name = q.text(QStringLiteral("NAZWA"));
            names << name;
            auto* nameItem = new QTableWidgetItem(name);
            nameItem->setData(Qt::UserRole, q.text(QStringLiteral("SUPERVISOR")));
            m_list->setItem(r, 0, nameItem);
            m_list->setItem(r, 1, new QTableWidgetItem(q.text(QStringLiteral("OPIS"))));
        }
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, 210);
    }
    q.close();
    const int row = std::max(0, int(names.indexOf(keep)));
    if (m_list->rowCount() > 0)
        m_list->selectRow(row);
    const QString chosen = m_userId->currentText();
    m_settingBoxes = true;
    m_userId->clear();
    m_userId->addItems(names);
    m_userId->setCurrentIndex(int(names.indexOf(chosen)));
    m_settingBoxes = false;
}

QString TfUserzy::currentName() const
{
    const int row = m_list->currentRow();
    return row >= 0 && m_list->item(row, 0) ? m_list->item(row, 0)->text() : QString();
}

void TfUserzy::pageChanged(int index)
{
    if (index != 1)
        return;
    const QString name = currentName();
    if (m_userId->currentText() == name)
        loadBoxes(name);
    else
        m_userId->setCurrentText(name); // loads through currentTextChanged
}

void TfUserzy::loadBoxes(const QString& name)
{
    if (name.isEmpty())
        return;
    m_settingBoxes = true;
    if (name == QLatin1String("ADMIN")) {
        for (QCheckBox* b : m_boxes) {
            b->setChecked(true);
            b->setEnabled(false);
        }
    } else {
        for (QCheckBox* b : m_boxes) {
            b->setEnabled(true);
            b->setChecked(false);
        }
        UserAccounts accounts(m_db);
        for (int right : accounts.rightsOf(name))
            if (right >= 0 && right < kRightBoxes)
                m_boxes[size_t(right)]->setChecked(true);
    }
    m_settingBoxes = false;
}

void TfUserzy::boxClicked(int right, bool ticked)
{
    if (m_settingBoxes)
        return;
    const QString name = m_userId->currentText();
    if (name.isEmpty())
        return;
    if (!UserAccounts(m_db).setRight(name, right, ticked))
        loadBoxes(name); // the boxes show what is stored
}

void TfUserzy::SBDodajClick()
{
    m_editor.prepareNew();
    UserAccounts accounts(m_db);
    for (;;) {
        m_editor.exec();
        if (!m_editor.saved())
            return;
        const auto result = accounts.add(m_editor.name(), m_editor.password(), m_editor.description());
        if (result != UserAccounts::AddResult::Exists)
            break;
        Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Istnieje już użytkownik o podanej nazwie."));
    }
    loadList();
}

void TfUserzy::SBEdytujClick()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_editor.prepareEdit(currentName(), m_list->item(row, 1) ? m_list->item(row, 1)->text() : QString());
    m_editor.exec();
    if (!m_editor.saved())
        return;
    UserAccounts(m_db).update(m_editor.name(), m_editor.password(), m_editor.description());
    loadList();
}

void TfUserzy::SBUsunClick()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    const QString name = currentName();
    if (m_list->item(row, 0)->data(Qt::UserRole).toString() == QLatin1String("T")) {
        Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Nie można usunąć konta ADMIN."));
        return;
    }
    if (name == m_currentUser) {
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Nie można usunąć konta dla zalogowanego użytkownika."));
        return;
    }
    if (!Dialogs::question(QStringLiteral("Pytanie"), QStringLiteral("Czy usunąć wskazanego użytkownika?")))
        return;
    UserAccounts(m_db).remove(name);
    m_settingBoxes = true;
    m_userId->setCurrentIndex(-1);
    m_settingBoxes = false;
    loadList();
}
