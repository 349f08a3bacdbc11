#include "reports/ReportPanel.h"

#include "base/Clock.h"
#include "base/Config.h"
#include "store/ListState.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

ReportPanel::ReportPanel(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("RapPanel"));
    // Two rows, so the panel never makes the view wider than the pages above it.
    auto* rows = new QVBoxLayout(this);
    auto* l = new QHBoxLayout;
    rows->addLayout(l);
    l->addWidget(new QLabel(QStringLiteral("Zakres dat:"), this));
    m_from = new DateField(this);
    m_from->setObjectName(QStringLiteral("RapDTOD"));
    m_to = new DateField(this);
    m_to->setObjectName(QStringLiteral("RapDTDO"));
    for (DateField* f : {m_from, m_to})
        f->setToolTip(QStringLiteral("Dane z okresu (od-do)"));
    auto* fromPicker = new CalendarPicker(m_from, this);
    fromPicker->setObjectName(QStringLiteral("DTPRapDTOD"));
    auto* toPicker = new CalendarPicker(m_to, this);
    toPicker->setObjectName(QStringLiteral("DTPRapDTDO"));
    l->addWidget(m_from);
    l->addWidget(fromPicker);
    l->addWidget(new QLabel(QStringLiteral(" - "), this));
    l->addWidget(m_to);
    l->addWidget(toPicker);
    l->addSpacing(20);

    m_issueDateOn = new QCheckBox(QStringLiteral("Data wyst.:"), this);
    m_issueDateOn->setObjectName(QStringLiteral("dataNaRaporcie"));
    m_issueDateOn->setToolTip(QStringLiteral("Umieść na raportach datę wystawienia"));
    m_issueDate = new DateField(this);
    m_issueDate->setObjectName(QStringLiteral("dataRap"));
    m_issueDate->setToolTip(QStringLiteral("Wprowadź datę wystawienia raportu"));
    m_issuePicker = new CalendarPicker(m_issueDate, this);
    m_issuePicker->setObjectName(QStringLiteral("DTPDataRap"));
    connect(m_issueDateOn, &QCheckBox::toggled, this, &ReportPanel::enableIssueDate);
    l->addWidget(m_issueDateOn);
    l->addWidget(m_issueDate);
    l->addWidget(m_issuePicker);
    l->addStretch(1);

    m_liquidationDate =
        new QCheckBox(QStringLiteral("Dla danych zarchiwizowanych zastosuj filtr do daty likwidacji"), this);
    m_liquidationDate->setObjectName(QStringLiteral("cbDataLikwidacji"));
    m_liquidationDate->setChecked(true);
    rows->addWidget(m_liquidationDate);
}

qint64 ReportPanel::rangeFrom() const
{
    return m_from->isValidDate() ? m_from->ymd() : 0;
}

qint64 ReportPanel::rangeTo() const
{
    return m_to->isValidDate() ? m_to->ymd() : ListState::kNoUpperBound;
}

bool ReportPanel::issueDateOn() const
{
    return m_issueDateOn->isChecked();
}

QString ReportPanel::issueDateText() const
{
    return m_issueDate->dateText();
}

QString ReportPanel::dateColumn(bool archive) const
{
    return archive && m_liquidationDate->isChecked() ? QStringLiteral("DATAARCH")
                                                     : QStringLiteral("DATAZAKUPU");
}

void ReportPanel::viewEntered()
{
    const bool on = Config::global().flag(QStringLiteral("cbRapData"));
    m_issueDateOn->setChecked(on);
    enableIssueDate(on);
    m_issueDate->setDate(Clock::today());
}

void ReportPanel::enableIssueDate(bool on)
{
    m_issueDate->setEnabled(on);
    m_issuePicker->setEnabled(on);
}
