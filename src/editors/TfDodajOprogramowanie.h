#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class SubList;
class TmyDataBase;

// "Dodaj oprogramowanie": the choice of a licence-program link to install on
// a computer, with the free seats of the chosen link shown below the list.
class TfDodajOprogramowanie : public QDialog
{
    Q_OBJECT

public:
    explicit TfDodajOprogramowanie(TmyDataBase& db, QWidget* parent = nullptr);

    // Every active link, all other filters cleared.
    bool reload();
    bool accepted() const { return m_ok; }
    SubList* list() const { return m_list; }
    // The chosen link; -1 when the list is empty.
    qint64 program() const;
    qint64 licence() const;
    // Puts the cursor on a link.
    void choose(qint64 program, qint64 licence);
    QString freeSeatsText() const;

    void SBDodajClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showFreeSeats();

    TmyDataBase& m_db;
    SubList* m_list;
    QLabel* m_free;
    QPushButton* m_dodaj;
    bool m_ok = false;
};
