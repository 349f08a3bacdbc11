#include "editors/TfLikwidacja.h"

#include "editors/DialogParts.h"

#include "base/Dialogs.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfLikwidacja::TfLikwidacja(QWidget* parent) : EditorDialog(parent)
{
    setObjectName(QStringLiteral("TfLikwidacja"));
    setWindowTitle(QStringLiteral("Likwiduj pozycję"));
    QLabel* heading = DialogParts::heading(this, QStringLiteral("Likwiduj wybraną pozycję"));

    fDATAARCH = new DateField(this);
    fDATAARCH->setObjectName(QStringLiteral("fDATAARCH"));
    fDATAARCH->setToolTip(QStringLiteral("Data likwidacji wybranego elementu"));
    auto* calendar = new CalendarPicker(fDATAARCH, this);
    calendar->setObjectName(QStringLiteral("DTPDATAARCH"));
    auto* dateNote = new QLabel(QStringLiteral("DD-MM-RRRR"), this);
    dateNote->setStyleSheet(QStringLiteral("color: grey;"));
    fPRZYCZYNA = new QLineEdit(this);
    fPRZYCZYNA->setObjectName(QStringLiteral("fPRZYCZYNA"));
    fPRZYCZYNA->setMaxLength(254);
    fPRZYCZYNA->setToolTip(QStringLiteral("Przyczyna likwidacji wybranego elementu"));
    fPRZYCZYNA->setMinimumWidth(360);

    auto* dateRow = new QHBoxLayout;
    dateRow->setSpacing(2);
    dateRow->addWidget(fDATAARCH);
    dateRow->addWidget(calendar);
    dateRow->addWidget(dateNote);
    dateRow->addStretch();
    auto* grid = new QGridLayout;
    auto* dateLabel = new QLabel(QStringLiteral("Data likwidacji"), this);
    dateLabel->setBuddy(fDATAARCH);
    grid->addWidget(dateLabel, 0, 0);
    grid->addLayout(dateRow, 0, 1);
    auto* reasonLabel = new QLabel(QStringLiteral("Przyczyna likwidacji"), this);
    reasonLabel->setBuddy(fPRZYCZYNA);
    grid->addWidget(reasonLabel, 1, 0);
    grid->addWidget(fPRZYCZYNA, 1, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(makeButtonBar());
}

void TfLikwidacja::prepare(qint64 dataArch, const QString& reason, bool alreadyLiquidated)
{
    fDATAARCH->setYmd(dataArch);
    fPRZYCZYNA->setText(reason);
    m_noConfirmation = alreadyLiquidated;
}

qint64 TfLikwidacja::liquidationDate() const
{
    return fDATAARCH->ymd();
}

QString TfLikwidacja::reason() const
{
    return fPRZYCZYNA->text();
}

void TfLikwidacja::showEvent(QShowEvent* event)
{
    EditorDialog::showEvent(event);
    fDATAARCH->setFocus();
}

void TfLikwidacja::SBZapiszClick()
{
    if (!fDATAARCH->isValidDate()) {
        refuse(fDATAARCH, QStringLiteral("Niepoprawny format daty likwidacji. Popraw pole."));
        return;
    }
    if (m_noConfirmation ||
        Dialogs::question(
            QStringLiteral("Pytanie"),
            QStringLiteral("Czy jesteś pewien by zlikwidować i przenieść do archiwum wybrany element? "
                           "Operacja nie będzie mogła być cofnięta.")))
        confirm();
    else
        reject();
}
