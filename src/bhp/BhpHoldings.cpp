#include "bhp/BhpHoldings.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "bhp/Quantity.h"
#include "bhp/TfBhp.h"
#include "bhp/TfIloscNaStanie.h"
#include "bhp/TfPosiadajacy.h"
#include "editors/SubList.h"
#include "editors/SubRecordActions.h"
#include "editors/TfHistoria.h"
#include "store/Guarded.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"
#include "widgets/ConfirmDelete.h"

BhpHoldings::BhpHoldings(TmyDataBase& db, TfBhp& editor, SubList* list)
    : QObject(&editor), m_db(db), m_editor(editor), m_list(list), m_dialog(new TfPosiadajacy(db, &editor)),
      m_stock(new TfIloscNaStanie(&editor))
{
    list->setAction(SubList::Preview, [this] { preview(); });
    list->setAction(SubList::Add, [this] { add(); });
    list->setAction(SubList::Edit, [this] { edit(); });
    list->setAction(SubList::Remove, [this] { remove(); });
    list->setAction(SubList::Print, [this] { print(); });
}

bool BhpHoldings::confirmStock(double before, double after, double* newValue)
{
    const Config& config = Config::global();
    if (!config.flag(QStringLiteral("atkualizujStanBhp")))
        return true;
    m_stock->prepare(before, after, m_editor.onStock(),
                     config.flag(QStringLiteral("uzyjAktualnejIlosciBHP")));
    if (m_stock->exec() != QDialog::Accepted)
        return false;
    *newValue = m_stock->newValue();
    return true;
}

void BhpHoldings::refresh(const QString& employee)
{
    if (!m_list->reload())
        return;
    if (!employee.isEmpty())
        m_list->locate(QStringLiteral("NREW"), employee);
}

void BhpHoldings::add()
{
    if (m_item < 0)
        return;
    m_dialog->setReadOnly(false);
    m_dialog->reopenLookups();
    m_dialog->prepareNew();
    double newValue = 0;
    bool updateStock = false;
    for (;;) {
        m_dialog->exec();
        if (!m_dialog->saved())
            return;
        int count = 0;
        const bool checked = guarded(152043, [&] {
            Statement& q = m_db.statement(QStringLiteral("DBFCountPosiadajacy"));
            q.close();
            q.clearParams();
            q.setLine(1, QString::number(m_item));
            q.setParam(0, m_dialog->employee());
            q.open();
            count = int(q.integer(QStringLiteral("ILE")));
            q.close();
        });
        if (!checked)
            continue; // the check failed: the dialog is shown again
        if (count > 0) {
            Dialogs::info(QStringLiteral("Uwaga"),
                          QStringLiteral("Wskazana osoba posiada już przypisany środek BHP. "
                                         "Przeedytuj już istniejący wpis."));
            continue;
        }
        updateStock = Config::global().flag(QStringLiteral("atkualizujStanBhp"));
        if (!confirmStock(0, m_dialog->quantity(), &newValue))
            continue;
        break;
    }
    const bool ok = guardedWrite(m_db.DatabaseMain(), 152044, [&] {
        RowGone::unlessOwnerExists(m_db.DatabaseMain(), QStringLiteral("B"), m_item);
        Statement& q = m_db.statement(QStringLiteral("DBFInsertPosiadajacy"));
        m_dialog->bindInsert(q, m_item);
        q.execSQL();
    });
    if (!ok)
        return;
    refresh(m_dialog->employee());
    if (updateStock)
        m_editor.setOnStock(newValue);
}

void BhpHoldings::edit()
{
    if (!m_list->hasRow())
        return;
    m_dialog->setReadOnly(false);
    m_dialog->reopenLookups();
    m_dialog->fillFromRow(m_list->statement());
    const QString employee = m_list->text(QStringLiteral("NREW"));
    const double before = m_list->statement().number(QStringLiteral("ILOSC"));
    double newValue = 0;
    for (;;) {
        m_dialog->exec();
        if (!m_dialog->saved())
            return;
        if (confirmStock(before, m_dialog->quantity(), &newValue))
            break;
    }
    const bool ok = guardedWrite(m_db.DatabaseMain(), 152042, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFUpdatePosiadajacy"));
        m_dialog->bindUpdate(q, m_item);
        RowGone::unlessChanged(q.execSQL());
    });
    refresh(employee);
    if (!ok)
        return;
    if (Config::global().flag(QStringLiteral("atkualizujStanBhp")))
        m_editor.setOnStock(newValue);
}

