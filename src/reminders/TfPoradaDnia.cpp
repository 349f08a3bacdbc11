#include "reminders/TfPoradaDnia.h"

#include "base/Config.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfPoradaDnia::TfPoradaDnia(const TipsFile& tips, QWidget* parent)
    : QDialog(parent), m_tips(tips), m_label(new QLabel(this)),
      m_niePokazuj(new QCheckBox(QStringLiteral("Nie pokazuj tego więcej"), this))
{
    setObjectName(QStringLiteral("TfPoradaDnia"));
    setWindowTitle(QStringLiteral("Porada dnia"));
    setModal(true);
    resize(520, 240);
    auto* heading = new QLabel(QStringLiteral("Czy wiesz, że..."), this);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    heading->setFont(big);
    m_label->setObjectName(QStringLiteral("porada"));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setMinimumHeight(110);
    m_niePokazuj->setObjectName(QStringLiteral("niePokazuj"));

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("SBOk"));
    auto* next = new QPushButton(QStringLiteral("&Następna porada >>"), this);
    next->setObjectName(QStringLiteral("SBNastepna"));
    next->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(next, &QPushButton::clicked, this, &TfPoradaDnia::SBNastepnaClick);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_niePokazuj);
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_label, 1);
    layout->addLayout(buttons);
}

QString TfPoradaDnia::noTipsText()
{
    return QStringLiteral("Brak porad: nie znaleziono pliku porady.dat w folderze konfiguracji programu.");
}

void TfPoradaDnia::showTip()
{
    // With a single tip there is nothing to draw from: it is shown as it is.
    if (m_tips.tips().isEmpty())
        m_label->setText(noTipsText());
    else if (m_tips.tips().size() == 1)
        m_label->setText(m_tips.tips().constFirst());
    else
        SBNastepnaClick();
    Config& config = Config::global();
    m_niePokazuj->setChecked(!config.flag(QStringLiteral("pokazujPoradeDnia")));
    exec();
    config.set(QStringLiteral("pokazujPoradeDnia"), !m_niePokazuj->isChecked());
    config.save();
}

void TfPoradaDnia::SBNastepnaClick()
{
    const int tip = m_tips.next(m_last);
    if (tip < 0)
        return;
    m_last = tip;
    m_label->setText(m_tips.tips().at(tip));
}
