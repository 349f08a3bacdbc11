#include "base/TpromptForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TpromptForm::TpromptForm(QWidget* parent)
    : QDialog(parent), m_text(new QLabel(this)), m_value(new QLineEdit(this)),
      m_ok(new QPushButton(QStringLiteral("  &Ok   "), this)),
      m_cancel(new QPushButton(QStringLiteral("  &Anuluj   "), this))
{
    setObjectName(QStringLiteral("TpromptForm"));
    setWindowTitle(QStringLiteral("Wprowadź"));
    setModal(true);
    setMinimumWidth(360);

    m_text->setObjectName(QStringLiteral("Tekst"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setBuddy(m_value);
    m_value->setObjectName(QStringLiteral("wynik"));
    // A password shows one "*" per character, whatever the style's own mask.
    m_value->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));

    m_ok->setObjectName(QStringLiteral("SBOk"));
    m_cancel->setObjectName(QStringLiteral("SBAnuluj"));
    // Enter in the field reaches the dialog, which presses the default button.
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_value);
    layout->addLayout(buttons);
}

void TpromptForm::setPrompt(const QString& title, const QString& text, const QString& value, bool password)
{
    setWindowTitle(title);
    m_text->setText(text);
    m_value->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    m_value->setText(value);
    m_value->selectAll();
    m_value->setFocus();
    adjustSize();
}

QString TpromptForm::value() const
{
    return m_value->text();
}
