#include "widgets/Lookup.h"

#include "store/Statement.h"

Lookup::Lookup(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(20);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);
}

void Lookup::bind(Statement* statement, const QString& keyField, const QString& displayField)
{
    m_statement = statement;
    m_keyField = keyField;
    m_displayField = displayField;
    refill();
}

void Lookup::refill()
{
    const QVariant chosen = key();
    const QSignalBlocker block(this);
    clear();
    if (m_statement && m_statement->isOpen()) {
        const int keyColumn = m_statement->fieldIndex(m_keyField);
        const int textColumn = m_statement->fieldIndex(m_displayField);
        if (keyColumn >= 0 && textColumn >= 0)
            for (int row = 0; row < m_statement->recordCount(); ++row)
                addItem(m_statement->textAt(row, textColumn), m_statement->valueAt(row, keyColumn));
    }
    setKey(chosen);
}

QVariant Lookup::key() const
{
    return currentIndex() >= 0 ? currentData() : QVariant();
}

void Lookup::setKey(const QVariant& key)
{
    if (!key.isValid() || key.isNull()) {
        setCurrentIndex(-1);
        return;
    }
    // Keys compare as text, so 5 and "5" and the text keys of employees match alike.
    const QString wanted = key.toString();
    for (int i = 0; i < count(); ++i)
        if (itemData(i).toString() == wanted) {
            setCurrentIndex(i);
            return;
        }
    setCurrentIndex(-1);
}

QString Lookup::keyText(const QString& fallback) const
{
    return hasChoice() ? key().toString() : fallback;
}

QString Lookup::keyLine(qint64 noChoice) const
{
    bool ok = false;
    const qint64 value = hasChoice() ? key().toLongLong(&ok) : 0;
    return QString::number(ok ? value : noChoice);
}