void BhpHoldings::preview()
{
    if (!m_list->hasRow())
        return;
    m_dialog->reopenLookups();
    m_dialog->fillFromRow(m_list->statement());
    m_dialog->setReadOnly(true);
    m_dialog->exec();
    m_dialog->setReadOnly(false);
}

void BhpHoldings::remove()
{
    if (!m_list->hasRow() || !ConfirmDelete::ask())
        return;
    const QString employee = m_list->text(QStringLiteral("NREW"));
    double newValue = 0;
    if (!confirmStock(m_list->statement().number(QStringLiteral("ILOSC")), 0, &newValue))
        return;
    const bool ok = guardedWrite(m_db.DatabaseMain(), 152045, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFDeletePosiadajacy"));
        q.clearParams();
        q.setLine(1, QString::number(m_item));
        q.setParam(0, employee);
        q.execSQL();
    });
    if (!ok)
        return;
    refresh(QString());
    if (Config::global().flag(QStringLiteral("atkualizujStanBhp")))
        m_editor.setOnStock(newValue);
}

void BhpHoldings::print()
{
    if (!m_list->hasRow())
        return;
    const Statement& row = m_list->statement();
    const QStringList lines = {
        QStringLiteral("Pracownik: ") + row.text(QStringLiteral("PRACOWNIK")) + QStringLiteral(" (") +
            row.text(QStringLiteral("NREW")) + QLatin1Char(')'),
        QStringLiteral("Ilość: ") + Quantity::format(row.number(QStringLiteral("ILOSC"))),
        QStringLiteral("Data od: ") + TmyDataBase::dateText(row.integer(QStringLiteral("DATAOD"))),
        QStringLiteral("Data do: ") + TmyDataBase::dateText(row.integer(QStringLiteral("DATADO"))),
        QStringLiteral("Inne: ") + row.text(QStringLiteral("INNE"))};
    m_editor.printRecord(QStringLiteral("Stan posiadania środka BHP"), lines.join(QChar(13)));
}

void BhpHoldings::toHistory()
{
    if (!m_list->hasRow())
        return;
    const Statement& row = m_list->statement();
    const double ilosc = row.number(QStringLiteral("ILOSC"));
    m_prefill.pending = true;
    m_prefill.nrew = row.text(QStringLiteral("NREW"));
    m_prefill.dataod = row.integer(QStringLiteral("DATAOD"));
    m_prefill.datado = row.integer(QStringLiteral("DATADO"));
    m_prefill.inne = (ilosc > 0 ? QStringLiteral("(ilość: ") + Quantity::format(ilosc) + QStringLiteral(") ")
                                : QString()) +
                     row.text(QStringLiteral("INNE"));
    m_editor.subRecords(TfBhp::Historia)->add();
    m_prefill.pending = false;
}

bool BhpHoldings::prepareHistory(SubRecordDialog* dialog)
{
    auto* history = qobject_cast<TfHistoria*>(dialog);
    if (!m_prefill.pending || !history)
        return false;
    m_prefill.pending = false;
    history->prepareFrom(m_prefill.nrew, m_prefill.dataod, m_prefill.datado, m_prefill.inne);
    return true;
}

void BhpHoldings::showSum()
{
    if (m_item < 0)
        return;
    guarded(1503221218, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFSumaPosiadajacy"));
        q.close();
        q.setLine(2, QString::number(m_item));
        q.open();
        const QString count = QString::number(q.integer(QStringLiteral("ILE")));
        const double sum = q.number(QStringLiteral("SUMA"));
        q.close();
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Łączna ilość posiadanego środka przez ") +
                                                        count + QStringLiteral(" pracowników = ") +
                                                        Quantity::format(sum));
    });
}
