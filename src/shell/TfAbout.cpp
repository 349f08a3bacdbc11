#include "shell/TfAbout.h"

#include "store/AppState.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfAbout::TfAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfAbout"));
    setWindowTitle(QStringLiteral("O programie"));
    auto* name = new QLabel(QStringLiteral("Sprzetnik"), this);
    QFont font = name->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 2);
    name->setFont(font);
    auto* version = new QLabel(QStringLiteral("Wersja ") + AppState::version(), this);
    version->setObjectName(QStringLiteral("wersja"));
    auto* text = new QLabel(
        QStringLiteral("Ewidencja sprzętu komputerowego, oprogramowania, wyposażenia i środków BHP."), this);
    text->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("SBOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ikona"));
    picture->setPixmap(QIcon(QStringLiteral(":/sprzetnik-256.png")).pixmap(96, 96));
    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(text);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setMinimumWidth(420);
}
