#pragma once

#include "reports/ReportPage.h"

// "Wg pracowników": what every employee, or one, uses and answers for.
class EmployeesPage : public ReportPage
{
    Q_OBJECT

public:
    explicit EmployeesPage(const Context& context);

    bool run(const QString& button) override;
    // Also every section ticked.
    void reset() override;
    // An employee can be chosen only when there is one.
    void viewEntered() override;

private:
    bool runByEmployee();
};
