#pragma once

#include "store/TmyDataBase.h"

#include <QString>
#include <QStringList>

class TfMainUi;

// Which navigation and record commands of the main window are available: by
// the user's rights, and by the register shown with its read and write state.
class ToolbarRules
{
public:
    // Navigation buttons and menu items by the rights (applied after login).
    static void applyRights(TfMainUi& ui, const Rights& rights);
    // The record commands, the filter bar's parts and the popup items for the
    // page shown ("komputery", "Dodatkowe/DodatkoweNaprawy", ...).
    static void applyState(TfMainUi& ui, const QString& page, bool read, bool write);

    // Menu items whose windows are not built yet: kept disabled whatever the
    // rights say. A feature that is built takes its item off this list.
    static const QStringList& notBuiltYet();
};
