#include "registers/PropertyNamesPages.h"

#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "store/Guarded.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {
constexpr int kNames = 14;
constexpr int kNameLength = 20;
const QString kClasses = QStringLiteral("DBFKlasyfikator");
} // namespace

PropertyNamesPages::PropertyNamesPages(TfMain& main) : QObject(&main), m_main(main)
{
    for (const auto& [page, kind] :
         {std::pair{"SlWlasciwosciKomp", "K"}, std::pair{"slWlasciwosciSprzet", "S"}})
        if (auto* w = main.findChild<QWidget*>(QLatin1String(page)))
            buildPage(w, QLatin1String(kind));
    connect(&main, &TfMain::pageEntered, this, [this](const QString& page) {
        if (page == QLatin1String("Slowniki/SlWlasciwosciKomp"))
            SBWlKompEntered();
        else if (page == QLatin1String("Slowniki/slWlasciwosciSprzet"))
            SBWlSprzetEntered();
    });
}

TmyDataBase* PropertyNamesPages::db() const
{
    return m_main.database();
}

QWidget* PropertyNamesPages::buildPage(QWidget* page, const QString& kind)
{
    const bool computers = kind == QLatin1String("K");
    auto* body = new QWidget(page);
    auto* layout = new QVBoxLayout(body);
    auto* title = new QLabel(computers ? QStringLiteral("Edytuj nazwy właściwości komputerów")
                                       : QStringLiteral("Edytuj nazwy właściwości sprzętu"),
                             body);
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    title->setFont(font);
    layout->addWidget(title);

    if (!computers) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("Dla sprzętu klasy:"), body));
        m_classes = new Lookup(body);
        m_classes->setObjectName(QStringLiteral("CBSprzet"));
        m_classes->setToolTip(QStringLiteral("Klasa sprzętu"));
        if (TmyDataBase* d = db())
            m_classes->bind(&d->statement(kClasses), QStringLiteral("KOD"), QStringLiteral("OPIS"));
        m_classes->installEventFilter(this);
        connect(m_classes, &QComboBox::activated, this, &PropertyNamesPages::classSwitch);
        row->addWidget(m_classes);
        row->addStretch();
        layout->addLayout(row);
    }

    layout->addWidget(new QLabel(QStringLiteral("Nazwy właściwości:"), body));
    auto* names = new QGridLayout;
    for (int n = 1; n <= kNames; ++n) {
        auto* edit = new QLineEdit(body);
        edit->setObjectName(QStringLiteral("wl") + kind + QString::number(n));
        edit->setMaxLength(kNameLength);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 14);
        if (!computers)
            connect(edit, &QLineEdit::textChanged, this, &PropertyNamesPages::wlS1Change);
        names->addWidget(new QLabel(QString::number(n) + QLatin1Char('.'), body), n - 1, 0, Qt::AlignRight);
        names->addWidget(edit, n - 1, 1);
    }
    names->setColumnStretch(2, 1);
    layout->addLayout(names);

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("&Zapamiętaj zmiany"), body);
    save->setObjectName(QStringLiteral("SBWL") + kind + QStringLiteral("Zapisz"));
    save->setToolTip(QStringLiteral("Zapisz zmiany"));
    auto* cancel = new QPushButton(QStringLiteral("An&uluj"), body);
    cancel->setObjectName(QStringLiteral("SBWL") + kind + QStringLiteral("Anuluj"));
    cancel->setToolTip(QStringLiteral("Anuluj zmiany"));
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    m_buttons[computers ? 0 : 2] = save;
    m_buttons[computers ? 1 : 3] = cancel;
    if (computers) {
        connect(save, &QPushButton::clicked, this, &PropertyNamesPages::SBWLKZapiszClick);
        connect(cancel, &QPushButton::clicked, this, &PropertyNamesPages::SBWLKAnulujClick);
    } else {
        connect(save, &QPushButton::clicked, this, &PropertyNamesPages::SBWLSZapiszClick);
        connect(cancel, &QPushButton::clicked, this, &PropertyNamesPages::SBWLSAnulujClick);
    }
    page->layout()->addWidget(body);
    return body;
}

QLineEdit* PropertyNamesPages::edit(const QString& kind, int number) const
{
    return m_main.findChild<QLineEdit*>(QStringLiteral("wl") + kind + QString::number(number));
}

qint64 PropertyNamesPages::classOf(const QString& kind) const
{
    if (kind == QLatin1String("K") || !m_classes || !m_classes->hasChoice())
        return 0;
    return m_classes->key().toLongLong();
}

void PropertyNamesPages::setButtonsEnabled(bool enabled)
{
    for (QPushButton* b : m_buttons)
        if (b)
            b->setEnabled(enabled);
}

