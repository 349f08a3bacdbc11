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
};

// Creates a new encrypted database in `dir` from the empty template and fills
// it with realistic Polish rows (deterministic: the same sizes give the same
// data), in one transaction. Throws DbError.
void makeLargeDatabase(const QString& dir, const QString& password, const LargeDatabaseSize& size = {});
