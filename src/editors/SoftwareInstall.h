#pragma once

#include <QObject>

class QWidget;
class SubList;
class TfDodajOprogramowanie;
class TmyDataBase;

// "Oprogramowanie" / "Dodaj" of the computer editor: the user picks a
// licence-program link until one fits this computer (not installed here yet,
// a free seat or an unlimited licence); then it is installed.
class SoftwareInstall : public QObject
{
    Q_OBJECT

public:
    // `installed`: the computer's list of installed licences.
    SoftwareInstall(TmyDataBase& db, SubList* installed, QWidget* dialogParent);

    // True when the installation was written.
    bool run(qint64 computer);
    // Made on first use.
    TfDodajOprogramowanie* dialog();

private:
    bool locate(qint64 program, qint64 licence, qint64 computer);

    TmyDataBase& m_db;
    SubList* m_installed;
    QWidget* m_dialogParent;
    TfDodajOprogramowanie* m_dialog = nullptr;
};
