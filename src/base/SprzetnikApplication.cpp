#include "base/SprzetnikApplication.h"

#include "base/ErrorLog.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

namespace {
bool g_closing = false;
}

SprzetnikApplication::SprzetnikApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    connect(this, &QCoreApplication::aboutToQuit, this, [] { setClosing(true); });
    installPolish();
}

bool SprzetnikApplication::installPolish()
{
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    QLocale::setDefault(polish);
    static QTranslator* translator = nullptr;
    if (translator)
        return true;
    auto* candidate = new QTranslator(QCoreApplication::instance());
    if (!candidate->load(polish, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete candidate;
        return false;
    }
    QCoreApplication::installTranslator(candidate);
    translator = candidate;
    return true;
}

bool SprzetnikApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ErrorLog::report(QString::fromLocal8Bit(e.what()), true, 0);
    } catch (...) {
        ErrorLog::report(QStringLiteral("Nieznany wyjątek"), true, 0);
    }
    return false;
}

bool SprzetnikApplication::isClosing()
{
    return g_closing;
}

void SprzetnikApplication::setClosing(bool closing)
{
    g_closing = closing;
}
