#include "bhp/CheckWindow.h"

#include "base/Dialogs.h"
#include "registers/TextExport.h"

#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CheckWindow::CheckWindow(const QString& objectName, const QString& caption, const QString& heading,
                         QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    m_heading = new QLabel(heading, this);
    m_heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = m_heading->font();
    font.setBold(true);
    m_heading->setFont(font);
    m_top = new QCheckBox(QStringLiteral("Zawsze na wierzchu"), this);
    m_top->setObjectName(QStringLiteral("cbTop"));
    connect(m_top, &QCheckBox::toggled, this, &CheckWindow::topToggled);
    m_ok = makeButton("SBOk", QStringLiteral("&Ok"), QStringLiteral("Zamknij okno"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

QPushButton* CheckWindow::makeButton(const char* objectName, const QString& caption, const QString& hint)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(objectName));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout* CheckWindow::makeBar(const QList<QPushButton*>& buttons)
{
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_top);
    bar->addStretch();
    for (QPushButton* b : buttons)
        bar->addWidget(b);
    bar->addWidget(m_ok);
    return bar;
}

void CheckWindow::topToggled(bool on)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        show(); // changing the flag hides a shown window
}

QString CheckWindow::askTextFile(const QString& name)
{
    return Dialogs::saveFileName(this, QStringLiteral("Eksportuj dane do pliku tekstowego"), name,
                                 QStringLiteral("Plik tekstowy (*.txt);;Wszystkie pliki (*.*)"));
}

bool CheckWindow::writeLines(const QString& fileName, const QStringList& lines)
{
    return TextExport::write(lines, fileName);
}
