#pragma once

#include "base/ErrorLog.h"
#include "store/DbError.h"
#include "store/RowGone.h"
#include "store/WriteTransaction.h"

#include <exception>

// Thrown by a step that has already reported its failure with its own code:
// the guard then rolls back and answers false without a second report.
struct AlreadyReported : std::exception
{
    const char* what() const noexcept override { return "already reported"; }
};

// Runs `work`; a failure is reported through the error reporter with the
// caller's code and answered with false, so the caller goes on.
template <typename F> bool guarded(qint64 code, F&& work)
{
    try {
        work();
        return true;
    } catch (const AlreadyReported&) {
    } catch (const RowGone& e) {
        // Not a fault of the program: said plainly, without "unexpected error".
        ErrorLog::report(e.message(), false, code);
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, code);
    } catch (const std::exception& e) {
        ErrorLog::report(QString::fromLocal8Bit(e.what()), true, code);
    }
    return false;
}

// Runs `work` inside one write transaction on `connection`: committed when it
// returns, rolled back on the first failure, which is reported with `code`.
template <typename Connection, typename F> bool guardedWrite(Connection& connection, qint64 code, F&& work)
{
    return guarded(code, [&] {
        WriteTransaction transaction(connection);
        work();
        transaction.commit();
    });
}
