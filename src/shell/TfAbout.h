#pragma once

#include <QDialog>

// "O programie": the program's name and version.
class TfAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TfAbout(QWidget* parent = nullptr);
};
