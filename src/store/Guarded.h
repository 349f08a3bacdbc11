#pragma once

#include "shell/ErrorLog.h"
#include "store/DbError.h"

#include <exception>

// Runs `work`; a failure is reported through the error reporter with the
// caller's code and answered with false, so the caller goes on.
template <typename F> bool guarded(qint64 code, F&& work)
{
    try {
        work();
        return true;
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, code);
    } catch (const std::exception& e) {
        ErrorLog::report(QString::fromLocal8Bit(e.what()), true, code);
    }
    return false;
}
