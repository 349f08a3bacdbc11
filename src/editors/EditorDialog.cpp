#include "editors/EditorDialog.h"

#include "base/Dialogs.h"
#include "widgets/AmountFields.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"
#include "widgets/ReadOnlySwitch.h"

#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <QHBoxLayout>
#include <QLayout>
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
    if (!m_designSize.isValid())
        m_designSize = size();
    fitContents();
    QDialog::showEvent(event);
    // The tabs a preview or the rights show are set after this: fit to them too.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            fitContents();
    });
}

void EditorDialog::fitContents()
{
    // Every tab's title shows without scroll arrows: the tabs shown are part
    // of the editor's least width.
    for (QTabWidget* tabs : findChildren<QTabWidget*>()) {
        tabs->setUsesScrollButtons(false);
        tabs->setElideMode(Qt::ElideNone);
    }
    // Each opening starts from the design size, widened only as far as what
    // is shown now needs: a window widened once (a liquidated record's tab)
    // does not stay wide. Lists keep their design width whatever entry is
    // chosen; their drop-down shows a long entry whole.
    if (QLayout* l = layout())
        l->activate();
    resize(m_designSize.expandedTo(minimumSizeHint()));
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
