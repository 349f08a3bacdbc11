#pragma once

#include "store/ListState.h"

#include <QList>
#include <QString>

#include <utility>

// Keeps the filter state of some lists while a report changes them and puts
// it back when it goes out of scope, also when the report stops half-way
// with an exception.
class SavedListState
{
public:
    SavedListState(ListState& state, const QStringList& lists) : m_state(state)
    {
        for (const QString& list : lists)
            m_saved.append({list, state.entry(list)});
    }
    ~SavedListState()
    {
        for (const auto& [list, entry] : m_saved)
            m_state.setEntry(list, entry);
    }
    SavedListState(const SavedListState&) = delete;
    SavedListState& operator=(const SavedListState&) = delete;

private:
    ListState& m_state;
    QList<std::pair<QString, ListState::Entry>> m_saved;
};
