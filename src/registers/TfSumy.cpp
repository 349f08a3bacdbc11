#include "registers/TfSumy.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLayout>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kColumnWidth = 120;

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    item->setForeground(Qt::black);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}
} // namespace

TfSumy::TfSumy(QWidget* parent)
    : QDialog(parent, Qt::Tool), m_grid(new QTableWidget(2, 1, this)),
      m_top(new QCheckBox(QStringLiteral("Okno zawsze na wierzchu"), this))
{
    setObjectName(QStringLiteral("TfSumy"));
    setWindowTitle(QStringLiteral("Sumy wybranych kolumn dla tabeli"));
    setModal(false);

    m_grid->setObjectName(QStringLiteral("SumyGrid"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    m_grid->horizontalHeader()->setStretchLastSection(true); // no empty strip beside one column
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Black on the window colour: the grid reads as a label, not as a list.
    QPalette p = m_grid->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    p.setColor(QPalette::Text, Qt::black);
    m_grid->setPalette(p);
    m_grid->setFixedHeight(2 * m_grid->verticalHeader()->defaultSectionSize() + 2 * m_grid->frameWidth());

    m_top->setObjectName(QStringLiteral("cbTop"));
    connect(m_top, &QCheckBox::toggled, this, &TfSumy::cbTopClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addWidget(m_top);
    clearCells(1);
}

void TfSumy::clearCells(int columns)
{
    m_grid->clearContents();
    m_grid->setColumnCount(columns);
    for (int c = 0; c < columns; ++c) {
        m_grid->setColumnWidth(c, kColumnWidth);
        setTitle(c, QString());
        setValue(c, QString());
    }
    // As wide as the cells, and never narrower than "Okno zawsze na wierzchu"
    // (one column is).
    m_grid->setMinimumWidth(columns * kColumnWidth + 2 * m_grid->frameWidth());
    layout()->invalidate();
    setMinimumWidth(layout()->totalMinimumSize().width());
    resize(minimumWidth(), sizeHint().height());
}

void TfSumy::setTitle(int column, const QString& text)
{
    m_grid->setItem(0, column, cell(text, Qt::AlignCenter));
}

void TfSumy::setValue(int column, const QString& text)
{
    // Right-aligned with one space after it, clear of the cell's border.
    m_grid->setItem(1, column,
                    cell(text.isEmpty() ? text : text + QLatin1Char(' '), Qt::AlignRight | Qt::AlignVCenter));
}

int TfSumy::columns() const
{
    return m_grid->columnCount();
}

QString TfSumy::title(int column) const
{
    const QTableWidgetItem* item = m_grid->item(0, column);
    return item ? item->text() : QString();
}

QString TfSumy::value(int column) const
{
    const QTableWidgetItem* item = m_grid->item(1, column);
    return item ? item->text().chopped(item->text().isEmpty() ? 0 : 1) : QString();
}

void TfSumy::cbTopClick(bool checked)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, checked);
    if (visible)
        show(); // changing the flags hides the window
}
