#pragma once

#include "reports/ReportPage.h"

#include <QHash>

class IniFile;

// A protocol page: the document of acceptance, of issue (to an employee or
// a company) or of liquidation of one item, with its editable texts.
class ProtocolPage : public ReportPage
{
    Q_OBJECT

public:
    enum Kind
    {
        Acceptance,
        Issue,
        Liquidation
    };

    ProtocolPage(const Context& context, Kind kind);

    bool run(const QString& button) override;

    // The page's texts in repfields.ini; `noData` (nothing saved yet) gives
    // the default texts.
    void loadTexts(const IniFile& ini, bool noData);
    void saveTexts(IniFile& ini) const;

private:
    bool runProtocol();
    // The receiver of an issue document into `d`; false when none is chosen.
    bool addReceiver(QHash<QString, QString>& d);
    // The item by its typed number into `d`; false when not found.
    bool addItem(QHash<QString, QString>& d);

    Kind m_kind;
};
