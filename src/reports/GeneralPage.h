#pragma once

#include "reports/ReportPage.h"

class QCheckBox;

// "Ogólne": the lists of computers, equipment and software, repairs,
// planned events, free licences, documents, usage history, orders,
// settlements and employees.
class GeneralPage : public ReportPage
{
    Q_OBJECT

public:
    explicit GeneralPage(const Context& context);

    bool run(const QString& button) override;
    void reset() override;
    // "Pokaż hasła" holds for every report shown.
    void addChoices(TDMRaporty::Choices& choices) const override;

private:
    bool runAssetReport(const QString& button);
    bool runDeadlines();
    bool runFreeLicences();
    bool runDocuments();
    bool runHistory();
    bool runOrders(const QString& list, const QString& seria, const QString& sort, const QString& report,
                   const QString& file);
    bool runEmployees();

    QCheckBox* m_showPasswords = nullptr;
};
