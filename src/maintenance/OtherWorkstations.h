#pragma once

#include <QString>

class TmyDataBase;

// Asked before a maintenance operation that the other workstations connected
// to the same database would feel: how many there are and what it does to
// them. Each of these operations is safe for them (a restore makes them move
// to the restored file, a pack makes them wait, an emptying makes their saves
// of emptied records fail plainly, a move leaves their database as it is but
// takes none of their later writes along), so the administrator may go on.
class OtherWorkstations
{
public:
    enum class Operation
    {
        Restore,
        Pack,
        Emptying,
        Move
    };

    // True when no other workstation is connected (or that cannot be told),
    // or the user chose to go on; false: the operation does nothing.
    static bool mayGoOn(TmyDataBase& db, Operation operation);

    // "Z bazą danych pracuje teraz jeszcze 1 inne stanowisko." and the like.
    static QString countText(int others);
    static QString questionText(int others, Operation operation);
};
