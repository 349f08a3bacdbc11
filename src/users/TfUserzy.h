#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QTableWidget;
class QTabWidget;
class TfUserEdit;
class TmyDataBase;

// Accounts of program users and their rights. Changes to rights are stored
// at once; they take effect for the logged-in user when the window closes.
class TfUserzy : public QDialog
{
    Q_OBJECT

public:
    TfUserzy(TmyDataBase& db, TfUserEdit& editor, QWidget* parent = nullptr);

    void setCurrentUser(const QString& user) { m_currentUser = user; }
    // The show steps: empties the rights page and loads the list.
    void prepare();

    void SBDodajClick();
    void SBEdytujClick();
    void SBUsunClick();

    // Rights 0 to 31 have a box ("cb0" ...); the others are flags without meaning.
    static constexpr int kRightBoxes = 32;
    QCheckBox* box(int right) const { return m_boxes[size_t(right)]; }
    QTableWidget* list() const { return m_list; }

private:
    void loadList();
    QString currentName() const;
    void loadBoxes(const QString& name);
    void boxClicked(int right, bool ticked);
    void pageChanged(int index);

    TmyDataBase& m_db;
    TfUserEdit& m_editor;
    QString m_currentUser;
    bool m_settingBoxes = false;

    QTabWidget* m_pages;
    QTableWidget* m_list;
    QComboBox* m_userId;
    std::array<QCheckBox*, kRightBoxes> m_boxes{};
};
