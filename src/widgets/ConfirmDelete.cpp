#include "widgets/ConfirmDelete.h"

#include "shell/Config.h"
#include "shell/Dialogs.h"

namespace ConfirmDelete
{
bool ask(const QString& text)
{
    return !Config::global().flag(QStringLiteral("pytajPrzedKasowaniem")) ||
           Dialogs::question(QStringLiteral("Pytanie"), text);
}
} // namespace ConfirmDelete
