#include "editors/AttachmentActions.h"

#include "base/Config.h"
#include "base/ErrorLog.h"
#include "editors/AttachmentFiles.h"
#include "editors/SubList.h"
#include "editors/TfZalaczniki.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/NewKey.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"
#include "widgets/ConfirmDelete.h"

#include <QPushButton>

namespace {
const QString kKey = QStringLiteral("IDZALACZNIKA");
} // namespace

AttachmentActions::Codes AttachmentActions::codes(const QString& ownerKind)
{
    if (ownerKind == QLatin1String("S"))
        return {32132,
                32130,
                32134,
                32135,
                32137,
                QStringLiteral("[00000032131]  "),
                QStringLiteral("[0000032133]  ")};
    if (ownerKind == QLatin1String("L") || ownerKind == QLatin1String("P") || ownerKind == QLatin1String("B"))
        return {51802,
                51800,
                51806,
                51807,
                51808,
                QStringLiteral("[00000051801]  "),
                QStringLiteral("[0000051804]  ")};
    return {32113,
            22125,
            22050,
            32056,
            32028,
            QStringLiteral("[0000022123]  "),
            QStringLiteral("[0000021841]  ")};
}

AttachmentActions::AttachmentActions(TmyDataBase& db, SubList* list, TfZalaczniki* dialog, QObject* parent)
    : QObject(parent), m_db(db), m_list(list), m_dialog(dialog)
{
    m_list->setAction(SubList::Preview, [this] { preview(); });
    m_list->setAction(SubList::Add, [this] { add(); });
    m_list->setAction(SubList::Edit, [this] { edit(); });
    m_list->setAction(SubList::Remove, [this] { remove(); });
    m_list->setAction(SubList::Open, [this] { open(); });
    m_list->setAction(SubList::Print, [this] { print(); });
}

void AttachmentActions::setOwner(const QString& ownerKind, qint64 ownerKey)
{
    m_ownerKind = ownerKind;
    m_ownerKey = ownerKey;
}

bool AttachmentActions::editable() const
{
    const QPushButton* b = m_list->button(SubList::Edit);
    return !b || b->isEnabled();
}

void AttachmentActions::add()
{
    if (m_ownerKey < 0)
        return;
    const Codes c = codes(m_ownerKind);
    m_dialog->reopenLookups();
    m_dialog->prepareNew();
    m_dialog->exec();
    if (!m_dialog->saved())
        return;
    const QString source = m_dialog->sourcePath();
    // The stored file is named after the new key: read it in the insert's
    // own transaction, or another workstation's row could lend its number.
    qint64 key = -1;
    const bool inserted = guarded(c.insert, [&] {
        key = insertReturningKey(m_db.DatabaseMain(), QStringLiteral("ZALACZNIKI"), kKey, [&] {
            // Nothing is added under an owner another workstation deleted meanwhile.
            RowGone::unlessOwnerExists(m_db.DatabaseMain(), m_ownerKind, m_ownerKey);
            Statement& q = m_db.statement(QStringLiteral("DBFInsertZalaczniki"));
            m_dialog->bindInsert(q, m_ownerKey, m_ownerKind);
            q.execSQL();
        });
    });
    if (!inserted)
        return;
    m_list->reload();
    if (key <= 0)
        return;
    const QString stored = AttachmentFiles::storedName(QString::number(key), source);
    QString error;
    if (!AttachmentFiles::store(source, stored, &error)) {
        // The row stays without a file; the user points at the file again.
        AttachmentFiles::reportCopyFailure(c.addPrefix, error);
        m_list->locate(kKey, key);
        edit();
        return;
    }
    guarded(c.nameUpdate, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFUpdateZalacznikiNazwaPliku"));
        q.clearParams();
        q.setParam(0, stored);
        q.setLine(6, QString::number(key));
        q.execSQL();
    });
    m_list->reload();
    m_list->locate(kKey, key);
}

bool AttachmentActions::update(TmyDataBase& db, const TfZalaczniki& dialog, qint64 key, qint64 code)
{
    return guarded(code, [&] {
        Statement& q = db.statement(QStringLiteral("DBFUpdateZalaczniki"));
        dialog.bindUpdate(q, key);
        RowGone::unlessChanged(q.execSQL());
    });
}

void AttachmentActions::edit()
{
    if (!editable()) {
        preview();
        return;
    }
    if (!m_list->hasRow())
        return;
    const qint64 key = m_list->integer(kKey);
    m_dialog->reopenLookups();
    m_dialog->fillFromRow(m_list->statement());
    if (!m_dialog->runEdit(codes(m_ownerKind).editPrefix))
        return;
    const bool ok = update(m_db, *m_dialog, key, codes(m_ownerKind).edit);
    m_list->reload();
    if (ok)
        m_list->locate(kKey, key);
}

void AttachmentActions::preview()
{
    if (!m_list->hasRow())
        return;
    m_dialog->reopenLookups();
    m_dialog->fillFromRow(m_list->statement());
    m_dialog->setReadOnly(true);
    m_dialog->exec();
    m_dialog->reopenLookups();
    m_dialog->setReadOnly(false);
}

void AttachmentActions::remove()
{
    if (!m_list->hasRow() || !ConfirmDelete::ask())
        return;
    const Codes c = codes(m_ownerKind);
    const qint64 key = m_list->integer(kKey);
    if (Config::global().flag(QStringLiteral("usuwajZajaczniki"))) {
        const QString file = m_list->text(QStringLiteral("NAZWAPLIKU"));
        QString error;
        if (!AttachmentFiles::remove(file, &error)) {
            // The row keeps naming its file, so the deletion can be tried again.
            ErrorLog::report(AttachmentFiles::path(file) + QStringLiteral(": ") + error, true, c.fileDelete);
            return;
        }
    }
    const bool ok = guarded(c.rowDelete, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFDeleteZalaczniki"));
        q.clearParams();
        q.setLine(1, QString::number(key));
        q.execSQL();
    });
    if (ok)
        m_list->reload();
}

void AttachmentActions::open()
{
    if (m_list->hasRow())
        AttachmentFiles::open(m_list->text(QStringLiteral("NAZWAPLIKU")));
}

void AttachmentActions::print()
{
    if (!m_list->hasRow())
        return;
    m_dialog->reopenLookups();
    m_dialog->fillFromRow(m_list->statement());
    if (m_print)
        m_print(m_dialog->printTitle(), m_dialog->printLines().join(QChar(13)));
}
