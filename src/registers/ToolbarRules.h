#pragma once

#include "store/TmyDataBase.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

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

    // A menu or popup item and the toolbar button or menu item whose enabled
    // state it always takes: one rule per command, whichever control runs it.
    struct Twin
    {
        const char* item;
        const char* twin;
    };
    static const std::vector<Twin>& twins();
    // Gives every item its twin's state, and off where `runs` says the item's
    // own command is not there.
    static void followTwins(TfMainUi& ui, const std::function<bool(const char* item)>& runs);

    // Menu items whose windows are not built yet: kept disabled whatever the
    // rights say. A feature that is built takes its item off this list.
    static const QStringList& notBuiltYet();
};
