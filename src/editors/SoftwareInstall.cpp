#include "editors/SoftwareInstall.h"

#include "base/Dialogs.h"
#include "editors/SubList.h"
#include "editors/TfDodajOprogramowanie.h"
#include "store/LicenceSeats.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"

SoftwareInstall::SoftwareInstall(TmyDataBase& db, SubList* installed, QWidget* dialogParent)
    : QObject(installed), m_db(db), m_installed(installed), m_dialogParent(dialogParent)
{
}

TfDodajOprogramowanie* SoftwareInstall::dialog()
{
    if (!m_dialog)
        m_dialog = new TfDodajOprogramowanie(m_db, m_dialogParent);
    return m_dialog;
}

bool SoftwareInstall::locate(qint64 program, qint64 licence, qint64 computer)
{
    Statement& q = m_installed->statement();
    const int p = q.fieldIndex(QStringLiteral("IDPROGRAMU"));
    const int l = q.fieldIndex(QStringLiteral("IDLICENCJI"));
    const int c = q.fieldIndex(QStringLiteral("IDKOMPUTERA"));
    for (int row = 0; p >= 0 && l >= 0 && c >= 0 && row < q.recordCount(); ++row) {
        if (q.integerAt(row, p) == program && q.integerAt(row, l) == licence &&
            q.integerAt(row, c) == computer) {
            q.setRecNo(row);
            m_installed->grid()->followCursor();
            return true;
        }
    }
    return false;
}

bool SoftwareInstall::run(qint64 computer)
{
    if (computer < 0)
        return false;
    TfDodajOprogramowanie* d = dialog();
    d->reload();
    const QString uwaga = QStringLiteral("Uwaga");
    for (;;) {
        d->exec();
        if (!d->accepted())
            return false;
        const qint64 program = d->program();
        const qint64 licence = d->licence();
        using LicenceSeats::Outcome;
        switch (LicenceSeats::install(m_db.DatabaseMain(), program, licence, computer)) {
        case Outcome::Installed:
            m_installed->reload();
            locate(program, licence, computer);
            return true;
        case Outcome::AlreadyInstalled:
            Dialogs::info(uwaga, QStringLiteral("Wskazane oprogramowanie już istnieje."));
            break;
        case Outcome::Full:
            Dialogs::info(uwaga,
                          QStringLiteral("Wskazane oprogramowanie zostało już zainstalowane na maksymalnej "
                                         "ilości komputerów. Nie ma więcej wolnych licencji na wskazane "
                                         "oprogramowanie."));
            break;
        case Outcome::OverInstalled:
            Dialogs::info(uwaga,
                          QStringLiteral("Wskazane oprogramowanie zostało zainstalowane na zbyt dużej ilości "
                                         "komputerów. Nie posiadasz licencji na tyle sztuk oprogramowania. "
                                         "DOKONAJ KONTROLI OPROGRAMOWANIA I LICENCJI! Używanie "
                                         "nielicencjonowanego oprogramowania jest łamaniem prawa."));
            break;
        case Outcome::LinkMissing:
            // Another workstation deleted the link meanwhile: offer what is there now.
            Dialogs::info(uwaga, QStringLiteral("Wskazana licencja na oprogramowanie została usunięta."));
            d->reload();
            break;
        case Outcome::CountFailed:
            break; // reported; the choice is offered again
        case Outcome::Failed:
            m_installed->reload();
            return false;
        }
    }
}
