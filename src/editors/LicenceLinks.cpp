#include "editors/LicenceLinks.h"

#include "editors/SubList.h"
#include "editors/TfLicProg.h"
#include "store/Guarded.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"
#include "widgets/ConfirmDelete.h"
#include "widgets/DataGrid.h"

#include <QPushButton>

namespace {
const QString kProgram = QStringLiteral("IDPROGRAMU");
const QString kLicence = QStringLiteral("IDLICENCJI");
const QString kListaProg = QStringLiteral("DBFListaProg");
const QString kListaLic = QStringLiteral("DBFListaLic");
} // namespace

LicenceLinks::LicenceLinks(TmyDataBase& db, Owner owner, SubList* list, QWidget* dialogParent)
    : QObject(list), m_db(db), m_owner(owner), m_list(list), m_dialogParent(dialogParent)
{
    m_list->setAction(SubList::Preview, [this] { preview(); });
    m_list->setAction(SubList::Add, [this] { add(); });
    m_list->setAction(SubList::Edit, [this] { edit(); });
    m_list->setAction(SubList::Remove, [this] { remove(); });
    m_list->setAction(SubList::Print, [this] { print(); });
}

TfLicProg* LicenceLinks::dialog()
{
    if (!m_dialog)
        m_dialog = new TfLicProg(m_db, m_dialogParent);
    return m_dialog;
}

void LicenceLinks::setOwner(qint64 key)
{
    m_key = key;
    ListState& state = m_list->state();
    const QString& list = m_list->list();
    state.setOwner(list, key, m_owner == Owner::Licence ? kLicence : kProgram);
    state.setActiveOnly(list, true);
}

bool LicenceLinks::editable() const
{
    const QPushButton* b = m_list->button(SubList::Edit);
    return !b || (b->isEnabled() && !b->isHidden());
}

bool LicenceLinks::locate(qint64 program, qint64 licence)
{
    Statement& q = m_list->statement();
    const int p = q.fieldIndex(kProgram);
    const int l = q.fieldIndex(kLicence);
    if (p < 0 || l < 0)
        return false;
    for (int row = 0; row < q.recordCount(); ++row) {
        if (q.integerAt(row, p) == program && q.integerAt(row, l) == licence) {
            q.setRecNo(row);
            m_list->grid()->followCursor();
            return true;
        }
    }
    return false;
}

void LicenceLinks::add()
{
    if (m_key < 0)
        return;
    TfLicProg* d = dialog();
    const bool fromLicence = m_owner == Owner::Licence;
    // The fixed side offers everything; the other side what is not linked yet.
    m_db.reopenLookupFor(kListaProg, fromLicence ? m_key : -1);
    m_db.reopenLookupFor(kListaLic, fromLicence ? -1 : m_key);
    d->refillLists();
    d->setCount(1, false);
    d->setLicence(fromLicence ? m_key : -1, fromLicence);
    d->setProgram(fromLicence ? -1 : m_key, !fromLicence);
    d->exec();
    if (!d->saved())
        return;
    const qint64 program = fromLicence ? d->program() : m_key;
    const qint64 licence = fromLicence ? m_key : d->licence();
    const bool ok = guardedWrite(m_db.DatabaseMain(), 3504, [&] {
        // Neither side may have been deleted by another workstation meanwhile.
        RowGone::unlessOwnerExists(m_db.DatabaseMain(), QStringLiteral("P"), program);
        RowGone::unlessOwnerExists(m_db.DatabaseMain(), QStringLiteral("L"), licence);
        Statement& q = m_db.statement(QStringLiteral("DBFInsertLicProg"));
        q.clearParams();
        q.setLine(2, QString::number(program));
        q.setLine(4, QString::number(licence));
        q.setLine(6, QString::number(d->count()));
        q.setParam(0, d->unlimited() ? QStringLiteral("T") : QStringLiteral("N"));
        q.execSQL();
    });
    m_list->reload();
    if (ok)
        locate(program, licence);
}

void LicenceLinks::fillFromRow()
{
    TfLicProg* d = dialog();
    m_db.reopenLookupFor(kListaProg, -1);
    m_db.reopenLookupFor(kListaLic, -1);
    d->refillLists();
    d->setCount(m_list->integer(QStringLiteral("ILOSCLIC")),
                m_list->text(QStringLiteral("WIELOSTAN")) == QLatin1String("T"));
    // A link of a liquidated licence still shows its licence.
    d->setLicence(m_list->integer(kLicence), true, m_list->text(QStringLiteral("NRLICENCJI")));
    d->setProgram(m_list->integer(kProgram), true,
                  m_list->text(QStringLiteral("NAZWA")) + QLatin1Char(' ') +
                      m_list->text(QStringLiteral("WERSJA")));
}

void LicenceLinks::edit()
{
    if (!m_list->hasRow())
        return;
    if (!editable()) {
        preview();
        return;
    }
    const qint64 program = m_list->integer(kProgram);
    const qint64 licence = m_list->integer(kLicence);
    fillFromRow();
    TfLicProg* d = dialog();
    d->exec();
    if (!d->saved())
        return;
    const bool ok = guarded(3010, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFUpdateLicProg"));
        q.clearParams();
        q.setParam(0, d->unlimited() ? QStringLiteral("T") : QStringLiteral("N"));
        q.setLine(3, QString::number(d->count()));
        q.setLine(5, QString::number(program));
        q.setLine(7, QString::number(licence));
        RowGone::unlessChanged(q.execSQL());
    });
    m_list->reload();
    if (ok)
        locate(program, licence);
}

void LicenceLinks::preview()
{
    if (!m_list->hasRow())
        return;
    fillFromRow();
    TfLicProg* d = dialog();
    d->setReadOnly(true);
    d->exec();
    d->setReadOnly(false);
}

void LicenceLinks::remove()
{
    if (!m_list->hasRow() || !ConfirmDelete::ask(QStringLiteral("Czy napewno usunąć zaznaczoną pozycję?")))
        return;
    const QString program = QString::number(m_list->integer(kProgram));
    const QString licence = QString::number(m_list->integer(kLicence));
    // The link goes with every installation of it, or nothing goes.
    guardedWrite(m_db.DatabaseMain(), 3516, [&] {
        Statement& link = m_db.statement(QStringLiteral("DBFDeleteLicProg"));
        link.clearParams();
        link.setLine(1, program);
        link.setLine(3, licence);
        link.execSQL();
        Statement& installed = m_db.statement(QStringLiteral("DBFDeleteLicKompProg"));
        installed.clearParams();
        installed.setLine(2, program);
        installed.setLine(4, licence);
        installed.execSQL();
    });
    m_list->reload();
}

void LicenceLinks::print()
{
    if (!m_list->hasRow() || !m_print)
        return;
    fillFromRow();
    const TfLicProg* d = dialog();
    const QStringList lines = {QStringLiteral("Licencja: ") + d->licenceText(),
                               QStringLiteral("Program: ") + d->programText(),
                               QStringLiteral("Nieograniczona ilość licencji?: ") +
                                   (d->unlimited() ? QStringLiteral("TAK") : QStringLiteral("NIE")),
                               QStringLiteral("Liczba licencji: ") + QString::number(d->count())};
    m_print(QStringLiteral("Licencja na program"), lines.join(QChar(13)));
}
