#include "reports/TfEtykiety.h"

#include "base/Config.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const QString kLayoutKey = QStringLiteral("ETYKIETY_uklad");
const QString kCodeKey = QStringLiteral("ETYKIETY_kod");
} // namespace

TfEtykiety::TfEtykiety(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfEtykiety"));
    setWindowTitle(QStringLiteral("Drukuj etykiety"));

    auto* rows = new QGroupBox(QStringLiteral("Etykiety dla"), this);
    rows->setObjectName(QStringLiteral("gbPozycje"));
    m_selected = new QRadioButton(QStringLiteral("Zaznaczona pozycja"), rows);
    m_selected->setObjectName(QStringLiteral("rbZaznaczona"));
    m_all = new QRadioButton(rows);
    m_all->setObjectName(QStringLiteral("rbWszystkie"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_selected);
    group->addButton(m_all);
    m_selected->setChecked(true);
    auto* rowsLayout = new QVBoxLayout(rows);
    rowsLayout->addWidget(m_selected);
    rowsLayout->addWidget(m_all);

    m_layout = new QComboBox(this);
    m_layout->setObjectName(QStringLiteral("cbUklad"));
    for (const LabelLayout& l : LabelLayout::all())
        m_layout->addItem(l.caption, int(l.kind));
    m_code = new QComboBox(this);
    m_code->setObjectName(QStringLiteral("cbKod"));
    m_code->addItem(QStringLiteral("Kod kreskowy (Code 128)"), int(BarcodeImage::Symbology::Code128));
    m_code->addItem(QStringLiteral("Kod QR"), int(BarcodeImage::Symbology::Qr));
    m_first = new QSpinBox(this);
    m_first->setObjectName(QStringLiteral("fPierwsza"));
    m_first->setToolTip(QStringLiteral("Miejsce pierwszej etykiety na arkuszu, licząc wierszami od lewego "
                                       "górnego rogu: arkusz zużyty w części można wykorzystać do końca"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Układ etykiet:"), m_layout);
    form->addRow(QStringLiteral("Rodzaj kodu:"), m_code);
    form->addRow(QStringLiteral("Pierwsza etykieta na arkuszu:"), m_first);

    auto* buttons = new QDialogButtonBox(this);
    m_preview = buttons->addButton(QStringLiteral("Podgląd"), QDialogButtonBox::AcceptRole);
    m_preview->setObjectName(QStringLiteral("SBPodglad"));
    m_preview->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("SBAnuluj"));
    connect(m_preview, &QPushButton::clicked, this, &TfEtykiety::SBPodgladClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_layout, &QComboBox::currentIndexChanged, this, &TfEtykiety::cbUkladChange);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rows);
    layout->addLayout(form);
    layout->addWidget(buttons);
    cbUkladChange();
}

void TfEtykiety::prepare(int listRows)
{
    m_all->setText(QStringLiteral("Wszystkie pozycje listy (%1)").arg(listRows));
    m_selected->setChecked(true);
    const Config& config = Config::global();
    m_layout->setCurrentIndex(qBound(0, config.number(kLayoutKey), m_layout->count() - 1));
    m_code->setCurrentIndex(qBound(0, config.number(kCodeKey), m_code->count() - 1));
    m_first->setValue(1);
    cbUkladChange();
}

TfEtykiety::Choice TfEtykiety::choice() const
{
    Choice c;
    c.all = m_all->isChecked();
    c.layout = LabelLayout::Kind(m_layout->currentData().toInt());
    c.symbology = BarcodeImage::Symbology(m_code->currentData().toInt());
    c.firstPlace = m_first->value();
    return c;
}

void TfEtykiety::cbUkladChange()
{
    const LabelLayout& layout = LabelLayout::of(m_layout->currentData().toInt());
    // A roll has no used-up places: each label is a sheet of its own.
    m_first->setRange(1, layout.perSheet());
    if (layout.isRoll())
        m_first->setValue(1);
    m_first->setEnabled(!layout.isRoll());
}

void TfEtykiety::SBPodgladClick()
{
    const Choice c = choice();
    if (m_check && !m_check(c))
        return;
    Config& config = Config::global();
    config.set(kLayoutKey, m_layout->currentIndex());
    config.set(kCodeKey, m_code->currentIndex());
    config.save();
    accept();
}
