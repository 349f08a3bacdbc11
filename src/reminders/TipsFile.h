#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The tips of "porady.dat": one a line, at most 300.
class TipsFile
{
public:
    static constexpr int kMaxTips = 300;

    // A missing or unreadable file gives no tips; empty lines are skipped.
    void load(const QString& fileName);
    void setTips(const QStringList& tips) { m_tips = tips.mid(0, kMaxTips); }
    const QStringList& tips() const { return m_tips; }

    // A random tip other than the one shown last; with fewer than two tips
    // nothing changes and the answer is -1.
    int next(int last, const std::function<int(int)>& random = {}) const;

    // The tips file of the configuration folder; when it is missing there,
    // the one installed beside the program is copied in first.
    static QString installedPath();

private:
    QStringList m_tips;
};
