#include "shell/TfTutorial1.h"

#include "shell/AppPaths.h"
#include "shell/Dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

TfTutorial1::TfTutorial1(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfTutorial1"));
    setWindowTitle(QStringLiteral("Przeczytaj uważnie ..."));
    setModal(true);
    resize(560, 420);

    auto* heading = new QLabel(QStringLiteral("Zaczynamy ..."), this);
    heading->setObjectName(QStringLiteral("Naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    auto* text = new QPlainTextEdit(guideText(), this);
    text->setObjectName(QStringLiteral("Tekst"));
    text->setReadOnly(true);

    auto* manual = new QPushButton(QStringLiteral("Czytaj więcej w Instrukcji obsługi (F1)"), this);
    manual->setObjectName(QStringLiteral("SBInstrukcja"));
    manual->setAutoDefault(false);
    connect(manual, &QPushButton::clicked, this, &TfTutorial1::openManual);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TfTutorial1::openManual);

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

QString TfTutorial1::guideText()
{
    return QStringLiteral(
        "Program nie jest jeszcze połączony z żadną bazą danych. W następnym oknie możesz stworzyć nową bazę "
        "danych albo wskazać bazę założoną wcześniej.\n"
        "\n"
        "Praca na jednym komputerze:\n"
        "Po prostu stwórz nową bazę danych. Możesz od razu dołączyć do niej przykładowe dane, by poznać "
        "program.\n"
        "\n"
        "Praca w sieci (kilka komputerów):\n"
        "1. Na komputerze pełniącym rolę serwera stwórz nową bazę danych.\n"
        "2. Udostępnij w sieci folder z bazą danych, tak by pozostałe komputery miały do niego dostęp z "
        "prawem zapisu.\n"
        "3. Na każdym z pozostałych komputerów uruchom program, wybierz \"Wskaż lokalizację istniejącej bazy "
        "danych\" i wskaż udostępniony folder (np. jako ścieżkę sieciową lub folder, pod którym zamontowano "
        "udział sieciowy) oraz podaj hasło bazy danych.\n"
        "\n"
        "Wszystkie komputery muszą wskazywać ten sam folder bazy danych; ścieżki do niego mogą się różnić "
        "tylko sposobem dostępu (np. literą dysku lub punktem montowania).");
}

QUrl TfTutorial1::manualUrl()
{
    return QUrl::fromLocalFile(AppPaths::programDir() +
                               QStringLiteral("/dokumentacja/Instrukcja obsługi.pdf"));
}

void TfTutorial1::openManual()
{
    Dialogs::openUrl(manualUrl());
}
