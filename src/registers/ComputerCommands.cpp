#include "registers/ComputerCommands.h"

#include "editors/TfKomputery.h"
#include "store/TmyDataBase.h"

namespace {
const QString kDuplicate = QStringLiteral("Istnieje już komputer o podanym numerze ewidencyjnym.");
} // namespace

ComputerCommands::ComputerCommands(CommandContext& context, TfKomputery& editor)
    : AssetCommands(context, QStringLiteral("komputery"), QStringLiteral("DBFKomputery"),
                    {QStringLiteral("K"), QStringLiteral("komputery"), QStringLiteral("IDKOMPUTERA"), kDuplicate,
                     kDuplicate, 4, 10, 4004}),
      m_editor(editor)
{
}

AssetEditor& ComputerCommands::editor()
{
    return m_editor;
}

void ComputerCommands::insert()
{
    Statement& q = db().statement(QStringLiteral("DBFInsertKomputery"));
    q.clearParams();
    q.setLine(5, lookupLine("IDFIRMY", -1));
    q.setLine(7, lookupLine("STANTECH", 0));
    q.setLine(9, dateLine("DATAPROD"));
    q.setLine(11, dateLine("DATAZAKUPU"));
    q.setLine(13, amountLine(QStringLiteral("NETTO")));
    q.setLine(15, amountLine(QStringLiteral("VAT")));
    q.setLine(17, amountLine(QStringLiteral("BRUTTO")));
    q.setLine(19, lookupLine("KLASYFIKATOR", 0));
    q.setLine(21, lookupLine("LOKALIZACJA", 0));
    bindTexts(q);
    q.execSQL();
}

void ComputerCommands::update(qint64 key)
{
    Statement& q = db().statement(QStringLiteral("DBFUpdateKomputery"));
    q.clearParams();
    bindTexts(q);
    q.setLine(9, lookupLine("IDFIRMY", -1));
    q.setLine(11, lookupLine("STANTECH", 0));
    q.setLine(13, dateLine("DATAPROD"));
    q.setLine(15, dateLine("DATAZAKUPU"));
    q.setLine(17, amountLine(QStringLiteral("NETTO")));
    q.setLine(19, amountLine(QStringLiteral("VAT")));
    q.setLine(21, amountLine(QStringLiteral("BRUTTO")));
    q.setLine(23, lookupLine("KLASYFIKATOR", 0));
    q.setLine(25, lookupLine("LOKALIZACJA", 0));
    q.setLine(27, QString::number(key));
    q.execSQL();
}
