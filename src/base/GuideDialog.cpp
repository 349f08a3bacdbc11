#include "base/GuideDialog.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

GuideDialog::GuideDialog(const QString& objectName, const QString& heading, const QString& text,
                         const QString& manualCaption, int height, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(QStringLiteral("Przeczytaj uważnie ..."));
    setModal(true);
    resize(560, height);

    auto* title = new QLabel(heading, this);
    title->setObjectName(QStringLiteral("Naglowek"));
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    title->setFont(font);

    auto* body = new QPlainTextEdit(text, this);
    body->setObjectName(QStringLiteral("Tekst"));
    body->setReadOnly(true);

    auto* manual = new QPushButton(manualCaption, this);
    manual->setObjectName(QStringLiteral("SBInstrukcja"));
    manual->setAutoDefault(false);
    connect(manual, &QPushButton::clicked, this, &GuideDialog::openManual);
    auto* next = new QPushButton(QStringLiteral(" Kontynuuj  >>"), this);
    next->setObjectName(QStringLiteral("SBKontynuuj"));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(manual);
    buttons->addStretch();
    buttons->addWidget(next);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(body, 1);
    layout->addLayout(buttons);
    next->setFocus();
}

QUrl GuideDialog::manualUrl()
{
    return QUrl::fromLocalFile(AppPaths::programDir() +
                               QStringLiteral("/dokumentacja/Instrukcja obsługi.pdf"));
}

void GuideDialog::openManual()
{
    Dialogs::openUrl(manualUrl());
}
