#pragma once

#include "reminders/TipsFile.h"
#include "store/TmyDataBase.h"

#include <QObject>

class TfHurtowaDeaktywacja;
class TfMain;
class TfNotatki;
class TfPoradaDnia;
class TfShowNotatka;
class TfSprawdzenieDat;

// The reminders around the main window: the deadline check, bulk
// deactivation, the notes and the tip of the day, with their menu items,
// the popup item and the steps after login.
class Reminders : public QObject
{
    Q_OBJECT

public:
    // `notes`: the notepad loaded after login, kept by the start-up.
    Reminders(TfMain& main, TmyDataBase& db, std::array<NoteSlot, 30>& notes);

    // Steps after login.
    void tipAfterLogin();
    void deadlineCheckAfterLogin();
    void showDueNote(int slot);
    // Logout: the deadline window is hidden.
    void hideToolWindows();

    // Menu and popup commands.
    void Notatnik1Click();
    void sprawdzajTermin1Click();
    void menuHurtowaDeaktywacjaClick();
    void subMenuHurtowadeaktywacjaClick();
    void Poradadnia1Click();

    TfSprawdzenieDat& deadlineWindow() const { return *m_sprawdzenie; }
    TfHurtowaDeaktywacja& bulkWindow() const { return *m_hurtowa; }
    TfNotatki& notesWindow() const { return *m_notatki; }
    TfShowNotatka& dueNoteWindow() const { return *m_showNotatka; }
    TfPoradaDnia& tipWindow() const { return *m_porada; }
    TipsFile& tips() { return m_tips; }

private:
    TfMain& m_main;
    TmyDataBase& m_db;
    std::array<NoteSlot, 30>& m_notes;
    TipsFile m_tips;
    TfSprawdzenieDat* m_sprawdzenie;
    TfHurtowaDeaktywacja* m_hurtowa;
    TfNotatki* m_notatki;
    TfShowNotatka* m_showNotatka;
    TfPoradaDnia* m_porada;
};
