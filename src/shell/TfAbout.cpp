#include "shell/TfAbout.h"

#include "shell/AppState.h"

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
    auto* text = new QLabel(QStringLiteral("Ewidencja sprzętu komputerowego, oprogramowania, wyposażenia i środków BHP."),
                            this);
    text->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("SBOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignRight);
}
