#include "reminders/TfShowNotatka.h"

#include "base/Config.h"
#include "base/Dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfShowNotatka::TfShowNotatka(QWidget* parent) : QDialog(parent), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TfShowNotatka"));
    setWindowTitle(QStringLiteral("Notatka"));
    setModal(true);
    resize(460, 260);
    auto* heading = new QLabel(QStringLiteral("Znaleziono notatkę na dziś"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    m_text->setObjectName(QStringLiteral("notatka"));
    m_text->setReadOnly(true);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("SBOk"));
    auto* remove = new QPushButton(QStringLiteral("Usuń"), this);
    remove->setObjectName(QStringLiteral("SBUsun"));
    remove->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(remove, &QPushButton::clicked, this, &TfShowNotatka::SBUsunClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
}

bool TfShowNotatka::showNote(const QString& text)
{
    m_delete = false;
    m_text->setPlainText(text);
    exec();
    return m_delete;
}

void TfShowNotatka::SBUsunClick()
{
    if (Config::global().flag(QStringLiteral("pytajPrzedKasowaniem")) &&
        !Dialogs::question(QStringLiteral("Pytanie"), QStringLiteral("Czy usunąć notatkę?")))
        return;
    m_delete = true;
    accept();
}
