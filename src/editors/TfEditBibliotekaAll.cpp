#include "editors/TfEditBibliotekaAll.h"

#include "base/Dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfEditBibliotekaAll::TfEditBibliotekaAll(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfEditBibliotekaAll"));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("LOpis"));
    FOpis = new QLineEdit(this);
    FOpis->setObjectName(QStringLiteral("FOpis"));
    FOpis->setMaxLength(100);
    FOpis->setMinimumWidth(320);
    m_label->setBuddy(FOpis);
    FUzup1 = new QLineEdit(this);
    FUzup1->setObjectName(QStringLiteral("FUzup1"));
    FUzup1->setMaxLength(20);
    FUzup1->hide();

    m_zapisz = new QPushButton(QStringLiteral("&Zapisz"), this);
    m_zapisz->setObjectName(QStringLiteral("SBZapisz"));
    m_zapisz->setToolTip(QStringLiteral("Zapisz zmiany"));
    m_zapisz->setDefault(true);
    m_anuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    m_anuluj->setObjectName(QStringLiteral("SBAnuluj"));
    m_anuluj->setToolTip(QStringLiteral("Anuluj zmiany"));
    m_anuluj->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_zapisz);
    buttons->addWidget(m_anuluj);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(FOpis);
    layout->addWidget(FUzup1);
    layout->addLayout(buttons);

    connect(m_zapisz, &QPushButton::clicked, this, &TfEditBibliotekaAll::SBZapiszClick);
    connect(m_anuluj, &QPushButton::clicked, this, &QDialog::reject);
}

void TfEditBibliotekaAll::prepare(const QString& caption, const QString& label, const QString& dictionaryCode,
                                  const QString& opis, const QString& uzup1)
{
    setWindowTitle(caption);
    m_label->setText(label);
    m_code = dictionaryCode;
    FOpis->setText(opis);
    FUzup1->setText(uzup1);
}

QString TfEditBibliotekaAll::opis() const
{
    return FOpis->text();
}

QString TfEditBibliotekaAll::uzup1() const
{
    return FUzup1->text();
}

void TfEditBibliotekaAll::showEvent(QShowEvent* event)
{
    m_ok = false;
    QDialog::showEvent(event);
    FOpis->setFocus();
    FOpis->selectAll();
}

void TfEditBibliotekaAll::SBZapiszClick()
{
    if (FOpis->text().trimmed().isEmpty()) {
        Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Nie wypełniono pola"));
        FOpis->setFocus();
        return;
    }
    if (m_code == QLatin1String("STVAT")) {
        bool isNumber = false;
        const int rate = FOpis->text().trimmed().toInt(&isNumber);
        if (!isNumber) {
            Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Niewłaściwa stawka VAT"));
            FOpis->setFocus();
            return;
        }
        FOpis->setText(QString::number(rate));
    }
    m_ok = true;
    accept();
}
