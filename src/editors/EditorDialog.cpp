#include "editors/EditorDialog.h"

#include "base/Dialogs.h"
#include "widgets/AmountFields.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"
#include "widgets/ReadOnlySwitch.h"

#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

EditorDialog::EditorDialog(QWidget* parent) : QDialog(parent)
{
    m_zapisz = new QPushButton(QStringLiteral("&Zapisz"), this);
    m_zapisz->setObjectName(QStringLiteral("SBZapisz"));
    m_zapisz->setToolTip(QStringLiteral("Zapisz zmiany"));
    m_zapisz->setDefault(true);
    m_anuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    m_anuluj->setObjectName(QStringLiteral("SBAnuluj"));
    m_anuluj->setToolTip(QStringLiteral("Anuluj zmiany"));
    m_anuluj->setAutoDefault(false);
    connect(m_zapisz, &QPushButton::clicked, this, &EditorDialog::SBZapiszClick);
    connect(m_anuluj, &QPushButton::clicked, this, &QDialog::reject);
}

QHBoxLayout* EditorDialog::makeButtonBar()
{
    auto* bar = new QHBoxLayout;
    bar->addStretch();
    bar->addWidget(m_zapisz);
    bar->addWidget(m_anuluj);
    return bar;
}

QWidget* EditorDialog::field(const QString& column) const
{
    return findChild<QWidget*>(QLatin1Char('f') + column);
}

QString EditorDialog::text(const QString& column) const
{
    QWidget* w = field(column);
    if (auto* d = qobject_cast<DateField*>(w))
        return d->dateText();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* l = qobject_cast<Lookup*>(w))
        return l->currentText();
    return {};
}

void EditorDialog::setText(const QString& column, const QString& text)
{
    if (auto* e = qobject_cast<QLineEdit*>(field(column)))
        e->setText(text);
}

qint64 EditorDialog::date(const QString& column) const
{
    auto* d = qobject_cast<DateField*>(field(column));
    return d ? d->ymd() : 0;
}

void EditorDialog::setDate(const QString& column, qint64 yyyymmdd)
{
    if (auto* d = qobject_cast<DateField*>(field(column)))
        d->setYmd(yyyymmdd);
}

QVariant EditorDialog::key(const QString& column) const
{
    auto* l = qobject_cast<Lookup*>(field(column));
    return l ? l->key() : QVariant();
}

void EditorDialog::setKey(const QString& column, const QVariant& key)
{
    if (auto* l = qobject_cast<Lookup*>(field(column)))
        l->setKey(key);
}

QString EditorDialog::amountSql(const QString& column) const
{
    auto* e = qobject_cast<QLineEdit*>(field(column));
    return e ? AmountFields::sqlText(e) : QStringLiteral("0");
}

void EditorDialog::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    ReadOnlySwitch::apply(this, readOnly);
}

bool EditorDialog::isEditable() const
{
    return !m_zapisz->isHidden() && m_zapisz->isEnabled();
}

void EditorDialog::saveIfEditable()
{
    if (isEditable())
        SBZapiszClick();
}

void EditorDialog::showEvent(QShowEvent* event)
{
    m_saved = false;
    fitContents();
    QDialog::showEvent(event);
}

void EditorDialog::fitContents()
{
    // Every tab's title shows without scroll arrows.
    int width = this->width();
    for (const QTabWidget* tabs : findChildren<QTabWidget*>()) {
        const int needed = tabs->tabBar()->sizeHint().width() + 48; // the frames and margins around the tabs
        width = std::max(width, needed);
    }
    // A list shows its longest entry (within reason).
    for (QComboBox* combo : findChildren<QComboBox*>()) {
        int longest = 0;
        for (int i = 0; i < combo->count(); ++i)
            longest = std::max(longest, combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
        const int wanted = std::min(longest + 48, 300);
        if (combo->minimumWidth() < wanted && combo->sizePolicy().horizontalPolicy() != QSizePolicy::Fixed)
            combo->setMinimumWidth(wanted);
    }
    if (width > this->width())
        resize(width, height());
}

bool EditorDialog::refuse(QWidget* control, const QString& message)
{
    Dialogs::info(QStringLiteral("Uwaga"), message);
    if (control)
        control->setFocus();
    return false;
}

void EditorDialog::confirm()
{
    m_saved = true;
    accept();
}
