#pragma once

#include "renderer/MemoryDataProvider.h"

#include <QCoreApplication>
#include <QDir>

// The data of the sample report "raporty/przyklad.frf": locations, each with
// its computers, net values summed per location (GNETTO) and in total (SNETTO).
namespace SampleReport {
inline const QString kCompany = QStringLiteral("Zażółć gęślą jaźń Sp. z o.o. NIP:123-456-78-90");

inline QString templatePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("raporty/przyklad.frf"));
}

// Net value of computer number n (1-based across the whole report), in grosze.
inline qint64 netOf(int n)
{
    return 10000 + (n * 7919) % 500000;
}

inline QString amount(qint64 grosze)
{
    return QStringLiteral("%1.%2").arg(grosze / 100).arg(grosze % 100, 2, 10, QLatin1Char('0'));
}

// perLocation[i] computers in location i + 1.
inline void fill(MemoryDataProvider& data, const QList<int>& perLocation)
{
    QList<QStringList> locations, computers;
    int n = 0;
    for (int l = 0; l < perLocation.size(); ++l) {
        const QString key = QString::number(l + 1);
        locations.append({key, QStringLiteral("Pokój %1 – piętro ł").arg(l + 1)});
        for (int c = 0; c < perLocation.at(l); ++c) {
            ++n;
            computers.append({key, QStringLiteral("K/%1").arg(n, 5, 10, QLatin1Char('0')),
                              QStringLiteral("Komputer biurowy nr %1").arg(n), QStringLiteral("Dell"),
                              QStringLiteral("01-02-2023"), amount(netOf(n))});
        }
    }
    data.addSource(QStringLiteral("frUserDataset10"), {QStringLiteral("IDLOK"), QStringLiteral("OPIS")},
                   locations);
    data.addSource(QStringLiteral("frUserDatasetKomp"),
                   {QStringLiteral("IDLOK"), QStringLiteral("NREWID"), QStringLiteral("NAZWA"),
                    QStringLiteral("PRODUCENT"), QStringLiteral("DATAZAKUPU"), QStringLiteral("NETTO")},
                   computers);
    data.linkToMaster(QStringLiteral("frUserDatasetKomp"), QStringLiteral("frUserDataset10"),
                      QStringLiteral("IDLOK"), QStringLiteral("IDLOK"));
    data.setMainSource(QStringLiteral("frUserDataset10"));
    data.addRunningSum(QStringLiteral("NETTO"), QStringLiteral("SNETTO"));
    data.addRunningSum(QStringLiteral("NETTO"), QStringLiteral("GNETTO"),
                       QStringLiteral("frUserDatasetKomp"));
    data.setVariable(QStringLiteral("FIRMA"), kCompany);
    data.setVariable(QStringLiteral("WYSTAWIONO"), QStringLiteral("Wystawiono 07-03-2024"));
    data.setVariable(QStringLiteral("WYSTAWIL"), QStringLiteral("_____________________\rWystawił"));
    data.setVariable(QStringLiteral("ZAAKCEPTOWAL"), QStringLiteral("_____________________\rZaakceptował"));
}
} // namespace SampleReport
