#include "bhp/TfSprawdzenieMagazynu.h"

#include "base/Dialogs.h"
#include "bhp/StockChecks.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfSprawdzenieMagazynu::TfSprawdzenieMagazynu(TmyDataBase& db, QWidget* parent)
    : CheckWindow(QStringLiteral("TfSprawdzenieMagazynu"), QStringLiteral("Sprawdzanie stanów magazynowych"),
                  QStringLiteral("Niski stan magazynowy dla:"), parent),
      m_db(db)
{
    output3 = new QPlainTextEdit(this);
    output3->setObjectName(QStringLiteral("output3"));
    output3->setReadOnly(true);
    QPushButton* txt = makeButton("SBZapisz", QStringLiteral("do TXT ..."),
                                  QStringLiteral("Zapisz tabelę do pliku tekstowego"));
    connect(txt, &QPushButton::clicked, this, &TfSprawdzenieMagazynu::SBZapiszClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading());
    layout->addWidget(output3);
    layout->addLayout(makeBar({txt}));
    setModal(false);
    resize(520, 360);
}

bool TfSprawdzenieMagazynu::check()
{
    bool found = false;
    const QStringList lines = StockChecks::lowStock(m_db, &found);
    output3->setPlainText(lines.join(QLatin1Char('\n')));
    emit listReloaded(QStringLiteral("DBFMagazyn"));
    return found;
}

void TfSprawdzenieMagazynu::run(bool enabled, bool onlyWhenFound)
{
    if (!enabled)
        return;
    if (!check() && onlyWhenFound)
        return;
    show();
    raise();
}

QString TfSprawdzenieMagazynu::text() const
{
    return output3->toPlainText();
}

void TfSprawdzenieMagazynu::SBZapiszClick()
{
    const QString name = askTextFile(QStringLiteral("stany-magazynowe.txt"));
    if (name.isEmpty())
        return;
    if (writeLines(name, text().split(QLatin1Char('\n'))))
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Dane zostały zapisane w pliku: ") + name);
    else
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Zapisywanie danych nie powiodło się"));
}
