#include "widgets/ConfirmDelete.h"

#include "base/Config.h"
#include "base/Dialogs.h"

namespace ConfirmDelete {
bool ask(const QString& text)
{
    return !Config::global().flag(QStringLiteral("pytajPrzedKasowaniem")) ||
           Dialogs::question(QStringLiteral("Pytanie"), text);
}
} // namespace ConfirmDelete
