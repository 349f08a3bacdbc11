#include "base/TquestionForm.h"

#include "base/MessageLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TquestionForm::TquestionForm(QWidget* parent)
    : QDialog(parent), m_text(new QLabel(this)), m_yes(new QPushButton(QStringLiteral("  &Tak   "), this)),
      m_no(new QPushButton(QStringLiteral("  &Nie   "), this))
{
    setObjectName(QStringLiteral("TquestionForm"));
    setWindowTitle(QStringLiteral("Zdecyduj"));
    setModal(true);
    setMinimumWidth(360);

    m_text->setObjectName(QStringLiteral("Tekst"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);

    m_yes->setObjectName(QStringLiteral("SBTak"));
    m_yes->setDefault(true);
    m_no->setObjectName(QStringLiteral("SBNie"));
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    buttons->addStretch();

    m_picture = MessageLook::pictureLabel(this, MessageLook::Picture::Question);
    auto* layout = new QVBoxLayout(this);
    MessageLook::arrange(layout, m_picture, m_text, buttons);
}

void TquestionForm::setQuestion(const QString& title, const QString& text)
{
    setWindowTitle(title);
    MessageLook::setPicture(m_picture, MessageLook::Picture::Question);
    MessageLook::setText(m_text, text);
    m_yes->setFocus();
    adjustSize();
}

bool TquestionForm::ask()
{
    // QDialog turns Esc and the window's close button into reject().
    return exec() == QDialog::Accepted;
}
