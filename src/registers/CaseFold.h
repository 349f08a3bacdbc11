#pragma once

#include <QString>
#include <QStringView>

// Full Unicode case folding (the mappings of status C and F), so that a
// search typed in lower case finds "ŁÓDŹ" as well as "Straße" by "STRASSE".
namespace CaseFold {
QString fold(QStringView text);
// The folding of `text` appended to `out`, whose storage is reused.
void foldAppend(QStringView text, QString& out);
// True when `needle` (already folded) occurs in the folded `haystack`.
bool containsFolded(QStringView haystack, QStringView foldedNeedle);
} // namespace CaseFold
