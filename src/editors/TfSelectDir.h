#pragma once

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QTreeView;

// Chooses the attachments folder: a drive (file system root) and a folder
// tree, with "Nowy folder" making a subfolder of the selected one.
class TfSelectDir : public QDialog
{
    Q_OBJECT

public:
    explicit TfSelectDir(QWidget* parent = nullptr);

    // Selects a folder (the first root when it does not exist).
    void setFolder(const QString& folder);
    // The selected folder, without trailing separator.
    QString folder() const;

    void SBNowyFolderClick();

private:
    void driveChosen(int index);

    QComboBox* m_drives;
    QTreeView* m_tree;
    QFileSystemModel* m_model;
};
