// Every window of the program fits its content at the program's default
// font: no control is narrower or lower than it needs to show its text, none
// reaches past the window's edge, and a row of tabs shows every tab without
// scroll arrows. Checked offscreen on each window of the manual's catalogue
// and on the states named below (a liquidated computer in preview, a long
// entry chosen, the sums of one column).

#include "PictureSession.h"
#include "WindowCatalogue.h"

#include "base/SprzetnikApplication.h"
#include "maintenance/TfImportPracownik.h"
#include "registers/ListTools.h"
#include "registers/TfMain.h"
#include "shell/ProgramWindows.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString nameOf(const QWidget* w)
{
    return w->objectName().isEmpty() ? QLatin1String(w->metaObject()->className()) : w->objectName();
}

// A part of a composite control (a list, a drop-down, a date field): laid out by it.
bool partOfAControl(const QWidget* w, const QWidget* window)
{
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QTabBar*>(p) ||
            qobject_cast<const QAbstractScrollArea*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QCalendarWidget*>(p))
            return true;
    return false;
}

// What does not fit in the window, one line each.
QStringList misfits(QWidget* window)
{
    QStringList out;
    const QRect inside = window->rect();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->isWindow() || w->window() != window)
            continue;
        if (partOfAControl(w, window))
            continue;
        const QRect at(w->mapTo(window, QPoint(0, 0)), w->size());
        if (!inside.contains(at) && (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w) ||
                                     qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w)))
            out << nameOf(w) + QStringLiteral(" reaches past the window's edge");
        const bool textual = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             (qobject_cast<QLabel*>(w) && !static_cast<QLabel*>(w)->wordWrap() &&
                              !static_cast<QLabel*>(w)->text().isEmpty());
        if (textual) {
            const QSize need =
                w->minimumSizeHint().expandedTo(qobject_cast<QLabel*>(w) ? w->sizeHint() : QSize());
            if (w->width() < need.width() || w->height() < need.height())
                out << nameOf(w) + QStringLiteral(" is %1x%2, needs %3x%4")
                                       .arg(w->width())
                                       .arg(w->height())
                                       .arg(need.width())
                                       .arg(need.height());
        }
        // A choice among fixed texts shows each of them whole (the lookups over
        // records cut a long entry by design; their drop-down shows it).
        auto* combo = qobject_cast<QComboBox*>(w);
        if (combo && !qobject_cast<Lookup*>(w) && !combo->isEditable()) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const int room =
                combo->style()
                    ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
                    .width();
            for (int i = 0; i < combo->count(); ++i)
                if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) > room)
                    out << nameOf(w) + QStringLiteral(" cuts \"") + combo->itemText(i) + QLatin1Char('"');
        }
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            const QTabBar* bar = tabs->tabBar();
            // The bar's own wish is the width of all its visible tabs.
            const int needed = bar->sizeHint().width();
            if (needed > bar->width())
                out << nameOf(w) +
                           QStringLiteral(" shows its tabs in %1 px of %2").arg(bar->width()).arg(needed);
        }
    }
    return out;
}
} // namespace

class TestWindowFit : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PictureSession> m_session;

    QStringList check(const WindowEntry& entry)
    {
        QStringList found;
        const QString error = WindowCatalogue::make(entry, *m_session, [&](QWidget* w) {
            // Under a real display the screen can be kept for a look at it.
            const QString shots = qEnvironmentVariable("SPRZETNIK_WINDOW_SHOTS");
            if (!shots.isEmpty()) {
                w->raise();
                QTest::qWait(300);
                QProcess::execute(QStringLiteral("import"),
                                  {QStringLiteral("-window"), QStringLiteral("root"),
                                   QDir(shots).filePath(entry.id + QStringLiteral(".png"))});
            }
            for (const QString& line : misfits(w))
                found << entry.id + QStringLiteral(": ") + line;
        });
        if (!error.isEmpty())
            found << entry.id + QStringLiteral(": ") + error;
        return found;
    }

    static void archive(PictureSession& s, int index)
    {
        TfMain& main = s.program().main();
        main.findChild<QComboBox*>(QStringLiteral("CBPokazElementy"))->setCurrentIndex(index);
        main.CBPokazElementyChange();
    }
    // A liquidated computer in preview, the sums of one column, the import with a sheet loaded.
    static QList<WindowEntry> namedStates(const QString& csv = QString())
    {
        return {
            {QStringLiteral("TfKomputery-zlikwidowany"),
             QStringLiteral("TfKomputery"),
             QStringLiteral("Komputer"),
             [](PictureSession& s) {
                 archive(s, 1);
                 s.program().main().SBKomputeryClick();
                 s.program().main().runCommand(TfMain::Command::Preview);
             },
             {},
             {}},
            {QStringLiteral("TfSumy-programy"),
             QStringLiteral("TfSumy"),
             QStringLiteral("Sumy dla tabeli Programy"),
             [](PictureSession& s) {
                 s.program().main().SBProgramyClick();
                 s.program().main().runCommand(TfMain::Command::Sums);
             },
             {},
             {}},
            {QStringLiteral("TfImportPracownik-arkusz"),
             QStringLiteral("TfImportPracownik"),
             QStringLiteral("Import pracowników"),
             [](PictureSession& s) {
                 s.program().main().action(QStringLiteral("MImportPracownikow"))->trigger();
             },
             [csv](QWidget* w) {
                 static_cast<TfImportPracownik*>(w)->loadFile(csv);
                 return QString();
             },
             {}},
        };
    }

