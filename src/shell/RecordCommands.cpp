#include "shell/RecordCommands.h"

#include "bhp/BhpCommands.h"
#include "bhp/MagazynCommands.h"
#include "bhp/ZakupBhpCommands.h"
#include "editors/TfKomputery.h"
#include "editors/TfZlecenia.h"
#include "registers/AdditionalCommands.h"
#include "registers/CompanyCommands.h"
#include "registers/ComputerCommands.h"
#include "registers/EmployeeCommands.h"
#include "registers/EquipmentCommands.h"
#include "registers/LicenceCommands.h"
#include "registers/OrderCommands.h"
#include "registers/ProgramCommands.h"
#include "registers/SettlementCommands.h"

namespace {
// Edit and preview of a deadline, repair, document, history or attachment
// row; adding them is the asset editors' work.
class AdditionalRegister : public RegisterCommands
{
public:
    AdditionalRegister(CommandContext& context, AdditionalCommands& commands, const QString& registerName)
        : RegisterCommands(context, registerName, QString()), m_commands(commands)
    {
    }
    bool canEdit() const override { return true; }
    void edit() override { m_commands.edit(registerName()); }
    void preview() override { m_commands.preview(registerName()); }

private:
    AdditionalCommands& m_commands;
};
} // namespace

RecordCommands::RecordCommands(TmyDataBase& db, TfKomputery& computers, QObject* parent)
    : QObject(parent),
      m_computers(computers), m_context{db, computers.parentWidget(), false, false, {}, {}, {}},
      m_additional(new AdditionalCommands(db, computers.parentWidget(), this))
{
    m_context.run = [this](const QString& registerName, const QString& command) {
        if (command == QLatin1String("add"))
            return add(registerName);
        if (command == QLatin1String("edit"))
            return edit(registerName);
        if (command == QLatin1String("preview"))
            return preview(registerName);
        return false;
    };
    m_additional->setOwnerPreview([this](const QString& registerName) { return preview(registerName); });
    connect(m_additional, &AdditionalCommands::listReloaded, this, &RecordCommands::listReloaded);

    registerCommands(std::make_unique<ComputerCommands>(m_context, computers));
    registerCommands(std::make_unique<EmployeeCommands>(m_context));
    registerCommands(std::make_unique<CompanyCommands>(m_context));
    registerCommands(std::make_unique<MagazynCommands>(m_context));
    // BHP items and purchases turn into each other.
    auto bhpItems = std::make_unique<BhpCommands>(m_context);
    auto bhpPurchases = std::make_unique<ZakupBhpCommands>(m_context);
    BhpCommands* bhp = bhpItems.get();
    ZakupBhpCommands* purchases = bhpPurchases.get();
    bhp->setPurchases(
        {purchases->registerName(), [purchases](const BhpItemData& d) { purchases->addFromItem(d); }});
    purchases->setItems({bhp->registerName(), [bhp](const BhpItemData& d) { bhp->addFromPurchase(d); }});
    registerCommands(std::move(bhpItems));
    registerCommands(std::move(bhpPurchases));
    registerCommands(std::make_unique<ProgramCommands>(m_context));
    registerCommands(std::make_unique<LicenceCommands>(m_context));
    const auto dictionary = [&computers] { return computers.dictionaryEditor(); };
    auto equipment = std::make_unique<EquipmentCommands>(m_context, dictionary);
    EquipmentCommands* items = equipment.get();
    registerCommands(std::move(equipment));
    auto orders = std::make_unique<OrderCommands>(m_context, dictionary);
    OrderCommands* orderCommands = orders.get();
    registerCommands(std::move(orders));
    registerCommands(std::make_unique<SettlementCommands>(
        m_context, dictionary,
        [orderCommands]() -> const WorkEntryDialog* { return &orderCommands->dialog(); }));
    // The computer editor's "Sprzęt" tab shows and prints its items through the equipment commands.
    TfKomputery::Hooks hooks = computers.hooks();
    hooks.previewEquipment = [items](qint64 key) { items->previewItem(key); };
    hooks.printEquipment = [items, &computers](qint64 key) {
        const QString text = items->printItem(key);
        if (!text.isEmpty() && computers.hooks().printRecord)
            computers.hooks().printRecord(QStringLiteral("Sprzęt"), text);
    };
    computers.setHooks(hooks);
    items->setPrinter([&computers](const QString& title, const QString& text) {
        if (computers.hooks().printRecord)
            computers.hooks().printRecord(title, text);
    });
    for (const char* name : {"DodatkoweTerminarz", "DodatkoweNaprawy", "dodatkoweDokumenty",
                             "DodatkoweHistoria", "DodatkoweZalaczniki"})
        registerCommands(std::make_unique<AdditionalRegister>(m_context, *m_additional, QLatin1String(name)));
}

RecordCommands::~RecordCommands() = default;

void RecordCommands::registerCommands(std::unique_ptr<RegisterCommands> commands)
{
    connect(commands.get(), &RegisterCommands::listReloaded, this, &RecordCommands::listReloaded);
    const QString name = commands->registerName();
    m_registers[name] = std::move(commands);
}

RegisterCommands* RecordCommands::commandsOf(const QString& registerName) const
{
    const auto it = m_registers.find(registerName);
    return it == m_registers.end() ? nullptr : it->second.get();
}

bool RecordCommands::hasEditor(const QString& registerName) const
{
    const RegisterCommands* r = commandsOf(registerName);
    return r && r->canEdit();
}

bool RecordCommands::canAdd(const QString& registerName) const
{
    const RegisterCommands* r = commandsOf(registerName);
    return r && r->canAdd();
}

bool RecordCommands::add(const QString& registerName)
{
    RegisterCommands* r = commandsOf(registerName);
    if (!r || !r->canAdd()) {
        m_context.copy = false;
        return false;
    }
    r->add(); // takes the copy flag
    m_context.copy = false;
    return true;
}

bool RecordCommands::copy(const QString& registerName)
{
    RegisterCommands* r = commandsOf(registerName);
    if (!r || !r->canAdd() || !r->hasRow())
        return false;
    m_context.copy = true;
    return add(registerName);
}

bool RecordCommands::edit(const QString& registerName)
{
    RegisterCommands* r = commandsOf(registerName);
    if (!r || !r->canEdit())
        return false;
    // Among liquidated records "Edytuj" corrects the liquidation's date and reason.
    if (r->canLiquidate() && r->showsLiquidated())
        r->liquidate();
    else
        r->edit();
    return true;
}

bool RecordCommands::preview(const QString& registerName)
{
    RegisterCommands* r = commandsOf(registerName);
    if (!r || !r->canPreview())
        return false;
    r->preview();
    return true;
}

bool RecordCommands::remove(const QString& registerName)
{
    RegisterCommands* r = commandsOf(registerName);
    if (!r || !r->canRemove())
        return false;
    r->remove();
    return true;
}

bool RecordCommands::liquidate(const QString& registerName)
{
    RegisterCommands* r = commandsOf(registerName);
    if (!r || !r->canLiquidate())
        return false;
    r->liquidate();
    return true;
}
