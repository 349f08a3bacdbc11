#include "shell/ListOrderProgressDialog.h"

#include <QCoreApplication>

#include <algorithm>

ListOrderProgressDialog::ListOrderProgressDialog(QWidget* parent) : QProgressDialog(parent)
{
    setObjectName(QStringLiteral("ListOrderProgressDialog"));
    setWindowTitle(QStringLiteral("Aktualizacja bazy danych"));
    setLabelText(QStringLiteral("Przygotowywanie porządku list…"));
    setCancelButton(nullptr);
    setWindowModality(Qt::ApplicationModal);
    // A few rows finish before the dialog would be worth showing.
    setMinimumDuration(300);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumWidth(420);
}

void ListOrderProgressDialog::rowsDone(qint64 done, qint64 total)
{
    setMaximum(int(std::max<qint64>(total, 1)));
    setLabelText(QStringLiteral("Przygotowywanie porządku list…\nwiersz %1 z %2").arg(done).arg(total));
    setValue(int(std::min<qint64>(done, maximum())));
    // A modal progress dialog takes its events in setValue() only while the value changes.
    QCoreApplication::processEvents();
}
