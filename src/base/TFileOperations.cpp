#include "base/TFileOperations.h"

#include "base/TFileOperation.h"

#include <cerrno>

void TFileOperations::clear()
{
    m_sources.clear();
    m_destinations.clear();
}

int TFileOperations::execute()
{
    if (m_sources.isEmpty())
        return 0;
    if (!m_operation)
        return EINVAL;
    for (qsizetype i = 0; i < m_sources.size(); ++i) {
        m_operation->setSource(m_sources[i]);
        if (i < m_destinations.size())
            m_operation->setDestination(m_destinations[i]);
        if (const int rc = m_operation->execute(); rc != 0)
            return rc;
    }
    return 0;
}
