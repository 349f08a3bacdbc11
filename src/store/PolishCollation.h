#pragma once

#include <QString>

#include <string>

struct sqlite3;

// Polish alphabetical order: a ą b c ć d e ę f g h i j k l ł m n ń o ó p q r s
// ś t u v w x y z ź ż; letters compare without regard to case first, then
// lower case before upper case, then by code point.
namespace PolishCollation {
int compare(const QString& a, const QString& b);
// Compares two UTF-8 byte strings (the form SQLite hands over).
int compareUtf8(const char* a, int lenA, const char* b, int lenB);
// Bytes whose plain byte order is the order of compareUtf8 (for sorting many
// texts: each is decoded once instead of at every comparison).
std::string sortKey(const char* text, int length);
// The same key appended to `key` (many keys in one buffer).
void appendSortKey(std::string& key, const char* text, int length);
// Registers the collation "PL" on a connection.
bool registerOn(sqlite3* db);
// The collation clause added to ORDER BY terms that may sort text.
inline QString clause()
{
    return QStringLiteral(" COLLATE PL");
}
} // namespace PolishCollation
