#include "base/TinfoDBProblem.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TinfoDBProblem::TinfoDBProblem(QWidget* parent) : QDialog(parent), m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("TinfoDBProblem"));
    setWindowTitle(QStringLiteral("Informacja"));
    setModal(true);
    setMinimumWidth(440);

    auto* heading = new QLabel(QStringLiteral("Problem z połączeniem z bazą ..."), this);
    heading->setObjectName(QStringLiteral("Naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    m_text->setObjectName(QStringLiteral("Tekst"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* link = new QLabel(this);
    link->setObjectName(QStringLiteral("Link"));
    link->setTextFormat(Qt::RichText);
    link->setText(
        QStringLiteral("<a href=\"manual\">Przeczytaj jak skonfigurować uprawnienia systemowe</a>"));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, &TinfoDBProblem::openManual);

    auto* next = new QPushButton(QStringLiteral("Dalej >>"), this);
    next->setObjectName(QStringLiteral("SBDalej"));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(next);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_text, 1);
    layout->addWidget(link);
    layout->addLayout(buttons);

    setDatabaseDir(QString());
    next->setFocus();
}

void TinfoDBProblem::setDatabaseDir(const QString& databaseDir)
{
    m_text->setText(messageText(databaseDir));
    adjustSize();
}

QString TinfoDBProblem::messageText(const QString& databaseDir)
{
    const auto place = [](const QString& what, const QString& path) {
        return path.isEmpty() ? QStringLiteral("   - ") + what
                              : QStringLiteral("   - ") + what + QStringLiteral(" (") +
                                    QDir::toNativeSeparators(path) + QStringLiteral(")");
    };
    const QStringList lines{
        QStringLiteral("Wystąpił problem z połączeniem z bazą danych. Może być to spowodowane przez:"),
        QStringLiteral("* Błędne hasło"),
        QStringLiteral("lub"),
        QStringLiteral("* Brak odpowiednich uprawnień systemowych"),
        QStringLiteral("Program potrzebuje uprawnień do:"),
        place(QStringLiteral("folderu bazy danych"), databaseDir),
        place(QStringLiteral("folderu konfiguracji programu"), AppPaths::configDir()),
        QStringLiteral("* Spróbuj uruchomić program w trybie \"Jako Administrator\" "),
        QStringLiteral("lub"),
        QStringLiteral("* Sprawdź uprawnienia (jest to najczęstrza przyczyna)."),
        QStringLiteral("Kliknij przycisk poniżej by dowiedzieć się więcej:"),
    };
    return lines.join(QLatin1Char('\n'));
}

QUrl TinfoDBProblem::manualUrl()
{
    return QUrl::fromLocalFile(AppPaths::programDir() +
                               QStringLiteral("/dokumentacja/Konfiguracja-uprawnien-Sprzetnik.pdf"));
}

void TinfoDBProblem::openManual()
{
    Dialogs::openUrl(manualUrl());
}
