#include "editors/TfSelectDir.h"

#include "base/Config.h"
#include "base/Dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

TfSelectDir::TfSelectDir(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfSelectDir"));
    setWindowTitle(QStringLiteral("Wybierz lokalizację załącznikw"));
    resize(460, 480);
    auto* heading = new QLabel(QStringLiteral("Lokalizacja załączników"), this);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);

    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("DriveComboBox1"));
    for (const QFileInfo& drive : QDir::drives())
        m_drives->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()), drive.absoluteFilePath());

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();

    auto* nowy = new QPushButton(QStringLiteral("Nowy folder"), this);
    nowy->setObjectName(QStringLiteral("SBNowyFolder"));
    nowy->setToolTip(QStringLiteral("Stwórz nowy podkatalog  w wybranej lokalizacji"));
    nowy->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("SBOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    cancel->setObjectName(QStringLiteral("SBAnuluj"));
    cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(nowy);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_drives);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);

    connect(m_drives, &QComboBox::activated, this, &TfSelectDir::driveChosen);
    connect(nowy, &QPushButton::clicked, this, &TfSelectDir::SBNowyFolderClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFolder(QDir::homePath());
}

void TfSelectDir::driveChosen(int index)
{
    setFolder(m_drives->itemData(index).toString());
}

void TfSelectDir::setFolder(const QString& folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (path.isEmpty() || !QFileInfo(path).isDir())
        path = m_drives->count() > 0 ? m_drives->itemData(0).toString() : QDir::rootPath();
    const QModelIndex index = m_model->index(path);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    m_tree->expand(index);
    // The drive of the folder.
    for (int i = 0; i < m_drives->count(); ++i)
        if (path.startsWith(m_drives->itemData(i).toString(), Qt::CaseInsensitive))
            m_drives->setCurrentIndex(i);
}

QString TfSelectDir::folder() const
{
    const QString path = m_model->filePath(m_tree->currentIndex());
    return Config::withoutTrailingSeparator(QDir::toNativeSeparators(path));
}

void TfSelectDir::SBNowyFolderClick()
{
    QString name;
    if (!Dialogs::prompt(QStringLiteral("Wprowadź nazwę podkatalogu"), QStringLiteral("Nazwa podkatalogu"),
                         name))
        return;
    name = name.trimmed();
    // Only a plain name makes a subfolder here; anything else is ignored like a failure.
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return;
    const QString parent = QDir::fromNativeSeparators(folder());
    QDir dir(parent);
    if (!dir.mkdir(name) && !dir.exists(name))
        return;
    setFolder(dir.filePath(name));
}
