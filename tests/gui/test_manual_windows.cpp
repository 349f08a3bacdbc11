#include "ManualPictures.h"
#include "PictureSession.h"
#include "WindowCatalogue.h"

#include "base/SprzetnikApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QWidget>

// Every picture of a window in the manual names a window of the catalogue,
// and the window the program shows has that class and that caption.
class TestManualWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PictureSession> m_session;

    // What is wrong with the pictures of a manual, one line each.
    QStringList check(const QList<ManualPictures::Picture>& pictures)
    {
        QStringList errors;
        QSet<QString> used;
        for (const ManualPictures::Picture& p : pictures) {
            const QString where = QFileInfo(p.file).fileName() + QLatin1Char(':') + QString::number(p.line) +
                                  QStringLiteral(": ");
            if (!p.problem.isEmpty()) {
                errors << where + p.problem;
                continue;
            }
            if (used.contains(p.id))
                errors << where + p.id + QStringLiteral(" is shown twice");
            used.insert(p.id);
            const WindowEntry* entry = WindowCatalogue::find(p.id);
            if (!entry) {
                errors << where + p.id + QStringLiteral(" is not in the catalogue");
                continue;
            }
            QString className, caption;
            const QString error = WindowCatalogue::make(*entry, *m_session, [&](QWidget* w) {
                className = QLatin1String(w->metaObject()->className());
                caption = WindowCatalogue::captionOf(*entry, w);
            });
            if (!error.isEmpty())
                errors << where + p.id + QStringLiteral(": ") + error;
            else if (className != entry->className)
                errors << where + p.id + QStringLiteral(" makes a ") + className;
            else if (caption != p.caption)
                errors << where + p.id + QStringLiteral(" is captioned \"") + caption +
                              QStringLiteral("\", not \"") + p.caption + QLatin1Char('"');
        }
        return errors;
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

    void catalogueIdsAreUniqueAndComplete()
    {
        QSet<QString> ids;
        for (const WindowEntry& e : WindowCatalogue::entries()) {
            QVERIFY2(!ids.contains(e.id), qPrintable(e.id));
            ids.insert(e.id);
            QVERIFY2(!e.className.isEmpty() && !e.caption.isEmpty() && e.open, qPrintable(e.id));
            QVERIFY(QRegularExpression(QStringLiteral("^[A-Za-z0-9_-]+$")).match(e.id).hasMatch());
        }
        QVERIFY(ids.contains(QStringLiteral("TfMain-start")));
        QVERIFY(ids.contains(QStringLiteral("ErrorLogViewer")));
    }

    void parserReadsPicturesAndNamesBrokenOnes()
    {
        const QString text = QStringLiteral("# Tytuł\n\nTekst z ![obrazkiem](x.png) w środku.\n"
                                            "![„Kartoteka osobowa”](obrazy/TfOsobowa.png)\r\n"
                                            "  ![„Komputer”](obrazy/TfKomputery-wlasciwosci.png)  \n"
                                            "![„Opcje”](obrazy/TfOpcje programu.png)\n"
                                            "![\"Znajdź\"](obrazy/FindTextDialog.png)\n");
        const QList<ManualPictures::Picture> p = ManualPictures::parse(text, QStringLiteral("a.md"));
        QCOMPARE(p.size(), 5);
        QVERIFY(p[0].problem.startsWith(QStringLiteral("a picture must be a paragraph of its own")));
        QCOMPARE(p[0].line, 3);
        QCOMPARE(p[1].id, QStringLiteral("TfOsobowa"));
        QCOMPARE(p[1].caption, QStringLiteral("Kartoteka osobowa"));
        QVERIFY(p[1].problem.isEmpty());
        QCOMPARE(p[2].id, QStringLiteral("TfKomputery-wlasciwosci"));
        QCOMPARE(p[2].caption, QStringLiteral("Komputer"));
        QVERIFY(p[2].problem.isEmpty());
        QVERIFY(p[3].problem.startsWith(QStringLiteral("the picture is not obrazy/<id>.png")));
        QVERIFY(p[4].problem.startsWith(QStringLiteral("the alt text is not a caption in „”")));
        QCOMPARE(p[4].id, QStringLiteral("FindTextDialog"));
    }

    // The check finds each kind of fault in a small manual of its own.
    void checkFindsWrongPictures()
    {
        const QList<ManualPictures::Picture> pictures =
            ManualPictures::collect(QStringLiteral(SPRZETNIK_TEST_DATA "/manual_windows"));
        QCOMPARE(pictures.size(), 6);
        QCOMPARE(
            check(pictures),
            QStringList(
                {QStringLiteral("rozdzial.md:9: TfKalkulator is not in the catalogue"),
                 QStringLiteral("rozdzial.md:13: TfLogin is captioned \"Sprzetnik\", not \"Logowanie\""),
                 QStringLiteral("rozdzial.md:17: the alt text is not a caption in „”: O programie"),
                 QStringLiteral("rozdzial.md:19: the picture is not obrazy/<id>.png: rysunki/TfAbout.jpg"),
                 QStringLiteral("rozdzial.md:23: TfAbout is shown twice")}));
    }

    void manualPicturesNameRealWindows()
    {
        const QList<ManualPictures::Picture> pictures =
            ManualPictures::collect(QStringLiteral(SPRZETNIK_MANUAL_SOURCES));
        const QStringList errors = check(pictures);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    }

    // Every window of the catalogue opens filled: a picture with something on it.
    void everyCatalogueWindowOpens()
    {
        QStringList errors;
        for (const WindowEntry& e : WindowCatalogue::entries()) {
            QImage picture;
            const QString error =
                WindowCatalogue::make(e, *m_session, [&](QWidget* w) { picture = w->grab().toImage(); });
            if (!error.isEmpty()) {
                errors << e.id + QStringLiteral(": ") + error;
                continue;
            }
            QSet<QRgb> colours;
            for (int y = 0; y < picture.height(); y += 7)
                for (int x = 0; x < picture.width(); x += 7)
                    colours.insert(picture.pixel(x, y));
            if (picture.width() < 100 || picture.height() < 60 || colours.size() < 3)
                errors << e.id + QStringLiteral(": an empty picture");
        }
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestManualWindows)
#include "test_manual_windows.moc"
