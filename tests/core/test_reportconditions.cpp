#include "reports/ReportConditions.h"

#include <QTest>

// The condition texts of the report statements: a typed text stays one SQL
// literal, a number is tied to the kind of its object, and each choice of
// the filter lists gives its own condition.
class TestReportConditions : public QObject
{
    Q_OBJECT

private slots:
    void typedTextStaysALiteral()
    {
        QCOMPARE(ReportConditions::equals(QStringLiteral("K.NREWID"), QStringLiteral("x' OR '1'='1")),
                 QStringLiteral("AND K.NREWID='x'' OR ''1''=''1'"));
        QCOMPARE(ReportConditions::numberOfObject(QStringLiteral("a'b"), QStringLiteral("CZEGODOTYCZY"),
                                                  {QStringLiteral("L")}),
                 QStringLiteral("AND ((CZEGODOTYCZY='L' AND L.NREWID='a''b'))"));
    }

    void rangesAndPeriods()
    {
        QCOMPARE(ReportConditions::between(QStringLiteral("TERMIN"), 0, 99999999),
                 QStringLiteral("AND TERMIN >= 0 AND TERMIN <= 99999999"));
        // A period lies within the range: its start from the lower limit, its end up to the upper.
        QCOMPARE(ReportConditions::period(20240101, 20240601),
                 QStringLiteral("AND DATAOD >= 20240101 AND DATADO <= 20240601"));
    }

    void numbersAreTiedToTheirKind()
    {
        const QStringList kinds = {QStringLiteral("K"), QStringLiteral("S")};
        QVERIFY(ReportConditions::numberOfObject(QString(), QStringLiteral("KOMPSPRZ"), kinds).isEmpty());
        QCOMPARE(
            ReportConditions::numberOfObject(QStringLiteral("S/1"), QStringLiteral("KOMPSPRZ"), kinds),
            QStringLiteral("AND ((KOMPSPRZ='K' AND K.NREWID='S/1') OR (KOMPSPRZ='S' AND S.NREWID='S/1'))"));
    }

    void choicesOfTheFilterLists()
    {
        QVERIFY(ReportConditions::activity(0).isEmpty());
        QCOMPARE(ReportConditions::activity(1), QStringLiteral("AND ACT='T'"));
        QCOMPARE(ReportConditions::activity(2), QStringLiteral("AND ACT='N'"));

        QVERIFY(ReportConditions::kindOf(QStringLiteral("KOMPSPRZ"), 0).isEmpty());
        QCOMPARE(ReportConditions::kindOf(QStringLiteral("KOMPSPRZ"), 1), QStringLiteral("AND KOMPSPRZ='K'"));
        QCOMPARE(ReportConditions::kindOf(QStringLiteral("CZEGODOTYCZY"), 2),
                 QStringLiteral("AND CZEGODOTYCZY='S'"));

        // All, computers, licences, other equipment, BHP items.
        const char* codes[] = {"K", "L", "S", "B"};
        QVERIFY(ReportConditions::deadlineKind(0).isEmpty());
        for (int choice = 1; choice <= 4; ++choice)
            QCOMPARE(ReportConditions::deadlineKind(choice), QStringLiteral("AND CZEGODOTYCZY='") +
                                                                 QLatin1String(codes[choice - 1]) +
                                                                 QLatin1Char('\''));
        // No choice in an emptied list, or one past its end, narrows nothing.
        QVERIFY(ReportConditions::deadlineKind(-1).isEmpty());
        QVERIFY(ReportConditions::deadlineKind(5).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReportConditions)
#include "test_reportconditions.moc"
