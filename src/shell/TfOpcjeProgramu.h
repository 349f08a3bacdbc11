#pragma once

#include "store/TmyDataBase.h"

#include <QDialog>
#include <QList>

class Config;
class QCheckBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;

// "Opcje programu": the options of this computer (section OPTIONS of the
// configuration file) on four tabs, and the database-wide parameters of the
// automatic backup on the tab "Kopia zapasowa", editable by right 0 only.
class TfOpcjeProgramu : public QDialog
{
    Q_OBJECT

public:
    explicit TfOpcjeProgramu(Config& config, QWidget* parent = nullptr);

    // Sets the backup controls; they are enabled only when `editable`.
    void setBackupParams(const SystemParams& params, bool editable);
    // The five values of the backup tab over `base` (date and slot of the last backup stay).
    SystemParams backupParams(SystemParams base) const;

    // Fills every tab from the options (done by each show).
    void loadOptions();
    void SBZapiszClick();
    void SBWskazKatalogClick();
    void SBPomocClick();

    QTabWidget* tabs() const { return m_tabs; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Option
    {
        QCheckBox* box;
        QString key;
    };

    Config& m_config;
    QTabWidget* m_tabs;
    QList<Option> m_options;
    QLineEdit* m_dataPrzed;
    QLineEdit* m_dataPo;
    QLineEdit* m_folder;
    QSpinBox* m_howOften;
    QSpinBox* m_howManyFolders;
    QCheckBox* m_onlyAdmin;
    QCheckBox* m_askBefore;
    QCheckBox* m_doBackup;
};
