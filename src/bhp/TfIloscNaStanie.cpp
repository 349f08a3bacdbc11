#include "bhp/TfIloscNaStanie.h"

#include "base/Dialogs.h"
#include "bhp/Quantity.h"
#include "widgets/AmountFields.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfIloscNaStanie::TfIloscNaStanie(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfIloscNaStanie"));
    setWindowTitle(QStringLiteral("BHP na stanie"));
    auto* heading = new QLabel(QStringLiteral("Ilości BHP na stanie - aktualizacja"), this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);

    fILOSCPRACPRZED = valueField("fILOSCPRACPRZED");
    fILOSCPRACPO = valueField("fILOSCPRACPO");
    fROZNICAC = valueField("fROZNICAC");
    fILOSCNASTANIEPRZED = valueField("fILOSCNASTANIEPRZED");
    fROZNICAX = valueField("fROZNICAX");
    fILOSCNASTANIEPO = new QLineEdit(this);
    fILOSCNASTANIEPO->setObjectName(QStringLiteral("fILOSCNASTANIEPO"));
    fILOSCNASTANIEPO->setMaxLength(18);
    AmountFields::typeDecimalComma(fILOSCNASTANIEPO);
    fILOSCNASTANIEPO->setToolTip(
        QStringLiteral("Docelowa ilość środka BHP na stanie (nowa wartość po zmianach)"));
    m_exampleLabel = new QLabel(this);
    m_exampleLabel->setObjectName(QStringLiteral("labPrzyklad"));
    m_directionLabel = new QLabel(this);
    m_directionLabel->setObjectName(QStringLiteral("labKierunek"));
    m_directionLabel->setStyleSheet(QStringLiteral("font-weight: bold;"));

    auto* useX = new QPushButton(QStringLiteral("Użyj wartości X"), this);
    useX->setObjectName(QStringLiteral("SBUzyjX"));
    useX->setAutoDefault(false);
    auto* useD = new QPushButton(QStringLiteral("Użyj wartości aktualnej"), this);
    useD->setObjectName(QStringLiteral("SBUzyjD"));
    useD->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("SBOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    cancel->setObjectName(QStringLiteral("SBAnuluj"));
    cancel->setAutoDefault(false);
    connect(useX, &QPushButton::clicked, this, [this] { fILOSCNASTANIEPO->setText(Quantity::format(m_x)); });
    connect(useD, &QPushButton::clicked, this, [this] { fILOSCNASTANIEPO->setText(Quantity::format(m_d)); });
    connect(ok, &QPushButton::clicked, this, &TfIloscNaStanie::SBOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("A= Wartość pierwotna:"), fILOSCPRACPRZED);
    form->addRow(QStringLiteral("B= Wartość po zmianie:"), fILOSCPRACPO);
    form->addRow(QStringLiteral("C= Różnica (B-A):"), fROZNICAC);
    form->addRow(QString(), m_exampleLabel);
    form->addRow(QStringLiteral("D= Wartość aktualna:"), fILOSCNASTANIEPRZED);
    form->addRow(QStringLiteral("X= Różnica (D-C)"), fROZNICAX);
    form->addRow(QString(), m_directionLabel);
    auto* useRow = new QHBoxLayout;
    useRow->addWidget(fILOSCNASTANIEPO, 1);
    useRow->addWidget(useX);
    useRow->addWidget(useD);
    form->addRow(QStringLiteral("Nowa wartość:"), useRow);
    auto* bar = new QHBoxLayout;
    bar->addStretch();
    bar->addWidget(ok);
    bar->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(bar);
}

QLineEdit* TfIloscNaStanie::valueField(const char* name)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    e->setPalette(p);
    return e;
}

void TfIloscNaStanie::prepare(double before, double after, double onStock, bool useX)
{
    m_c = after - before;
    m_d = onStock;
    m_x = m_d - m_c;
    fILOSCPRACPRZED->setText(Quantity::format(before));
    fILOSCPRACPO->setText(Quantity::format(after));
    fROZNICAC->setText((m_c > 0 ? QStringLiteral("+") : QString()) + Quantity::format(m_c));
    fILOSCNASTANIEPRZED->setText(Quantity::format(m_d));
    fROZNICAX->setText(Quantity::format(m_x));
    if (m_c > 0) {
        m_exampleLabel->setText(QStringLiteral("np. pobranie środka BHP"));
        m_directionLabel->setText(QStringLiteral("zmniejszenie stanu"));
    } else {
        m_exampleLabel->setText(QStringLiteral("np. zwrot środka BHP"));
        m_directionLabel->setText(QStringLiteral("powiększenie stanu"));
    }
    fILOSCNASTANIEPO->setText(Quantity::format(useX ? m_x : m_d));
    m_value = useX ? m_x : m_d;
}

void TfIloscNaStanie::SBOkClick()
{
    double value = 0;
    if (!Quantity::read(fILOSCNASTANIEPO->text(), &value)) {
        Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Niepoprawna ilość na stanie. Popraw pole."));
        fILOSCNASTANIEPO->setFocus();
        return;
    }
    m_value = value;
    accept();
}
