#pragma once

#include "store/OldTablesImport.h"

#include <QProgressDialog>

// The progress of bringing the previous version's tables over: the table
// being read and its rows. "Przerwij" stops the work, and nothing is written.
class OldTablesProgressDialog : public QProgressDialog, public OldTablesImport::Progress
{
    Q_OBJECT

public:
    explicit OldTablesProgressDialog(QWidget* parent = nullptr);

    bool tableStarted(const QString& file, int number, int count, qint64 rows) override;
    bool rowsDone(qint64 rows) override;

private:
    void showRows(qint64 done);

    QString m_file;
    int m_number = 0;
    int m_count = 0;
    qint64 m_rows = 0;
};
