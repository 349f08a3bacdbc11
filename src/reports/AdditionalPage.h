#pragma once

#include "reports/ReportPage.h"

// "Raporty dodatkowe": the add-on reports listed in the configuration, and
// the planned deadlines with their filters, as a report or a CSV sheet.
class AdditionalPage : public ReportPage
{
    Q_OBJECT

public:
    explicit AdditionalPage(const Context& context);

    bool run(const QString& button) override;
    // Also the boxes of empty lookups off, and the add-on list read again.
    void viewEntered() override;

private:
    bool runAdditional();
    void offerSelected();
    // The deadline list narrowed by the filters; false when nothing is to run.
    bool prepareDeadlines();
    bool runDeadlines();
    bool runDeadlinesCsv();
};
