#include "base/ErrorLogViewer.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>

ErrorLogViewer::ErrorLogViewer(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ErrorLogViewer"));
    setWindowTitle(QStringLiteral("Log błędów error.log"));
    m_path = new QLabel(this);
    m_path->setObjectName(QStringLiteral("sciezka"));
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("tresc"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* close = new QPushButton(QStringLiteral("&Zamknij"), this);
    close->setObjectName(QStringLiteral("SBZamknij"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_path);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(820, 480);
}

bool ErrorLogViewer::load(const QString& path)
{
    m_path->setText(QStringLiteral("Plik: ") + QDir::toNativeSeparators(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_text->setPlainText(QStringLiteral("Nie można odczytać pliku: ") + file.errorString());
        return false;
    }
    QString text = QStringDecoder("windows-1250").decode(file.readAll());
    text.remove(QLatin1Char('\r'));
    m_text->setPlainText(text);
    // The newest lines are at the end.
    m_text->moveCursor(QTextCursor::End);
    m_text->ensureCursorVisible();
    return true;
}

QString ErrorLogViewer::text() const
{
    return m_text->toPlainText();
}
