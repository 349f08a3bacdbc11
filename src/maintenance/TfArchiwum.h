#pragma once

#include <QDialog>

class CalendarPicker;
class DateField;
class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;
class TmyDataBase;

// "Archiwizacja danych": archives of the database in any folder, their
// description, deletion and the restore from them.
class TfArchiwum : public QDialog
{
    Q_OBJECT

public:
    explicit TfArchiwum(TmyDataBase& db, QWidget* parent = nullptr);

    // The folder chosen in the tree.
    QString selectedFolder() const { return m_folder; }
    void setSelectedFolder(const QString& folder);

    void stworzClick();
    void zapiszClick();
    void usunClick();
    void odtworzClick();
    void nowyPodkatalogClick();

signals:
    // The live database was replaced by an archive and reopened.
    void databaseRestored();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refreshFound();
    // An existing folder is chosen in the tree (none when the dialog opens).
    bool folderChosen() const;
    void driveChosen(int index);

    TmyDataBase& m_db;
    QString m_folder;
    QComboBox* m_drive;
    QTreeView* m_tree;
    QFileSystemModel* m_model;
    QLineEdit* m_oNazwa;
    DateField* m_oData;
    CalendarPicker* m_oCalendar;
    QPushButton* m_zapisz;
    QPushButton* m_usun;
    QPushButton* m_odtworz;
    QLineEdit* m_nNazwa;
    DateField* m_nData;
    CalendarPicker* m_nCalendar;
};
