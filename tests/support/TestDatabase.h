#pragma once

#include <QString>
#include <QTemporaryDir>

// A new database made from the program's templates in a temporary folder.
class TestDatabase
{
public:
    explicit TestDatabase(bool withSampleData = false, const QString& password = QStringLiteral("tajne1"));
    QString dir() const { return m_dir.path(); }
    QString password() const { return m_password; }

private:
    QTemporaryDir m_dir;
    QString m_password;
};
