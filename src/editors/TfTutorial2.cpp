#include "editors/TfTutorial2.h"

#include "shell/Dialogs.h"
#include "shell/TfTutorial1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfTutorial2::TfTutorial2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfTutorial2"));
    setWindowTitle(QStringLiteral("Przeczytaj uważnie ..."));
    setModal(true);
    resize(560, 360);

    auto* heading = new QLabel(QStringLiteral("Jak pracować z załącznikami?"), this);
    heading->setObjectName(QStringLiteral("Naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    auto* text = new QPlainTextEdit(guideText(), this);
    text->setObjectName(QStringLiteral("Tekst"));
    text->setReadOnly(true);

    auto* manual = new QPushButton(QStringLiteral("Czytaj więcej w Instrukcji obsługi"), this);
    manual->setObjectName(QStringLiteral("SBInstrukcja"));
    manual->setAutoDefault(false);
    connect(manual, &QPushButton::clicked, this, &TfTutorial2::openManual);
    auto* next = new QPushButton(QStringLiteral(" Kontynuuj  >>"), this);
    next->setObjectName(QStringLiteral("SBKontynuuj"));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(manual);
    buttons->addStretch();
    buttons->addWidget(next);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(text, 1);
    layout->addLayout(buttons);
    next->setFocus();
}

QString TfTutorial2::guideText()
{
    return QStringList{QStringLiteral("Jak pracować z załącznikami:"),
                       QString(),
                       QStringLiteral("1. Pliki załączników muszą znajdować się we wspólnym folderze "),
                       QStringLiteral("    widocznym przez wszystkie komputery,  na których "),
                       QStringLiteral("    zainstalowano program Sprzetnik."),
                       QString(),
                       QStringLiteral("2. Komputer musi posiadać uprawnienia do odczytu i zapisu w "),
                       QStringLiteral("    folderze z załącznikami."),
                       QString(),
                       QStringLiteral("3. Lokalizację folderu z załącznikami wskazujemy w opcjach "),
                       QStringLiteral("    programu, patrz menu Dane -> Opcje."),
                       QString(),
                       QStringLiteral("    WAŻNE: Każdy komputer z Sprzetnik musi"),
                       QStringLiteral("    wskazywać na ten sam folder.")}
        .join(QLatin1Char('\n'));
}

void TfTutorial2::openManual()
{
    Dialogs::openUrl(TfTutorial1::manualUrl());
}
