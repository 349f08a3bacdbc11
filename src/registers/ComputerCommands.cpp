#include "registers/ComputerCommands.h"

#include "editors/TfKomputery.h"
#include "store/TmyDataBase.h"

namespace {
const QString kDuplicate = QStringLiteral("Istnieje już komputer o podanym numerze ewidencyjnym.");
} // namespace

ComputerCommands::ComputerCommands(CommandContext& context, TfKomputery& editor)
    : AssetCommands(context, QStringLiteral("komputery"), QStringLiteral("DBFKomputery"),
                    {QStringLiteral("K"), QStringLiteral("komputery"), QStringLiteral("IDKOMPUTERA"),
                     kDuplicate, kDuplicate, 4, 10, 4004}),
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
    setAssetLines(q, 5);
    q.setLine(21, lookupLine("LOKALIZACJA", 0));
    bindTexts(q);
    q.execSQL();
}

int ComputerCommands::update(qint64 key)
{
    Statement& q = db().statement(QStringLiteral("DBFUpdateKomputery"));
    q.clearParams();
    bindTexts(q);
    setAssetLines(q, 9);
    q.setLine(25, lookupLine("LOKALIZACJA", 0));
    q.setLine(27, QString::number(key));
    return q.execSQL();
}
