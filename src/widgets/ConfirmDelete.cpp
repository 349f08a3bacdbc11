#include "widgets/ConfirmDelete.h"

#include "shell/Dialogs.h"

namespace ConfirmDelete
{
namespace
{
std::function<bool()>& source()
{
    static std::function<bool()> s;
    return s;
}
} // namespace

void setOptionSource(std::function<bool()> s)
{
    source() = std::move(s);
}

bool ask(const QString& text)
{
    const bool askFirst = source() ? source()() : true;
    return !askFirst || Dialogs::question(QStringLiteral("Pytanie"), text);
}
} // namespace ConfirmDelete
