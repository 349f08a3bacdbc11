#pragma once

#include <QtGlobal>

// One value of a result row as a statement keeps it: numbers in place, text
// and blobs as a span of the statement's byte arena.
namespace ResultCells {
enum class Kind : quint8
{
    Null,
    Integer,
    Real,
    Text,
    Blob
};
struct Cell
{
    union {
        qint64 i;
        double d;
        quint64 offset;
    };
    quint32 length;
    Kind kind;
};
} // namespace ResultCells
