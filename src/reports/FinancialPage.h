#pragma once

#include "reports/ReportPage.h"

class QCheckBox;
class QLineEdit;

// "Finansowe": the purchase costs of computers, equipment and licences, the
// costs of repairs, and the register of current equipment with its amount
// limits.
class FinancialPage : public ReportPage
{
    Q_OBJECT

public:
    explicit FinancialPage(const Context& context);

    bool run(const QString& button) override;
    // Also the amounts "0" with their boxes unticked.
    void reset() override;
    // "Netto" or "Brutto" as the initial value holds for every report shown.
    void addChoices(TDMRaporty::Choices& choices) const override;

private:
    // A box and its amount field, on a row of their own in `parent`'s grid; typing ticks the box.
    QCheckBox* addAmount(QWidget* parent, const QString& box, const QString& caption, const QString& field,
                         QLineEdit** edit);
    bool runCosts(const QString& button);
    bool runRegister();

    QCheckBox* m_above = nullptr;
    QCheckBox* m_below = nullptr;
    QLineEdit* m_aboveValue = nullptr;
    QLineEdit* m_belowValue = nullptr;
};
