#include "widgets/Lookup.h"

#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QStandardItemModel>

Lookup::Lookup(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(20);
    // A long entry chosen never widens the window.
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

void Lookup::bindSearch(TmyDataBase* db, const QString& lookupName)
{
    m_db = db;
    m_lookupName = lookupName;
    m_statement = nullptr;
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // the rows come from the store, not from the items
    lineEdit()->setPlaceholderText(QStringLiteral("wpisz, aby wyszukać"));
    m_matches = new QStandardItemModel(this);
    m_completer = new QCompleter(m_matches, this);
    m_completer->setWidget(lineEdit());
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(15);
    connect(m_completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) { chooseOffered(index.row()); });
    m_search.setSingleShot(true);
    m_search.setInterval(0);
    connect(&m_search, &QTimer::timeout, this, &Lookup::typed);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_search.start(); });
    connect(lineEdit(), &QLineEdit::editingFinished, this, &Lookup::editingDone);
    clearChoice();
}

void Lookup::refill()
{
    const QVariant chosen = key();
    if (isSearching()) {
        setKey(chosen);
        return;
    }
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
        clearChoice();
        return;
    }
    if (isSearching()) {
        QString text;
        if (m_db->lookupText(m_lookupName, key, &text))
            choose(key, text);
        else
            clearChoice();
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

void Lookup::clearChoice()
{
    if (!isSearching()) {
        setCurrentIndex(-1);
        return;
    }
    clear();
    lineEdit()->clear();
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

void Lookup::choose(const QVariant& key, const QString& text)
{
    if (hasChoice() && itemData(0).toString() == key.toString() && itemText(0) == text) {
        lineEdit()->setText(text);
        return;
    }
    clear();
    addItem(text, key); // the only item: the row chosen
    setCurrentIndex(0);
    lineEdit()->setText(text);
    lineEdit()->setCursorPosition(0);
}

QList<LookupSearch::Match> Lookup::offer(const QString& typed)
{
    if (!isSearching())
        return {};
    QList<LookupSearch::Match> found = m_db->searchLookup(m_lookupName, typed, kOffered + 1);
    const bool more = found.size() > kOffered;
    if (more)
        found.removeLast();
    m_matches->clear();
    for (const LookupSearch::Match& m : std::as_const(found)) {
        auto* item = new QStandardItem(m.text);
        item->setData(m.key, Qt::UserRole);
        item->setEditable(false);
        m_matches->appendRow(item);
    }
    // A line that cannot be chosen says why the list ends.
    if (more || found.isEmpty()) {
        auto* note = new QStandardItem(more ? QStringLiteral("… i dalsze - wpisz więcej, aby zawęzić listę")
                                            : QStringLiteral("Nie znaleziono"));
        note->setFlags(Qt::NoItemFlags);
        m_matches->appendRow(note);
    }
    if (isVisible() && isEnabled()) {
        QRect under = lineEdit()->rect();
        under.setWidth(width());
        m_completer->complete(under);
    }
    return found;
}

void Lookup::chooseOffered(int row)
{
    const QStandardItem* item = m_matches ? m_matches->item(row) : nullptr;
    if (!item || !(item->flags() & Qt::ItemIsEnabled))
        return;
    m_completer->popup()->hide();
    choose(item->data(Qt::UserRole), item->text());
    emit activated(0);
}

void Lookup::typed()
{
    offer(lineEdit()->text());
}

void Lookup::editingDone()
{
    // The list of rows shown under the field is no leaving.
    if (m_completer->popup()->isVisible())
        return;
    // Leaving the field keeps a choice: what was typed and not chosen goes,
    // unless it names one row only.
    const QString text = lineEdit()->text().trimmed();
    if (hasChoice() && lineEdit()->text() == itemText(0))
        return;
    if (text.isEmpty()) {
        clearChoice();
        return;
    }
    const QList<LookupSearch::Match> found = m_db->searchLookup(m_lookupName, text, 2);
    if (found.size() == 1)
        choose(found.first().key, found.first().text);
    else
        lineEdit()->setText(hasChoice() ? itemText(0) : QString());
}

void Lookup::showPopup()
{
    if (!isSearching()) {
        QComboBox::showPopup();
        return;
    }
    // The drop-down offers the register from its start, or the rows of what is being typed.
    const QString text = lineEdit()->text();
    lineEdit()->setFocus();
    offer(hasChoice() && text == itemText(0) ? QString() : text);
}
