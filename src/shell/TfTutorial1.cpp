#include "shell/TfTutorial1.h"

#include <QKeySequence>
#include <QShortcut>

TfTutorial1::TfTutorial1(QWidget* parent)
    : GuideDialog(QStringLiteral("TfTutorial1"), QStringLiteral("Zaczynamy ..."), guideText(),
                  QStringLiteral("Czytaj więcej w Instrukcji obsługi (F1)"), 420, parent)
{
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TfTutorial1::openManual);
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
