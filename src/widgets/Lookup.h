#pragma once

#include <QComboBox>
#include <QVariant>

class Statement;

// A drop-down list over a lookup statement of the data module: it shows one
// field and keeps another as the key. A key that is not in the list shows
// no choice; no choice answers an invalid key.
class Lookup : public QComboBox
{
    Q_OBJECT

public:
    explicit Lookup(QWidget* parent = nullptr);

    // The statement and its key and display fields; fills the list.
    void bind(Statement* statement, const QString& keyField, const QString& displayField);
    // Re-reads the rows from the bound statement (after it was reopened),
    // keeping the chosen key when it is still there.
    void refill();

    QVariant key() const;
    bool hasChoice() const { return currentIndex() >= 0; }
    // Chooses the entry with this key; no choice when absent or invalid.
    void setKey(const QVariant& key);
    void clearChoice() { setCurrentIndex(-1); }
    // The key as a decimal text, or `fallback` when nothing is chosen.
    QString keyText(const QString& fallback) const;
    // The chosen key as a number for a statement line, or `noChoice` when
    // nothing (or nothing numeric) is chosen.
    QString keyLine(qint64 noChoice) const;

private:
    Statement* m_statement = nullptr;
    QString m_keyField;
    QString m_displayField;
};
