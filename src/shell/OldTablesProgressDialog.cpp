#include "shell/OldTablesProgressDialog.h"

#include <QCoreApplication>

OldTablesProgressDialog::OldTablesProgressDialog(QWidget* parent) : QProgressDialog(parent)
{
    setObjectName(QStringLiteral("OldTablesProgressDialog"));
    setWindowTitle(QStringLiteral("Przenoszenie danych"));
    setLabelText(QStringLiteral("Sprawdzanie tabel poprzedniej wersji programu..."));
    setCancelButtonText(QStringLiteral("&Przerwij"));
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(0);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumWidth(420);
}

bool OldTablesProgressDialog::tableStarted(const QString& file, int number, int count, qint64 rows)
{
    m_file = file;
    m_number = number;
    m_count = count;
    m_rows = rows;
    // The bar counts rows; a table without rows still shows as done.
    setMaximum(int(qMax<qint64>(rows, 1)));
    showRows(0);
    return !wasCanceled();
}

bool OldTablesProgressDialog::rowsDone(qint64 rows)
{
    showRows(rows);
    return !wasCanceled();
}

void OldTablesProgressDialog::showRows(qint64 done)
{
    setLabelText(QStringLiteral("Tabela %1 (%2 z %3)\nwiersz %4 z %5")
                     .arg(m_file)
                     .arg(m_number)
                     .arg(m_count)
                     .arg(done)
                     .arg(m_rows));
    setValue(int(qMin<qint64>(done, maximum())));
    // A modal progress dialog takes its events in setValue() only while the value changes.
    QCoreApplication::processEvents();
}
