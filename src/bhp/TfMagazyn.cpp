#include "bhp/TfMagazyn.h"

#include "bhp/Quantity.h"
#include "store/Statement.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
QLineEdit* textEdit(QWidget* parent, const char* name, int maxLength, const QString& hint)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    e->setToolTip(hint);
    return e;
}
} // namespace

TfMagazyn::TfMagazyn(QWidget* parent) : EditorDialog(parent)
{
    setObjectName(QStringLiteral("TfMagazyn"));
    setWindowTitle(QStringLiteral("Magazyn zasobów"));
    auto* heading = new QLabel(QStringLiteral("Magazyn zasobów"), this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    heading->setFont(font);

    fCZESC = textEdit(this, "fCZESC", 100,
                      QStringLiteral("Nazwa zasobu (np. nazwa paliwa, nazwa i symbol części)"));
    // The store keeps its silent rule: an unreadable quantity becomes "0.00" (Part 5.3).
    fILOSC = Quantity::makeEdit(this, "fILOSC", QStringLiteral("Ilość - stan magazynowy"),
                                Quantity::Unreadable::BecomesZero);
    fPRZYPOMNIJ = Quantity::makeEdit(
        this, "fPRZYPOMNIJ",
        QStringLiteral("Przypomnij o braku zasobu gdy ich ilość osiągnie podaną w polu wartość"),
        Quantity::Unreadable::BecomesZero);
    fUWAGI = textEdit(this, "fUWAGI", 254, QStringLiteral("Pozostałe informacje"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nazwa zasobu"), fCZESC);
    form->addRow(QStringLiteral("Ilość - stan magazynowy"), fILOSC);
    form->addRow(QStringLiteral("Przypomnij przy stanie"), fPRZYPOMNIJ);
    form->addRow(QStringLiteral("Inne"), fUWAGI);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addLayout(makeButtonBar());
    // Enter in a field runs the default "Zapisz", Escape cancels.
    resize(520, sizeHint().height());
}

void TfMagazyn::prepareNew()
{
    fCZESC->clear();
    fUWAGI->clear();
    fILOSC->setText(Quantity::format(0));
    fPRZYPOMNIJ->setText(Quantity::format(0));
}

void TfMagazyn::fillFromRow(const Statement& row)
{
    fCZESC->setText(row.text(QStringLiteral("CZESC")));
    fUWAGI->setText(row.text(QStringLiteral("UWAGI")));
    fILOSC->setText(Quantity::format(row.number(QStringLiteral("ILOSC"))));
    fPRZYPOMNIJ->setText(Quantity::format(row.number(QStringLiteral("PRZYPOMNIJ"))));
}

void TfMagazyn::bindInsert(Statement& q) const
{
    q.clearParams();
    q.setParam(0, fCZESC->text());
    q.setParam(1, fUWAGI->text());
    q.setLine(1, Quantity::sql(Quantity::valueOf(fILOSC)));
    q.setLine(3, Quantity::sql(Quantity::valueOf(fPRZYPOMNIJ)));
}

void TfMagazyn::bindUpdate(Statement& q, qint64 key) const
{
    q.clearParams();
    q.setParam(0, fCZESC->text());
    q.setParam(1, fUWAGI->text());
    q.setLine(1, Quantity::sql(Quantity::valueOf(fILOSC)));
    q.setLine(3, Quantity::sql(Quantity::valueOf(fPRZYPOMNIJ)));
    q.setLine(5, QString::number(key));
}

void TfMagazyn::SBZapiszClick()
{
    if (fCZESC->text().trimmed().isEmpty()) {
        refuse(fCZESC, QStringLiteral("Nie podano nazwy zasobu. Popraw pole."));
        return;
    }
    // An unreadable quantity is stored as 0 without a message.
    Quantity::reformat(fILOSC);
    Quantity::reformat(fPRZYPOMNIJ);
    confirm();
}

void TfMagazyn::showEvent(QShowEvent* event)
{
    EditorDialog::showEvent(event);
    fCZESC->setFocus();
    fCZESC->selectAll();
}
