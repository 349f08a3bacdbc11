#include "bhp/BhpCommands.h"

#include "bhp/TfBhp.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"

namespace {
const QString kTable = QStringLiteral("bhp");
const QString kNumber = QStringLiteral("NREWID");
} // namespace

BhpCommands::BhpCommands(CommandContext& context)
    : RegisterCommands(context, QStringLiteral("odziezSrodki"), QStringLiteral("DBFBhp"))
{
}

BhpCommands::~BhpCommands() = default;

TfBhp& BhpCommands::editor()
{
    if (!m_editor)
        m_editor = withPrintOut(new TfBhp(db(), dialogParent()));
    return *m_editor;
}

void BhpCommands::add()
{
    runAdd(nullptr);
}

void BhpCommands::addFromPurchase(const BhpItemData& purchase)
{
    context().copy = false;
    runAdd(&purchase);
}

void BhpCommands::runAdd(const BhpItemData* fromPurchase)
{
    TfBhp& e = editor();
    e.setPreview(false);
    e.reopenLookups();
    e.prepareNew();
    if (fromPurchase)
        e.fillFromPurchase(*fromPurchase);
    else if (takeCopy() && hasRow())
        e.fillFromRow(row());
    if (!confirmUnique(
            e, {kTable, kNumber, QStringLiteral("Istnieje już środek bhp o podanym numerze ewidencyjnym.")},
            kNumber))
        return;
    const qint64 key = insertWithKey(152020, kTable, QStringLiteral("IDBHP"), [&] {
        Statement& q = db().statement(QStringLiteral("DBFInsertBhp"));
        e.bindInsert(q);
        q.execSQL();
    });
    if (key <= 0)
        return;
    relocate({key});
    if (e.addToPurchases()) {
        continueToPurchases();
        return;
    }
    // The user goes on in the full editor, on the holdings.
    if (!hasRow())
        return;
    e.setOpenOnHoldings(true);
    edit();
}

void BhpCommands::continueToPurchases()
{
    if (!m_purchases.add)
        return;
    const BhpItemData item = editor().toPurchase();
    if (context().enterRegister)
        context().enterRegister(m_purchases.registerName);
    m_purchases.add(item);
}

void BhpCommands::edit()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(QStringLiteral("IDBHP"));
    const QString oldNumber = row().text(kNumber);
    TfBhp& e = editor();
    e.setPreview(false);
    e.reopenLookups();
    e.fillFromRow(row());
    e.prepare(key);
    if (!confirmUnique(
            e, {kTable, kNumber, QStringLiteral("Istnieje już środek o podanym numerze ewidencyjnym.")},
            kNumber, &oldNumber))
        return;
    const bool saved = write(152028, [&] {
        Statement& q = db().statement(QStringLiteral("DBFUpdateBhp"));
        e.bindUpdate(q, key);
        RowGone::unlessChanged(q.execSQL());
    });
    relocate({key});
    if (!saved)
        return;
    if (e.addToPurchases())
        continueToPurchases();
}

void BhpCommands::preview()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(QStringLiteral("IDBHP"));
    TfBhp& e = editor();
    e.reopenLookups();
    e.fillFromRow(row());
    e.prepare(key);
    e.setPreview(true);
    e.exec();
    e.setPreview(false);
}
