#include "registers/FindTextDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindTextDialog::FindTextDialog(QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit(this)),
      m_next(new QPushButton(QStringLiteral("&Znajdź następny"), this))
{
    setObjectName(QStringLiteral("FindText"));
    setWindowTitle(QStringLiteral("Znajdź"));
    setModal(false);

    auto* label = new QLabel(QStringLiteral("&Znajdź:"), this);
    label->setBuddy(m_text);
    m_text->setObjectName(QStringLiteral("FindWhat"));
    m_text->setMinimumWidth(240);
    m_next->setObjectName(QStringLiteral("FindNext"));
    m_next->setDefault(true);
    m_next->setEnabled(false);
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), this);
    cancel->setObjectName(QStringLiteral("FindCancel"));

    connect(m_text, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_next->setEnabled(!t.isEmpty()); });
    connect(m_next, &QPushButton::clicked, this, &FindTextDialog::findNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_text, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_next);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(row);
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
}

QString FindTextDialog::findText() const
{
    return m_text->text();
}

void FindTextDialog::setFindText(const QString& text)
{
    m_text->setText(text);
}

void FindTextDialog::open()
{
    show();
    raise();
    activateWindow();
    m_text->setFocus();
    m_text->selectAll();
}
