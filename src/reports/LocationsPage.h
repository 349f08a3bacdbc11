#pragma once

#include "reports/ReportPage.h"

// "Wg lokalizacji": the equipment of every location, or of one.
class LocationsPage : public ReportPage
{
    Q_OBJECT

public:
    explicit LocationsPage(const Context& context);

    bool run(const QString& button) override;
    // Also both sections ticked.
    void reset() override;
    // A location can be chosen only when there is one.
    void viewEntered() override;

private:
    bool runLocations();
};
