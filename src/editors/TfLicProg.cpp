#include "editors/TfLicProg.h"

#include "base/Numbers.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"
#include "widgets/Lookup.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const QString kWielostan =
    QStringLiteral("Czy licencja obejmuje nieograniczoną ilość licencji na wskazane oprogramowanie?");

// A count typed in the field: a whole number, or nothing.
bool wholeNumber(const QString& text, qint64* value)
{
    return Numbers::wholeNumber(text, value);
}

void choose(Lookup* l, qint64 key, bool locked, const QString& shown)
{
    l->setKey(key < 0 ? QVariant() : QVariant(key));
    if (key >= 0 && locked && !l->hasChoice() && !shown.isEmpty()) {
        l->addItem(shown, key);
        l->setKey(key);
    }
}

void lockLook(Lookup* l, bool locked)
{
    l->setEnabled(!locked);
    l->setStyleSheet(locked ? QStringLiteral("QComboBox:disabled { background-color: #d4d0c8; color: black; "
                                             "border: 1px solid #a0a0a0; padding: 1px 4px; }")
                            : QString());
}
} // namespace

TfLicProg::TfLicProg(TmyDataBase& db, QWidget* parent) : EditorDialog(parent)
{
    setObjectName(QStringLiteral("TfLicProg"));
    setWindowTitle(QStringLiteral("Licencjonowane oprogramowanie"));
    auto* heading = new QLabel(QStringLiteral("Licencjonowane oprogramowanie"), this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);

    fLICENCJA = new Lookup(this);
    fLICENCJA->setObjectName(QStringLiteral("fLICENCJA"));
    fLICENCJA->setToolTip(QStringLiteral("Numer licencji"));
    fLICENCJA->bind(&db.statement(QStringLiteral("DBFListaLic")), QStringLiteral("IDLICENCJI"),
                    QStringLiteral("NRLICENCJI"));
    fPROGRAM = new Lookup(this);
    fPROGRAM->setObjectName(QStringLiteral("fPROGRAM"));
    fPROGRAM->setToolTip(QStringLiteral("Nazwa i wersja oprogramowania"));
    fPROGRAM->bind(&db.statement(QStringLiteral("DBFListaProg")), QStringLiteral("IDPROGRAMU"),
                   QStringLiteral("PROGRAM"));
    fWIELOSTAN = new QCheckBox(kWielostan, this);
    fWIELOSTAN->setObjectName(QStringLiteral("fWIELOSTAN"));
    fWIELOSTAN->setToolTip(kWielostan);
    fILOSCLIC = new QLineEdit(this);
    fILOSCLIC->setObjectName(QStringLiteral("fILOSCLIC"));
    fILOSCLIC->setMaxLength(4);
    fILOSCLIC->setMaximumWidth(80);
    fILOSCLIC->setToolTip(QStringLiteral("Liczba licencji na wybrane oprogramowanie"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Licencja"), this), 0, 0);
    grid->addWidget(fLICENCJA, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Program"), this), 1, 0);
    grid->addWidget(fPROGRAM, 1, 1);
    grid->addWidget(fWIELOSTAN, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Liczba licencji"), this), 3, 0);
    grid->addWidget(fILOSCLIC, 3, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(makeButtonBar());
    resize(560, 230);

    connect(fWIELOSTAN, &QCheckBox::clicked, this, &TfLicProg::fWIELOSTANClick);
    connect(fILOSCLIC, &QLineEdit::editingFinished, this, &TfLicProg::fILOSCLICExit);
    // A typed point or comma becomes the decimal comma, which the check then refuses.
    AmountFields::typeDecimalComma(fILOSCLIC);
    for (QWidget* w : {static_cast<QWidget*>(fLICENCJA), static_cast<QWidget*>(fPROGRAM),
                       static_cast<QWidget*>(fWIELOSTAN)})
        w->installEventFilter(this);
}

void TfLicProg::refillLists()
{
    fLICENCJA->refill();
    fPROGRAM->refill();
}

void TfLicProg::setLicence(qint64 key, bool locked, const QString& shown)
{
    choose(fLICENCJA, key, locked, shown);
    m_licenceLocked = locked;
    lockLook(fLICENCJA, locked);
}

void TfLicProg::setProgram(qint64 key, bool locked, const QString& shown)
{
    choose(fPROGRAM, key, locked, shown);
    m_programLocked = locked;
    lockLook(fPROGRAM, locked);
}

void TfLicProg::setCount(qint64 count, bool unlimited)
{
    fWIELOSTAN->setChecked(unlimited);
    fILOSCLIC->setText(QString::number(unlimited ? 0 : count));
    fILOSCLIC->setEnabled(!unlimited);
}

qint64 TfLicProg::licence() const
{
    bool ok = false;
    const qint64 k = fLICENCJA->key().toLongLong(&ok);
    return fLICENCJA->hasChoice() && ok ? k : -1;
}

qint64 TfLicProg::program() const
{
    bool ok = false;
    const qint64 k = fPROGRAM->key().toLongLong(&ok);
    return fPROGRAM->hasChoice() && ok ? k : -1;
}

bool TfLicProg::unlimited() const
{
    return fWIELOSTAN->isChecked();
}

qint64 TfLicProg::count() const
{
    qint64 n = 0;
    if (unlimited() || !wholeNumber(fILOSCLIC->text(), &n))
        return 0;
    return n;
}

QString TfLicProg::licenceText() const
{
    return fLICENCJA->currentText();
}

QString TfLicProg::programText() const
{
    return fPROGRAM->currentText();
}

void TfLicProg::setReadOnly(bool readOnly)
{
    EditorDialog::setReadOnly(readOnly);
    if (!readOnly) {
        // The switch enables every list; the locks of the caller stay.
        lockLook(fLICENCJA, m_licenceLocked);
        lockLook(fPROGRAM, m_programLocked);
        fILOSCLIC->setEnabled(!fWIELOSTAN->isChecked());
    }
}

void TfLicProg::fWIELOSTANClick()
{
    if (fWIELOSTAN->isChecked()) {
        fILOSCLIC->setText(QStringLiteral("0"));
        fILOSCLIC->setEnabled(false);
    } else {
        fILOSCLIC->setEnabled(true);
    }
}

void TfLicProg::fILOSCLICExit()
{
    // The whole-number form of what reads as one; anything else stays as
    // typed for "Zapisz" to refuse, never 0.
    qint64 n = 0;
    if (fILOSCLIC->text().trimmed().isEmpty())
        fILOSCLIC->setText(QStringLiteral("0"));
    else if (wholeNumber(fILOSCLIC->text(), &n))
        fILOSCLIC->setText(QString::number(n));
}

void TfLicProg::SBZapiszClick()
{
    if (fILOSCLIC->isEnabled()) {
        qint64 n = 0;
        if (!wholeNumber(fILOSCLIC->text(), &n) || n <= 0) {
            refuse(fILOSCLIC, QStringLiteral("Niepoprawna ilość licencji. Popraw pole."));
            return;
        }
    }
    if (licence() < 0) {
        refuse(fLICENCJA, QStringLiteral("Nie wskazano licencji. Popraw pole."));
        return;
    }
    if (program() < 0) {
        refuse(fPROGRAM, QStringLiteral("Nie wskazano oprogramowania. Popraw pole."));
        return;
    }
    confirm();
}

void TfLicProg::showEvent(QShowEvent* event)
{
    EditorDialog::showEvent(event);
    if (fPROGRAM->isEnabled())
        fPROGRAM->setFocus();
    else if (fLICENCJA->isEnabled())
        fLICENCJA->setFocus();
    else
        fILOSCLIC->setFocus();
}

bool TfLicProg::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the lists (closed) and in the check box saves.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            auto* list = qobject_cast<Lookup*>(watched);
            if (!list || !list->view()->isVisible()) {
                saveIfEditable();
                return true;
            }
        }
    }
    return EditorDialog::eventFilter(watched, event);
}
