#include "editors/TfZalaczniki.h"

#include "base/Clock.h"
#include "base/Dialogs.h"
#include "editors/AttachmentFiles.h"
#include "editors/TfBiblioteka.h"
#include "editors/TfTutorial2.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kRdZal = QStringLiteral("DBFRdZal");
} // namespace

TfZalaczniki::TfZalaczniki(TmyDataBase& db, QWidget* parent) : SubRecordDialog(db, parent)
{
    setObjectName(QStringLiteral("TfZalaczniki"));
    setWindowTitle(QStringLiteral("Edytuj załącznik"));
    QLabel* heading = makeHeading(QStringLiteral("Edytuj załącznik"));

    fNAZWAZALACZNIKA = textField("fNAZWAZALACZNIKA", 254, QStringLiteral("Nazwa załącznika"));
    fRDZAL = lookup("fRDZAL", QStringLiteral("Rodzaj załącznika ze słownika"));
    QToolButton* clearKind =
        toolButton("SpeedButton2", QStringLiteral("X"), QStringLiteral("Nie wskazuj żadnego rodzaju"));
    QToolButton* dictionary = dictionaryButton(fRDZAL, TfBiblioteka::RodzajeZalacznikow, kRdZal, QString());
    fDATADODANIA = dateField("DATADODANIA", QStringLiteral("Data dodania załącznika"));
    fNAZWAPLIKU = textField("fNAZWAPLIKU", 254, QStringLiteral("Nazwa pliku"));
    fNAZWAPLIKU->setReadOnly(true);
    auto* wskaz = new QPushButton(QStringLiteral("Wskaż plik"), this);
    wskaz->setObjectName(QStringLiteral("SBWskaz"));
    wskaz->setToolTip(QStringLiteral("Wskaż plik załącznika"));
    wskaz->setAutoDefault(false);
    fINNE = textField("fINNE", 254, QStringLiteral("Pozostałe informacje"));
    QToolButton* help =
        toolButton("SBPomoc", QStringLiteral("?"), QStringLiteral("Jak pracować z załącznikami?"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nazwa załącznika"), fNAZWAZALACZNIKA);
    form->addRow(QStringLiteral("Rodzaj załącznika"), row({fRDZAL, clearKind, dictionary}));
    form->addRow(QStringLiteral("Data dodania"),
                 row({fDATADODANIA, calendarOf(fDATADODANIA), note(QStringLiteral("DD-MM-RRRR"))}, false));
    form->addRow(QStringLiteral("Plik"), row({fNAZWAPLIKU, wskaz}));
    form->addRow(QStringLiteral("Inne"), fINNE);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(heading, 1);
    top->addWidget(help);
    layout->addLayout(top);
    layout->addLayout(form);
    layout->addLayout(makeButtonBar());
    resize(520, sizeHint().height());
    setFirstFocus(fNAZWAZALACZNIKA);

    fRDZAL->bind(&db.statement(kRdZal), QStringLiteral("KOD"), QStringLiteral("OPIS"));
    connect(clearKind, &QToolButton::clicked, this, [this] { fRDZAL->setKey(0); });
    connect(wskaz, &QPushButton::clicked, this, &TfZalaczniki::SBWskazClick);
    connect(help, &QToolButton::clicked, this, [this] { guide()->exec(); });
}

TfTutorial2* TfZalaczniki::guide()
{
    if (!m_guide)
        m_guide = new TfTutorial2(this);
    return m_guide;
}

void TfZalaczniki::reopenLookups()
{
    db().reopenLookup(kRdZal);
    fRDZAL->refill();
}

void TfZalaczniki::prepareNew()
{
    m_keyText.clear();
    fRDZAL->clearChoice();
    fNAZWAZALACZNIKA->clear();
    fNAZWAPLIKU->clear();
    fINNE->clear();
    fDATADODANIA->setDate(Clock::today());
    m_retry = false;
}

void TfZalaczniki::fillFromRow(const Statement& row)
{
    m_keyText = QString::number(row.integer(QStringLiteral("IDZALACZNIKA")));
    fRDZAL->setKey(row.integer(QStringLiteral("RDZAL")));
    fNAZWAZALACZNIKA->setText(row.text(QStringLiteral("NAZWAZALACZNIKA")));
    fNAZWAPLIKU->setText(row.text(QStringLiteral("NAZWAPLIKU")));
    fDATADODANIA->setYmd(row.integer(QStringLiteral("DATADODANIA")));
    fINNE->setText(row.text(QStringLiteral("INNE")));
    m_updateName = fNAZWAPLIKU->text();
}

QString TfZalaczniki::storedNameText() const
{
    return fNAZWAPLIKU->text();
}

void TfZalaczniki::bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const
{
    q.clearParams();
    q.setLine(3, QString::number(ownerKey));
    q.setLine(5, dateLine(fDATADODANIA));
    q.setLine(7, fRDZAL->keyLine(0));
    q.setParam(0, ownerKind);
    q.setParam(1, fNAZWAZALACZNIKA->text());
    q.setParam(2, fINNE->text());
}

void TfZalaczniki::bindUpdate(Statement& q, qint64 key) const
{
    q.clearParams();
    q.setParam(0, fNAZWAZALACZNIKA->text());
    q.setParam(1, m_updateName);
    q.setParam(2, fINNE->text());
    q.setLine(6, fRDZAL->keyLine(0));
    q.setLine(8, dateLine(fDATADODANIA));
    q.setLine(12, QString::number(key));
}

QStringList TfZalaczniki::printLines() const
{
    return {QStringLiteral("Data dodania: ") + fDATADODANIA->dateText(),
            QStringLiteral("Nazwa zalacznika: ") + fNAZWAZALACZNIKA->text(),
            QStringLiteral("Nazwa pliku: ") + fNAZWAPLIKU->text(),
            QStringLiteral("Rodzaj załącznika: ") + fRDZAL->currentText(),
            QStringLiteral("Inne: ") + fINNE->text()};
}

void TfZalaczniki::setReadOnly(bool readOnly)
{
    SubRecordDialog::setReadOnly(readOnly);
    fNAZWAPLIKU->setReadOnly(true);
}

int TfZalaczniki::exec()
{
    m_closeAtOnce = false;
    if (!m_retry)
        m_sourcePath.clear();
    const QString folder = AttachmentFiles::folder();
    if (folder.isEmpty()) {
        Dialogs::info(
            QStringLiteral("Uwaga"),
            QStringLiteral("Nie zdefiniowano lokalizacji katalogu z załącznikami. Ustaw lokalizację "
                           "załączników w opcjach programu."));
        guide()->exec();
        m_closeAtOnce = true;
    } else if (!QFileInfo(folder).isDir()) {
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Katalog z załącznikami jest niedostępny\n") + folder +
                          QStringLiteral("\nSprawdź konfigurację lokalizacji załączników w "
                                         "opcjach programu."));
        m_closeAtOnce = true;
    }
    if (m_closeAtOnce) {
        clearSaved();
        return QDialog::Rejected;
    }
    return SubRecordDialog::exec();
}

bool TfZalaczniki::runEdit(const QString& copyFailurePrefix)
{
    QString old = fNAZWAPLIKU->text();
    m_retry = false;
    for (;;) {
        exec();
        if (!saved())
            return false;
        if (m_sourcePath.isEmpty())
            break;
        const QString name = fNAZWAPLIKU->text();
        QString error;
        if (!AttachmentFiles::store(m_sourcePath, name, &error)) {
            AttachmentFiles::reportCopyFailure(copyFailurePrefix, error);
            m_retry = true;
            continue;
        }
        if (name != old && !old.isEmpty())
            AttachmentFiles::remove(old); // a failure here is silent
        old = name;
        break;
    }
    m_retry = false;
    m_updateName = old;
    return true;
}

void TfZalaczniki::SBWskazClick()
{
    const QString chosen = Dialogs::openFileName(this, QStringLiteral("Wskaż plik załącznika"), QString(),
                                                 QStringLiteral("Wszystkie pliki (*)"));
    if (chosen.isEmpty())
        return;
    m_sourcePath = chosen;
    const QString fileName = QFileInfo(chosen).fileName();
    if (fNAZWAZALACZNIKA->text().isEmpty())
        fNAZWAZALACZNIKA->setText(fileName);
    fNAZWAPLIKU->setText(
        AttachmentFiles::storedName(m_keyText.isEmpty() ? QStringLiteral("<id>") : m_keyText, chosen));
}

void TfZalaczniki::SBZapiszClick()
{
    if (!fDATADODANIA->isEmptyDate() && !fDATADODANIA->isValidDate()) {
        refuse(fDATADODANIA, QStringLiteral("Niepoprawny format daty. Popraw pole."));
        return;
    }
    if (fNAZWAPLIKU->text().isEmpty()) {
        refuse(fNAZWAPLIKU, QStringLiteral("Nie wskazano pliku. Popraw pole."));
        return;
    }
    if (fNAZWAZALACZNIKA->text().trimmed().isEmpty()) {
        refuse(fNAZWAZALACZNIKA, QStringLiteral("Nie podano nazwy załącznika. Popraw pole."));
        return;
    }
    confirm();
}
