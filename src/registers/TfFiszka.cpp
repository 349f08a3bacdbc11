#include "registers/TfFiszka.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfFiszka::TfFiszka(QWidget* parent)
    : QDialog(parent, Qt::Tool), m_memo(new QPlainTextEdit(this)),
      m_top(new QCheckBox(QStringLiteral("Okno zawsze na wierzchu"), this))
{
    setObjectName(QStringLiteral("TfFiszka"));
    setWindowTitle(QStringLiteral("Fiszka - notatki tymczasowe"));
    setModal(false);
    resize(480, 300);

    m_memo->setObjectName(QStringLiteral("MemoFiszka"));
    m_top->setObjectName(QStringLiteral("cbTop"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("SBOk"));
    ok->setAutoDefault(false); // Enter makes a new line in the notes
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_top, &QCheckBox::toggled, this, &TfFiszka::cbTopClick);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_top);
    bottom->addStretch();
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo, 1);
    layout->addLayout(bottom);
}

void TfFiszka::resetText(const QStringList& lines)
{
    m_memo->setPlainText(lines.join(QLatin1Char('\n')));
}

QString TfFiszka::text() const
{
    return m_memo->toPlainText();
}

void TfFiszka::cbTopClick(bool checked)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, checked);
    if (visible)
        show(); // changing the flags hides the window
}
