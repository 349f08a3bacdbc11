#pragma once

#include "reports/ReportPage.h"

// "BHP i inne": BHP history, items, holdings, needs and purchases, stock
// levels and the attachments of every object.
class BhpPage : public ReportPage
{
    Q_OBJECT

public:
    explicit BhpPage(const Context& context);

    bool run(const QString& button) override;

private:
    // A "Dla prac.:" box with its employee lookup in the current row.
    void addEmployeeFilter(QGridLayout* grid, const QString& box, const QString& lookup);
    // The ticked box without a chosen employee is refused.
    bool employeeMissing(const QString& box, const QString& lookup);
    bool runBhpHistory();
    bool runBhpNeeds();
    bool runHoldings();
    bool runBhpPurchases();
    bool runAttachments();
};
