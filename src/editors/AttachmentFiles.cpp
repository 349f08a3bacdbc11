#include "editors/AttachmentFiles.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QUuid>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
constexpr int kMaxChars = 254;
constexpr int kMaxBytes = 250; // below the usual 255-byte limit of a file name

fs::path toPath(const QString& text)
{
    return fs::path(QDir::fromNativeSeparators(text).toStdU16String());
}

QString systemText(const std::error_code& ec)
{
    return QString::fromLocal8Bit(ec.message().c_str());
}

bool fits(const QString& name)
{
    return name.size() <= kMaxChars && name.toUtf8().size() <= kMaxBytes;
}
} // namespace

namespace AttachmentFiles {
QString folder()
{
    return Config::global().attachmentsFolder();
}

QString path(const QString& storedName)
{
    return QDir::toNativeSeparators(folder() + QLatin1Char('/') + storedName);
}

QString storedName(const QString& keyText, const QString& source)
{
    const QString prefix = keyText + QLatin1Char('_');
    const QFileInfo info(source);
    QString stem = info.completeBaseName();
    QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    if (info.fileName().startsWith(QLatin1Char('.')) && stem.isEmpty()) { // ".bashrc"
        stem = info.fileName();
        suffix.clear();
    }
    if (!fits(prefix + suffix))
        suffix.clear();
    QString name = prefix + stem + suffix;
    while (!fits(name) && !stem.isEmpty()) {
        stem.chop(1);
        name = prefix + stem + suffix;
    }
    return name;
}

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

bool store(const QString& source, const QString& storedName, QString* error)
{
    const QString dir = folder();
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) {
        if (error)
            *error = QStringLiteral("Katalog z załącznikami jest niedostępny: ") + dir;
        return false;
    }
    if (!isPlainName(storedName)) {
        if (error)
            *error = QStringLiteral("Niepoprawna nazwa pliku: ") + storedName;
        return false;
    }
    const fs::path target = toPath(dir) / toPath(storedName);
    const fs::path temporary =
        toPath(dir) /
        toPath(QStringLiteral(".~") + QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".tmp"));
    std::error_code ec;
    if (!fs::is_regular_file(toPath(source), ec)) {
        if (error)
            *error =
                ec ? systemText(ec) : systemText(std::make_error_code(std::errc::no_such_file_or_directory));
        return false;
    }
    fs::copy_file(toPath(source), temporary, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        if (error)
            *error = systemText(ec);
        return false;
    }
    return true;
}

bool remove(const QString& storedName, QString* error)
{
    if (!isPlainName(storedName) || folder().isEmpty())
        return true; // names no stored file
    std::error_code ec;
    const fs::path target = toPath(folder()) / toPath(storedName);
    if (fs::is_directory(target, ec))
        return true;
    fs::remove(target, ec);
    if (ec && error)
        *error = systemText(ec);
    return !ec;
}

void reportCopyFailure(const QString& logPrefix, const QString& systemText)
{
    Dialogs::info(
        QStringLiteral("Błąd"),
        QStringLiteral("Wystąpił błąd podczas kopiowania załącznika. Możliwy brak dostępu do pliku lub "
                       "katalogu z załącznikami. Oryginalny komunikat: ") +
            systemText);
    ErrorLog::writeLine(logPrefix + systemText);
}

bool open(const QString& storedName)
{
    const QString dir = folder();
    if (dir.isEmpty()) {
        Dialogs::info(QStringLiteral("Błąd"),
                      QStringLiteral(
                          "Nie skonfigurowano lokalizacji katalogu z załącznikami - patrz: opcje programu."));
        return false;
    }
    if (!QFileInfo(dir).isDir()) {
        Dialogs::info(QStringLiteral("Błąd"),
                      QStringLiteral("Brak dostępu do katalogu z załącznikami:\n") + dir +
                          QStringLiteral("\nSprawdź czy poprawnie zdefiniowano ścieżkę w opcjach "
                                         "programu."));
        return false;
    }
    const QString file = path(storedName);
    if (!isPlainName(storedName) || !QFileInfo(file).isFile()) {
        Dialogs::info(QStringLiteral("Błąd"), QStringLiteral("Podany plik nieistnieje:\n") + file);
        return false;
    }
    return Dialogs::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(file)));
}
} // namespace AttachmentFiles
