#include "registers/AdditionalCommands.h"

#include "base/ErrorLog.h"
#include "editors/AttachmentActions.h"
#include "editors/SubRecordActions.h"
#include "editors/TfDokumenty.h"
#include "editors/TfHistoria.h"
#include "editors/TfNaprawy.h"
#include "editors/TfTerminy.h"
#include "editors/TfZalaczniki.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"

#include <QWidget>

#include <algorithm>

struct AdditionalCommands::Register
{
    const char* name; // page of the main window
    const char* list;
    int kind; // SubRecordActions::Kind, -1 for attachments
    const char* key;
    const char* kindColumn;
    const char* owners; // kind letters whose editor the preview opens
    qint64 updateCode;
    bool activeOnly; // preview keeps "Tylko aktywne" rather than the date range
};

namespace {

struct Owner
{
    char kind;
    const char* registerName;
    const char* list;
    const char* key;
};
const Owner kOwners[] = {
    {'K', "komputery", "DBFKomputery", "IDKOMPUTERA"}, {'S', "sprzet", "DBFSprzet", "IDSPRZETU"},
    {'L', "licencje", "DBFLicencje", "IDLICENCJI"},    {'B', "odziezSrodki", "DBFBhp", "IDBHP"},
    {'P', "programy", "DBFProgramy", "IDPROGRAMU"},
};

const char* const kActiveOnlyLists[] = {"DBFTerminy", "DBFNaprawy", "DBFDokumenty"};
} // namespace

const AdditionalCommands::Register* AdditionalCommands::find(const QString& registerName)
{
    static const Register table[] = {
        {"DodatkoweTerminarz", "DBFTerminy", SubRecordActions::Deadlines, "IDTERMINU", "CZEGODOTYCZY",
         "KSLBP", 5110, true},
        {"DodatkoweNaprawy", "DBFNaprawy", SubRecordActions::Repairs, "IDNAPRAWY", "KOMPSPRZ", "KS", 8810,
         true},
        {"dodatkoweDokumenty", "DBFDokumenty", SubRecordActions::Documents, "IDDOKUMENTU", "CZEGODOTYCZY",
         "KS", 251756, true},
        {"DodatkoweHistoria", "DBFHistoria", SubRecordActions::History, "IDHISTORII", "KOMPSPRZ", "KSB",
         271013, false},
        {"DodatkoweZalaczniki", "DBFZalaczniki", -1, "IDZALACZNIKA", "CZEGODOTYCZY", "KSLBP", 21803, false},
    };
    for (const Register& r : table)
        if (registerName == QLatin1String(r.name))
            return &r;
    return nullptr;
}

