#include "editors/TfTutorial2.h"

TfTutorial2::TfTutorial2(QWidget* parent)
    : GuideDialog(QStringLiteral("TfTutorial2"), QStringLiteral("Jak pracować z załącznikami?"), guideText(),
                  QStringLiteral("Czytaj więcej w Instrukcji obsługi"), 360, parent)
{
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
                       QStringLiteral("    programu, patrz menu Narzędzia -> Opcje."),
                       QString(),
                       QStringLiteral("    WAŻNE: Każdy komputer z Sprzetnik musi"),
                       QStringLiteral("    wskazywać na ten sam folder.")}
        .join(QLatin1Char('\n'));
}
