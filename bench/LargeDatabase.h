#pragma once

#include <QString>

// How many rows of each kind a generated database holds.
struct LargeDatabaseSize
{
    int computers = 100000;
    int equipment = 20000;
    int employees = 20000;
    int companies = 2000;
    int deadlines = 100000;
    int repairs = 20000;
    int documents = 20000;
    int attachments = 10000;
    // The registers the report statements read besides those above; none
    // unless asked for, so the other benchmarks keep their databases.
    int programs = 0;
    int licences = 0; // each for one or two programs, installed on a few computers
    int uses = 0;     // employees using computers and other equipment
    int history = 0;  // usage history rows
    int orders = 0;   // orders and as many settlements
    int bhpItems = 0; // with as many purchases and holdings
    int stock = 0;    // stock parts
};

// Every register filled: `rows` computers, and the others in proportion, for
// checking that every report prints whole at that size.
LargeDatabaseSize everyRegister(int rows);

// Creates a new encrypted database in `dir` from the empty template and fills
// it with realistic Polish rows (deterministic: the same sizes give the same
// data), in one transaction. Throws DbError.
void makeLargeDatabase(const QString& dir, const QString& password, const LargeDatabaseSize& size = {});