AdditionalCommands::AdditionalCommands(TmyDataBase& db, QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_db(db)
{
    m_dialogs[SubRecordActions::Deadlines] = new TfTerminy(db, dialogParent);
    m_dialogs[SubRecordActions::Repairs] = new TfNaprawy(db, dialogParent);
    m_dialogs[SubRecordActions::Documents] = new TfDokumenty(db, dialogParent);
    m_dialogs[SubRecordActions::History] = new TfHistoria(db, dialogParent);
    m_attachments = new TfZalaczniki(db, dialogParent);
}

AdditionalCommands::~AdditionalCommands()
{
    // Dialogs made without a parent are ours; the others go with their parent.
    for (QPointer<SubRecordDialog>& d : m_dialogs)
        if (d && !d->parent())
            delete d.data();
    if (m_attachments && !m_attachments->parent())
        delete m_attachments.data();
}

bool AdditionalCommands::handles(const QString& registerName)
{
    return find(registerName) != nullptr;
}

SubRecordDialog* AdditionalCommands::dialog(const QString& registerName) const
{
    const Register* r = find(registerName);
    if (!r)
        return nullptr;
    return r->kind < 0 ? static_cast<SubRecordDialog*>(m_attachments.data()) : m_dialogs[r->kind].data();
}

TfZalaczniki* AdditionalCommands::attachmentDialog() const
{
    return m_attachments.data();
}

bool AdditionalCommands::hasRow(const QString& list)
{
    const Statement& q = m_db.statement(list);
    return q.isOpen() && !q.isEmpty() && !q.eof();
}

void AdditionalCommands::relocate(const QString& list, qint64 key)
{
    const int position = m_db.statement(list).recNo();
    m_db.reloadList(list);
    // A row another workstation deleted is not found: the cursor stays in its place.
    if (!m_db.locate(list, {key})) {
        Statement& q = m_db.statement(list);
        if (q.isOpen())
            q.setRecNo(std::min(position, q.shownCount() - 1));
    }
    emit listReloaded(list);
}

bool AdditionalCommands::edit(const QString& registerName)
{
    const Register* r = find(registerName);
    if (!r)
        return false;
    const QString list = QLatin1String(r->list);
    if (!hasRow(list))
        return true;
    const Statement& row = m_db.statement(list);
    const qint64 key = row.integer(QLatin1String(r->key));
    if (r->kind < 0)
        return editAttachment(*r, key);
    SubRecordDialog* d = m_dialogs[r->kind];
    d->reopenLookups();
    d->fillFromRow(row);
    d->exec();
    if (!d->saved())
        return true;
    guarded(r->updateCode, [&] {
        Statement& q = m_db.statement(
            SubRecordActions::statementName(SubRecordActions::Kind(r->kind), SubRecordActions::Update));
        d->bindUpdate(q, key);
        RowGone::unlessChanged(q.execSQL());
    });
    // Also after a failure: a record deleted elsewhere leaves the list.
    relocate(list, key);
    return true;
}

bool AdditionalCommands::editAttachment(const Register& r, qint64 key)
{
    TfZalaczniki& d = *m_attachments;
    d.reopenLookups();
    d.fillFromRow(m_db.statement(QLatin1String(r.list)));
    if (!d.runEdit(AttachmentActions::codes(QStringLiteral("K")).editPrefix))
        return true;
    // Also after a failure: a record deleted elsewhere leaves the list.
    AttachmentActions::update(m_db, d, key, r.updateCode);
    relocate(QLatin1String(r.list), key);
    return true;
}

bool AdditionalCommands::preview(const QString& registerName)
{
    const Register* r = find(registerName);
    if (!r)
        return false;
    const QString list = QLatin1String(r->list);
    if (!hasRow(list))
        return true;
    const Statement& row = m_db.statement(list);
    const qint64 key = row.integer(QLatin1String(r->key));
    const QString ownerKind = row.text(QLatin1String(r->kindColumn));
    const qint64 ownerKey = row.integer(QStringLiteral("IDOBIEKTU"));

    ListState& state = m_db.listState();
    const ListState::Entry own = state.entry(list);
    QList<ListState::Entry> active;
    for (const char* l : kActiveOnlyLists)
        active << state.entry(QLatin1String(l));
    if (r->activeOnly)
        state.setActiveOnly(false);

    if (ownerKind.size() == 1 && QByteArray(r->owners).contains(ownerKind.at(0).toLatin1()))
        previewOwner(ownerKind, ownerKey);

    // The list's own filters back, without the object conditions.
    if (r->activeOnly)
        for (int i = 0; i < active.size(); ++i)
            state.setEntry(QLatin1String(kActiveOnlyLists[i]), active[i]);
    state.setEntry(list, own);
    state.clearObject(list);
    relocate(list, key);
    return true;
}

void AdditionalCommands::previewOwner(const QString& ownerKind, qint64 ownerKey)
{
    const Owner* owner = nullptr;
    for (const Owner& o : kOwners)
        if (ownerKind.at(0).toLatin1() == o.kind)
            owner = &o;
    if (!owner || !m_ownerPreview)
        return;
    const QString list = QLatin1String(owner->list);
    ListState& state = m_db.listState();
    const ListState::Entry saved = state.entry(list);
    const Statement& rows = m_db.statement(list);
    const bool hadRow = hasRow(list);
    const qint64 previous = hadRow ? rows.integer(QLatin1String(owner->key)) : -1;

    // A liquidated owner, or one outside the register's date range or
    // classifier, is found all the same.
    state.clearCondition(list, ListState::Role::Archive);
    state.clearCondition(list, ListState::Role::DateRange);
    state.clearCondition(list, ListState::Role::Classifier);
    state.clearCondition(list, ListState::Role::Owner);
    m_db.reloadList(list);
    if (m_db.locate(list, {ownerKey}))
        m_ownerPreview(QLatin1String(owner->registerName));

    state.setEntry(list, saved);
    m_db.reloadList(list);
    if (hadRow)
        m_db.locate(list, {previous});
    emit listReloaded(list);
}
