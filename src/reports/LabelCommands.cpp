#include "reports/LabelCommands.h"

#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "renderer/ReportPreview.h"
#include "store/AppState.h"
#include "store/Guarded.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/ListModel.h"

LabelCommands::LabelCommands(TfMain& main, TmyDataBase& db, QObject* parent)
    : QObject(parent), m_main(main), m_db(db), m_dialog(new TfEtykiety(&main))
{
    m_dialog->setCheck([this](const TfEtykiety::Choice& choice) { return check(choice); });
    m_viewer = [this](std::unique_ptr<LabelSheet> sheet) {
        ReportPreview preview(std::move(sheet), &m_main);
        preview.setWindowModality(Qt::ApplicationModal);
        preview.exec();
    };
    m_main.setRecordCommand(
        TfMain::Command::Labels, [this] { MDrukujEtykietyClick(); },
        [this](const QString& registerName) { return available(registerName); });
}

QString LabelCommands::listOf(const QString& registerName, int* readRight)
{
    struct Entry
    {
        const char* page;
        const char* list;
        int right;
    };
    static const Entry registers[] = {
        {"komputery", "DBFKomputery", 1}, {"sprzet", "DBFSprzet", 5}, {"odziezSrodki", "DBFBhp", 24}};
    for (const Entry& e : registers)
        if (registerName == QLatin1String(e.page)) {
            if (readRight)
                *readRight = e.right;
            return QLatin1String(e.list);
        }
    if (readRight)
        *readRight = -1;
    return {};
}

bool LabelCommands::available(const QString& registerName) const
{
    int right = -1;
    const QString list = listOf(registerName, &right);
    if (list.isEmpty() || !AppState::instance().has(right))
        return false;
    const ListModel* model = m_main.listModel(list);
    return model && model->rowCount() > 0;
}

void LabelCommands::MDrukujEtykietyClick()
{
    m_list = listOf(m_main.currentPageName().section(QLatin1Char('/'), -1));
    if (m_list.isEmpty())
        return;
    const Statement& rows = m_db.statement(m_list);
    if (!rows.isOpen() || rows.isEmpty())
        return;
    m_sheet.reset();
    m_dialog->prepare(rows.shownCount());
    if (m_dialog->exec() == QDialog::Accepted && m_sheet)
        m_viewer(std::move(m_sheet));
}

bool LabelCommands::check(const TfEtykiety::Choice& choice)
{
    QList<LabelRow> rows = rowsOf(m_db, m_list, choice.all);
    if (rows.isEmpty()) {
        // The cursor stands after the last row (a search that found nothing).
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Zaznacz pozycję na liście albo wybierz „Wszystkie pozycje listy”."));
        return false;
    }
    const QString refused = LabelSheet::refusal(rows, choice.symbology);
    if (!refused.isEmpty()) {
        Dialogs::info(QStringLiteral("Uwaga"), refused);
        return false;
    }
    m_sheet = std::make_unique<LabelSheet>(std::move(rows), ownCompany(m_db), LabelLayout::of(choice.layout),
                                           choice.symbology, choice.firstPlace);
    return true;
}

QList<LabelRow> LabelCommands::rowsOf(TmyDataBase& db, const QString& list, bool all)
{
    QList<LabelRow> out;
    guarded(81150, [&] {
        Statement& q = db.statement(list);
        if (!q.isOpen())
            return;
        const int number = q.fieldIndex(QStringLiteral("NREWID"));
        const int name = q.fieldIndex(QStringLiteral("NAZWA"));
        if (number < 0 || name < 0)
            return;
        if (!all) {
            if (!q.eof())
                out.append({q.textAt(q.recNo(), number), q.textAt(q.recNo(), name)});
            return;
        }
        // Every row of the list as filtered and ordered, the ones not read yet too.
        const int count = q.recordCount();
        out.reserve(count);
        for (int row = 0; row < count; ++row)
            out.append({q.textAt(row, number), q.textAt(row, name)});
    });
    return out;
}

QString LabelCommands::ownCompany(TmyDataBase& db)
{
    QString name;
    guarded(81151, [&] {
        Statement q(&db.DatabaseMain());
        q.setLines({QStringLiteral("SELECT NAZWA FROM firmy WHERE IDFIRMY = 1")});
        q.open();
        if (!q.eof())
            name = q.text(QStringLiteral("NAZWA"));
        q.close();
    });
    return name;
}
