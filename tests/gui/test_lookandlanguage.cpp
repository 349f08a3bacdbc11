#include "TestSupport.h"

#include "base/Clock.h"
#include "base/SprzetnikApplication.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DataGrid.h"
#include "widgets/DateField.h"
#include "widgets/ListModel.h"
#include "widgets/ReadOnlySwitch.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

// The program speaks Polish in Qt's own dialogs and calendars, its date
// fields pick a day from a calendar, and what cannot be typed in looks so.
class TestLookAndLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(SprzetnikApplication::installPolish()); }
    void cleanup() { Clock::setFixed({}); }

    void standardDialogsArePolish()
    {
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Open);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuluj"));
        QCOMPARE(box.button(QDialogButtonBox::Open)->text().remove(QLatin1Char('&')),
                 QStringLiteral("Otwórz"));

        QFileDialog chooser;
        chooser.setOption(QFileDialog::DontUseNativeDialog);
        auto* lookIn = chooser.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        QVERIFY(lookIn);
        QVERIFY2(!lookIn->text().contains(QLatin1String("Look in")), qPrintable(lookIn->text()));
    }

    void calendarNamesMonthsAndDaysInPolish()
    {
        QCOMPARE(QLocale().language(), QLocale::Polish);
        QCalendarWidget calendar;
        calendar.setSelectedDate(QDate(2026, 12, 9));
        calendar.show();
        auto* month = calendar.findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
        QVERIFY(month);
        QCOMPARE(month->text().toLower(), QStringLiteral("grudzień"));
        QCOMPARE(calendar.firstDayOfWeek(), Qt::Monday);
    }

    void dateFieldRoundTripThroughTheCalendar()
    {
        Clock::setFixed(QDateTime(QDate(2026, 3, 14), QTime(9, 0)));
        QWidget form;
        auto* field = new DateField(&form);
        auto* picker = new CalendarPicker(field, &form);
        picker->setObjectName(QStringLiteral("DTPDATAZAKUPU"));
        auto* layout = new QHBoxLayout(&form);
        layout->addWidget(field);
        layout->addWidget(picker);
        form.show();

        // The field and one button: no second date box beside it.
        QCOMPARE(form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 2);
        QCOMPARE(picker->calendar()->objectName(), QStringLiteral("DTPDATAZAKUPUKalendarz"));

        // Empty field: the calendar opens on today.
        QTest::mouseClick(picker, Qt::LeftButton);
        QVERIFY(picker->isCalendarShown());
        QCOMPARE(picker->calendar()->selectedDate(), QDate(2026, 3, 14));
        QVERIFY(field->isEmptyDate());
        emit picker->calendar()->clicked(QDate(2025, 11, 30));
        QVERIFY(!picker->isCalendarShown());
        QCOMPARE(field->ymd(), 20251130);

        // A typed day: the calendar opens on it and Enter picks the selected one.
        field->setYmd(20240229);
        picker->showCalendar();
        QCOMPARE(picker->calendar()->selectedDate(), QDate(2024, 2, 29));
        emit picker->calendar()->activated(QDate(2024, 3, 1));
        QCOMPARE(field->ymd(), 20240301);
    }

    void previewFieldsLookReadOnly()
    {
        QWidget form;
        auto* edit = new QLineEdit(&form);
        auto* save = new QPushButton(QStringLiteral("&Zapisz"), &form);
        const QColor white = edit->palette().color(QPalette::Base);
        ReadOnlySwitch::apply(&form, true);
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->palette().color(QPalette::Base), form.palette().color(QPalette::Window));
        QVERIFY(edit->palette().color(QPalette::Base) != white);
        QVERIFY(save->isHidden());
        ReadOnlySwitch::apply(&form, false);
        QCOMPARE(edit->palette().color(QPalette::Base), white);
    }

    void orderColumnShowsItsDirection()
    {
        ListModel model({{QStringLiteral("A"), QStringLiteral("Pierwsza"), 80, ColumnFormat::Text},
                         {QStringLiteral("B"), QStringLiteral("Druga"), 80, ColumnFormat::Text}});
        DataGrid grid;
        grid.setListModel(&model);
        QVERIFY(!grid.horizontalHeader()->isSortIndicatorShown());
        model.setSortColumn(1, false);
        QVERIFY(grid.horizontalHeader()->isSortIndicatorShown());
        QCOMPARE(grid.horizontalHeader()->sortIndicatorSection(), 1);
        QCOMPARE(grid.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        model.setSortColumn(-1);
        QVERIFY(!grid.horizontalHeader()->isSortIndicatorShown());
    }
};

QTEST_MAIN(TestLookAndLanguage)
#include "test_lookandlanguage.moc"
