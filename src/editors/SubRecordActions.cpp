#include "editors/SubRecordActions.h"

#include "base/ErrorLog.h"
#include "editors/SubList.h"
#include "editors/SubRecordDialog.h"
#include "editors/TfHistoria.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/NewKey.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"
#include "widgets/ConfirmDelete.h"

#include <QPushButton>

namespace {
struct Names
{
    const char* table; // as the highest-key query names it
    const char* word;  // statement names: DBFInsert + word ...
    const char* key;
};
const Names kNames[] = {
    {"TERMINY", "Terminy", "IDTERMINU"},
    {"Naprawy", "Naprawy", "IDNAPRAWY"},
    {"Dokumenty", "Dokumenty", "IDDOKUMENTU"},
    {"Historia", "Historia", "IDHISTORII"},
};
} // namespace

SubRecordActions::SubRecordActions(TmyDataBase& db, Kind kind, SubList* list, SubRecordDialog* dialog,
                                   QObject* parent)
    : QObject(parent), m_db(db), m_kind(kind), m_list(list), m_dialog(dialog)
{
    m_list->setAction(SubList::Preview, [this] { preview(); });
    m_list->setAction(SubList::Add, [this] { add(); });
    m_list->setAction(SubList::Edit, [this] { edit(); });
    m_list->setAction(SubList::Remove, [this] { remove(); });
    m_list->setAction(SubList::Print, [this] { print(); });
}

void SubRecordActions::setOwner(const QString& ownerKind, qint64 ownerKey)
{
    m_ownerKind = ownerKind;
    m_ownerKey = ownerKey;
}

qint64 SubRecordActions::code(Kind kind, const QString& ownerKind, Operation operation)
{
    const char k = ownerKind.isEmpty() ? ' ' : ownerKind.at(0).toLatin1();
    static const qint64 computer[4][3] = {
        {3504, 5010, 3616}, {11304, 8810, 18820}, {251754, 251756, 251757}, {271054, 271054, 271055}};
    static const qint64 equipment[4][3] = {
        {5504, 5510, 5516}, {11304, 8810, 18820}, {251754, 251756, 251757}, {271054, 271054, 271055}};
    static const qint64 bhp[4][3] = {
        {152046, 152040, 152047}, {0, 0, 0}, {0, 0, 0}, {152049, 152048, 151900}};
    switch (k) {
    case 'K':
        return computer[kind][operation];
    case 'S':
        return equipment[kind][operation];
    case 'L':
        return kind == Deadlines ? computer[kind][operation] : 0;
    case 'B':
        return bhp[kind][operation];
    default:
        return computer[kind][operation];
    }
}

QString SubRecordActions::statementName(Kind kind, Operation operation)
{
    static const char* const verbs[] = {"DBFInsert", "DBFUpdate", "DBFDelete"};
    return QLatin1String(verbs[operation]) + QLatin1String(kNames[kind].word);
}

QString SubRecordActions::keyColumn(Kind kind)
{
    return QLatin1String(kNames[kind].key);
}

QString SubRecordActions::tableName(Kind kind)
{
    return QLatin1String(kNames[kind].table);
}

void SubRecordActions::restoreClassifier()
{
    if (usesClassifier() && m_restoreClassifier)
        m_restoreClassifier();
}

bool SubRecordActions::editable() const
{
    const QPushButton* b = m_list->button(SubList::Edit);
    if (!b)
        return true;
    // Deadlines only look at the enabled state; the other lists also at visibility.
    return b->isEnabled() && (m_kind == Deadlines || !b->isHidden());
}

void SubRecordActions::add()
{
    if (m_ownerKey < 0)
        return;
    m_dialog->reopenLookups();
    QString person;
    if (m_prepareNew && m_prepareNew(m_dialog)) {
        // prepared by the owner
    } else if (m_kind == History && m_takePrefill && m_takePrefill(&person))
        static_cast<TfHistoria*>(m_dialog)->prepareFor(person);
    else
        m_dialog->prepareNew();
    m_dialog->exec();
    restoreClassifier();
    if (!m_dialog->saved())
        return;
    // The insert and the read of its key are one write transaction, so the
    // list is positioned on this row even when another workstation adds one.
    qint64 key = -1;
    const bool ok = guarded(code(m_kind, m_ownerKind, Insert), [&] {
        key = insertReturningKey(m_db.DatabaseMain(), tableName(m_kind), keyColumn(m_kind), [&] {
            // Nothing is added under an owner another workstation deleted meanwhile.
            RowGone::unlessOwnerExists(m_db.DatabaseMain(), m_ownerKind, m_ownerKey);
            Statement& q = m_db.statement(statementName(m_kind, Insert));
            m_dialog->bindInsert(q, m_ownerKey, m_ownerKind);
            q.execSQL();
        });
    });
    if (!ok)
        return;
    m_list->reload();
    m_list->locate(keyColumn(m_kind), key);
}

void SubRecordActions::edit()
{
    if (!editable()) {
        preview();
        return;
    }
    if (!m_list->hasRow())
        return;
    const qint64 key = m_list->integer(keyColumn(m_kind));
    m_dialog->reopenLookups();
    m_dialog->fillFromRow(m_list->statement());
    m_dialog->exec();
    restoreClassifier();
    if (!m_dialog->saved())
        return;
    const bool ok = guarded(code(m_kind, m_ownerKind, Update), [&] {
        Statement& q = m_db.statement(statementName(m_kind, Update));
        m_dialog->bindUpdate(q, key);
        RowGone::unlessChanged(q.execSQL());
    });
    m_list->reload();
    if (!ok)
        return;
    m_list->locate(keyColumn(m_kind), key);
}

void SubRecordActions::preview()
{
    if (!m_list->hasRow())
        return;
    m_dialog->reopenLookups();
    m_dialog->fillFromRow(m_list->statement());
    m_dialog->setReadOnly(true);
    m_dialog->exec();
    restoreClassifier();
    m_dialog->setReadOnly(false);
}

void SubRecordActions::remove()
{
    if (!m_list->hasRow() || !ConfirmDelete::ask())
        return;
    const qint64 key = m_list->integer(keyColumn(m_kind));
    const bool ok = guarded(code(m_kind, m_ownerKind, Delete), [&] {
        Statement& q = m_db.statement(statementName(m_kind, Delete));
        q.clearParams();
        q.setLine(1, QString::number(key));
        q.execSQL();
    });
    if (ok)
        m_list->reload();
}

void SubRecordActions::print()
{
    if (!m_list->hasRow())
        return;
    m_dialog->reopenLookups();
    m_dialog->fillFromRow(m_list->statement());
    if (m_print)
        m_print(m_dialog->printTitle(), m_dialog->printLines().join(QChar(13)));
    restoreClassifier();
}
