#include "registers/EquipmentCommands.h"

#include "editors/TfSprzet.h"
#include "store/Guarded.h"
#include "store/StatementTexts.h"
#include "store/TmyDataBase.h"

namespace {
// DBFSprzet: the owner slot and the order line.
constexpr int kConditionLine = 11;
constexpr int kOrderLine = 15;
} // namespace

EquipmentCommands::EquipmentCommands(CommandContext& context, std::function<TfBiblioteka*()> dictionaryEditor)
    : AssetCommands(context, QStringLiteral("sprzet"), QStringLiteral("DBFSprzet"),
                    {QStringLiteral("S"), QStringLiteral("sprzet"), QStringLiteral("IDSPRZETU"),
                     QStringLiteral("Istnieje już sprzęt o podanym numerze ewidencyjnym."),
                     QStringLiteral("Istnieje już Sprzęt o podanym numerze ewidencyjnym."), 4404, 4410,
                     4404}),
      m_dictionaryEditor(std::move(dictionaryEditor))
{
}

EquipmentCommands::~EquipmentCommands() = default;

TfSprzet& EquipmentCommands::equipmentEditor()
{
    if (!m_editor) {
        m_editor = new TfSprzet(db(), dialogParent());
        if (m_dictionaryEditor)
            if (TfBiblioteka* editor = m_dictionaryEditor())
                m_editor->setDictionaryEditor(editor);
        AssetEditor::Hooks hooks;
        hooks.printRecord = [this](const QString& title, const QString& text) {
            if (m_printer)
                m_printer(title, text);
        };
        m_editor->setHooks(std::move(hooks));
    }
    return *m_editor;
}

AssetEditor& EquipmentCommands::editor()
{
    return equipmentEditor();
}

void EquipmentCommands::insert()
{
    Statement& q = db().statement(QStringLiteral("DBFInsertSprzet"));
    q.clearParams();
    setAssetLines(q, 5);
    q.setLine(21, lookupLine("IDKOMPUTERA", 0));
    // A new item without a location is stored with -1, a saved one with 0.
    q.setLine(23, lookupLine("LOKALIZACJA", -1));
    bindTexts(q);
    q.execSQL();
}

int EquipmentCommands::update(qint64 key)
{
    Statement& q = db().statement(QStringLiteral("DBFUpdateSprzet"));
    q.clearParams();
    bindTexts(q);
    setAssetLines(q, 9);
    q.setLine(25, lookupLine("IDKOMPUTERA", 0));
    q.setLine(27, lookupLine("LOKALIZACJA", 0));
    q.setLine(29, QString::number(key));
    return q.execSQL();
}

namespace {
// The equipment row with this key, read apart from the register's list so
// that its filters and cursor stay as they are.
bool openItem(Statement& q, qint64 key)
{
    QStringList lines = statementLines(QStringLiteral("DBFSprzet"));
    lines[kConditionLine] = QStringLiteral("AND IDSPRZETU=") + QString::number(key);
    lines[kOrderLine] = QStringLiteral("NREWID");
    q.setLines(lines);
    return guarded(TmyDataBase::reloadCode(QStringLiteral("DBFSprzet")), [&] { q.open(); }) && !q.isEmpty();
}
} // namespace

void EquipmentCommands::previewItem(qint64 key)
{
    Statement q(&db().DatabaseMain(), QStringLiteral("DBFSprzet"), {});
    if (openItem(q, key))
        showPreview(q, false);
}

QString EquipmentCommands::printItem(qint64 key)
{
    Statement q(&db().DatabaseMain(), QStringLiteral("DBFSprzet"), {});
    if (!openItem(q, key))
        return {};
    load(q);
    return equipmentEditor().printText();
}
