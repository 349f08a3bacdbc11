#pragma once

#include <QProgressDialog>

// The progress of giving every row of the large lists its sort key, the first
// time this version opens an older file: it reads and writes every row once,
// which takes a while at hundreds of thousands of rows. It cannot be stopped:
// the login waits for it, as for the other upgrades.
class ListOrderProgressDialog : public QProgressDialog
{
    Q_OBJECT

public:
    explicit ListOrderProgressDialog(QWidget* parent = nullptr);

    void rowsDone(qint64 done, qint64 total);
};