private slots:
    void initTestCase()
    {
        SprzetnikApplication::installPolish();
        m_session = std::make_unique<PictureSession>();
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
    }
    void cleanupTestCase() { m_session.reset(); }

    void everyCatalogueWindowFits()
    {
        QStringList errors;
        for (const WindowEntry& e : WindowCatalogue::entries())
            if (e.className != QLatin1String("TfMain"))
                errors << check(e);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    }

    // The states of the windows that the catalogue does not picture.
    void namedStatesFit()
    {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("pracownicy.csv"));
        QFile sheet(csv);
        QVERIFY(sheet.open(QIODevice::WriteOnly));
        sheet.write("A;B;C;D;E;F;G;H;I;J;K;L\r\nP1;Jan;Nowak;;;;;;;;;\r\n");
        sheet.close();
        const QList<WindowEntry> entries = namedStates(csv);
        QStringList errors;
        for (const WindowEntry& e : entries)
            errors << check(e);
        archive(*m_session, 0);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    }

    // A long entry chosen in a list leaves the editor as wide as it was, this
    // time and the next.
    void longEntryDoesNotWidenTheEditor()
    {
        QList<QList<int>> widths;
        const auto open = [&](const char* id, bool choose) {
            QList<int> seen;
            const QString error =
                WindowCatalogue::make(*WindowCatalogue::find(QLatin1String(id)), *m_session, [&](QWidget* w) {
                    seen << w->width();
                    auto* supplier = w->findChild<Lookup*>(QStringLiteral("fIDFIRMY"));
                    const int longest =
                        supplier->findText(QStringLiteral("Przedsiębiorstwo"), Qt::MatchStartsWith);
                    if (choose && longest >= 0) {
                        supplier->setCurrentIndex(longest);
                        emit supplier->activated(longest);
                        QCoreApplication::sendPostedEvents();
                        QApplication::processEvents();
                        seen << w->width();
                    }
                });
            if (!error.isEmpty())
                seen << -1;
            widths << seen;
        };
        const char* const editors[] = {"TfKomputery", "TfSprzet", "TfZlecenia", "TfZakupBhp"};
        for (const char* id : editors)
            open(id, false);
        Statement q(
            &m_session->program().db().DatabaseMain(), QString(),
            {QStringLiteral("INSERT INTO firmy (NAZWA,NIP) VALUES ('Przedsiębiorstwo Handlowo-Usługowe "
                            "Wielobranżowe Zaopatrzenia Technicznego i Serwisu Sprzętu Biurowego',"
                            "'123-456-78-90')")});
        q.execSQL();
        for (const char* id : editors)
            open(id, true);
        // A liquidated computer in preview shows one tab more and widens its editor for that time.
        const WindowEntry liquidated = namedStates().first();
        QVERIFY(check(liquidated).isEmpty());
        archive(*m_session, 0);
        for (const char* id : editors)
            open(id, false);
        for (qsizetype i = 0; i < qsizetype(std::size(editors)); ++i) {
            const QList<int> all = widths[i] + widths[i + 4] + widths[i + 8];
            QCOMPARE(all.size(), 4);
            QVERIFY2(std::all_of(all.begin(), all.end(), [&](int width) { return width == all.first(); }),
                     qPrintable(QLatin1String(editors[i]) + QStringLiteral(": ") + QString::number(all[0]) +
                                QLatin1Char(' ') + QString::number(all[1]) + QLatin1Char(' ') +
                                QString::number(all[2]) + QLatin1Char(' ') + QString::number(all[3])));
        }
    }
};

QTEST_MAIN(TestWindowFit)
#include "test_windowfit.moc"
