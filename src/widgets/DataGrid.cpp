#include "widgets/DataGrid.h"

#include "store/Statement.h"
#include "widgets/ListModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QWheelEvent>

DataGrid::DataGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setAlternatingRowColors(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::titleClicked);
    // Widths are stored by position, so a column moved anyhow goes straight back.
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, [this](int, int from, int to) {
        const QSignalBlocker block(horizontalHeader());
        horizontalHeader()->moveSection(to, from);
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit activatedRow(index.row());
    });
}

void DataGrid::setListModel(ListModel* model)
{
    m_model = model;
    setModel(model);
    if (!model)
        return;
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_model && current.isValid())
                    m_model->statement().setRecNo(current.row());
            });
    connect(model, &QAbstractItemModel::modelReset, this, &DataGrid::followCursor);
    // The order column's title shows the direction of the order.
    connect(model, &QAbstractItemModel::headerDataChanged, this, [this] {
        QHeaderView* header = horizontalHeader();
        const int column = m_model ? m_model->sortColumn() : -1;
        header->setSortIndicatorShown(column >= 0);
        if (column >= 0)
            header->setSortIndicator(column,
                                     m_model->sortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
    });
    setColumnWidths(designWidths());
}

QList<int> DataGrid::designWidths() const
{
    QList<int> widths;
    if (m_model)
        for (const GridColumn& c : m_model->columns())
            widths << c.width;
    return widths;
}

QList<int> DataGrid::columnWidths() const
{
    QList<int> widths;
    if (m_model)
        for (int c = 0; c < m_model->columnCount(); ++c)
            widths << columnWidth(c);
    return widths;
}

void DataGrid::setColumnWidths(const QList<int>& widths)
{
    for (int c = 0; c < widths.size() && m_model && c < m_model->columnCount(); ++c)
        if (widths[c] > 0)
            setColumnWidth(c, widths[c]);
}

int DataGrid::currentRow() const
{
    if (!m_model)
        return -1;
    const Statement& s = m_model->statement();
    return s.eof() ? -1 : s.recNo();
}

void DataGrid::followCursor()
{
    if (!m_model)
        return;
    const Statement& s = m_model->statement();
    if (s.isEmpty() || s.eof()) {
        clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(s.recNo(), std::max(0, currentIndex().column()));
    setCurrentIndex(index);
    scrollTo(index);
}

void DataGrid::moveCursorTo(int row)
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    row = std::clamp(row, 0, m_model->rowCount() - 1);
    const QModelIndex index = m_model->index(row, std::max(0, currentIndex().column()));
    setCurrentIndex(index);
    scrollTo(index);
}

void DataGrid::wheelEvent(QWheelEvent* event)
{
    // One row per notch (120), upwards for a forward turn.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder %= 120;
    if (notches != 0)
        moveCursorTo(std::max(0, currentIndex().row()) - notches);
    event->accept();
}

void DataGrid::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        emit activatedRow(currentIndex().row());
        return;
    }
    QTableView::keyPressEvent(event);
}
