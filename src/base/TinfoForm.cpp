#include "base/TinfoForm.h"

#include "base/MessageLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TinfoForm::TinfoForm(QWidget* parent)
    : QDialog(parent), m_text(new QLabel(this)), m_ok(new QPushButton(QStringLiteral("  &OK    "), this))
{
    setObjectName(QStringLiteral("TinfoForm"));
    setModal(true);
    setMinimumWidth(360);

    m_text->setObjectName(QStringLiteral("Tekst"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_ok->setObjectName(QStringLiteral("SBOk"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addStretch();

    m_picture = MessageLook::pictureLabel(this, MessageLook::Picture::Information);
    auto* layout = new QVBoxLayout(this);
    MessageLook::arrange(layout, m_picture, m_text, buttons);
}

void TinfoForm::setMessage(const QString& title, const QString& text)
{
    setWindowTitle(title);
    MessageLook::setPicture(m_picture, MessageLook::pictureFor(title));
    MessageLook::setText(m_text, text);
    m_ok->setFocus();
    adjustSize();
}