bool PropertyNamesPages::loadNames(const QString& kind)
{
    for (int n = 1; n <= kNames; ++n)
        edit(kind, n)->setEnabled(true);
    if (kind == QLatin1String("S") && (!m_classes || m_classes->count() == 0)) {
        for (int n = 1; n <= kNames; ++n)
            edit(kind, n)->setEnabled(false);
        setButtonsEnabled(false);
        return false;
    }
    TmyDataBase* d = db();
    const qint64 klass = classOf(kind);
    // A failed read shows no names rather than those of the class shown before.
    for (int n = 1; n <= kNames; ++n)
        edit(kind, n)->clear();
    const bool ok = d && d->openPropertyNames(kind, klass);
    if (ok) {
        Statement& q = d->statement(QStringLiteral("DBFNazwaWlasciwosci"));
        for (int row = 0; row < q.recordCount() && row < kNames; ++row)
            edit(kind, row + 1)->setText(q.textAt(row, q.fieldIndex(QStringLiteral("NAZWA"))));
        q.close();
    }
    if (kind == QLatin1String("S"))
        m_rememberedClass = m_classes->key(); // the names shown belong to this class
    setButtonsEnabled(true);
    return ok;
}

bool PropertyNamesPages::saveNames(const QString& kind)
{
    TmyDataBase* d = db();
    if (!d)
        return false;
    const QString klass = QString::number(classOf(kind));
    // All 14 or none: a half-saved set would mix two versions of the names.
    return guardedWrite(d->DatabaseMain(), 2403, [&] {
        Statement& q = d->statement(QStringLiteral("DBFUpdateNazwaWlasciwosci"));
        for (int lp = 1; lp <= kNames; ++lp) {
            q.close();
            q.setParam(0, edit(kind, lp)->text());
            q.setParam(1, kind);
            q.setLine(2, QString::number(lp));
            q.setLine(4, klass);
            // Names an administrator emptied meanwhile are not saved into thin air.
            RowGone::unlessChanged(q.execSQL());
        }
    });
}

void PropertyNamesPages::SBWlKompEntered()
{
    loadNames(QStringLiteral("K"));
}

void PropertyNamesPages::SBWlSprzetEntered()
{
    if (TmyDataBase* d = db()) {
        d->reopenLookup(kClasses, QStringLiteral("KLSPR"));
        m_classes->bind(&d->statement(kClasses), QStringLiteral("KOD"), QStringLiteral("OPIS"));
    }
    if (m_classes->count() == 0)
        Dialogs::info(
            QStringLiteral("Informacja"),
            QStringLiteral("Brak zdefiniowanych klas sprzętu. Przejdź do biblioteki i dodaj klasyfikatory."));
    else
        m_classes->setCurrentIndex(0);
    loadNames(QStringLiteral("S"));
    m_unsaved = false;
}

void PropertyNamesPages::SBWLKZapiszClick()
{
    saveNames(QStringLiteral("K"));
}

void PropertyNamesPages::SBWLSZapiszClick()
{
    saveNames(QStringLiteral("S"));
    m_unsaved = false;
}

void PropertyNamesPages::SBWLKAnulujClick()
{
    loadNames(QStringLiteral("K"));
}

void PropertyNamesPages::SBWLSAnulujClick()
{
    loadNames(QStringLiteral("S"));
    m_unsaved = false;
}

void PropertyNamesPages::CBSprzetEnter()
{
    if (m_classes->hasChoice())
        m_rememberedClass = m_classes->key();
}

void PropertyNamesPages::wlS1Change()
{
    m_unsaved = true;
}

void PropertyNamesPages::classSwitch()
{
    // The question takes the focus from the class list: that is no second switch.
    if (m_classes->count() == 0 || m_switching)
        return;
    const QScopedValueRollback<bool> switching(m_switching, true);
    const QVariant chosen = m_classes->key();
    // Leaving the list without choosing another class keeps what was typed.
    if (m_unsaved && chosen.toString() == m_rememberedClass.toString())
        return;
    if (m_unsaved && Dialogs::question(QStringLiteral("Pytanie"),
                                       QStringLiteral("Nie zapisano zmian dla bieżącej klasy sprzętu. "
                                                      "Zapamiętać zmiany?"))) {
        m_classes->setKey(m_rememberedClass);
        saveNames(QStringLiteral("S"));
        m_unsaved = false;
        m_classes->setKey(chosen);
        m_rememberedClass = chosen;
    }
    loadNames(QStringLiteral("S"));
    m_unsaved = false;
}

bool PropertyNamesPages::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_classes) {
        if (event->type() == QEvent::FocusIn)
            CBSprzetEnter();
        else if (event->type() == QEvent::FocusOut &&
                 static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            classSwitch(); // the list's own drop-down takes the focus without leaving it
    }
    return QObject::eventFilter(watched, event);
}
