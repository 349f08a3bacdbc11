#pragma once

#include <QString>

class ListModel;
class TfMain;

// "do CSV": the list shown, as its grid displays it, into a CSV file the
// user names. Long lists show a progress dialog that can cancel the export.
class ListCsvExport
{
public:
    explicit ListCsvExport(TfMain& main) : m_main(main) {}

    void SBCsvClick();

    // The name proposed for the register shown ("komputery.csv").
    static QString proposedName(const QString& page);
    // Writes the list to the file; false on failure or cancel.
    bool exportList(const ListModel& model, const QString& fileName, bool* cancelled = nullptr);
    // Lists longer than this show the progress dialog.
    static constexpr int kProgressRows = 2000;
    // How often the progress is shown, in milliseconds.
    static constexpr int kProgressMs = 100;

private:
    TfMain& m_main;
};
