#include "reminders/TfHurtowaDeaktywacja.h"

#include "base/Dialogs.h"
#include "reminders/BulkDeactivation.h"
#include "store/AppState.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfHurtowaDeaktywacja::TfHurtowaDeaktywacja(TmyDataBase& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_seria(new QLineEdit(this)),
      m_terminy(new QCheckBox(QStringLiteral("Terminy"))),
      m_naprawy(new QCheckBox(QStringLiteral("Naprawy"))),
      m_dokumenty(new QCheckBox(QStringLiteral("Dokumenty"))), m_od(new DateField(this)),
      m_do(new DateField(this)), m_odPicker(new CalendarPicker(m_od, this)),
      m_doPicker(new CalendarPicker(m_do, this))
{
    setObjectName(QStringLiteral("TfHurtowaDeaktywacja"));
    setWindowTitle(QStringLiteral("Hurtowa dezaktywacja terminów"));
    setModal(true);

    auto* heading = new QLabel(QStringLiteral("Dezaktywuj wskazane elementy"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    m_seria->setObjectName(QStringLiteral("editSeria"));
    m_seria->setReadOnly(true);
    m_seria->setToolTip(QStringLiteral("Seria danych dla których zostaną zdeaktywowane terminy"));
    m_seria->setMinimumWidth(360);
    m_terminy->setObjectName(QStringLiteral("cbTerminy"));
    m_naprawy->setObjectName(QStringLiteral("cbNaprawy"));
    m_dokumenty->setObjectName(QStringLiteral("cbDokumenty"));
    m_od->setObjectName(QStringLiteral("termDataOd"));
    m_od->setToolTip(QStringLiteral("Data od terminu"));
    m_do->setObjectName(QStringLiteral("termDataDo"));
    m_do->setToolTip(QStringLiteral("Data do terminu"));
    for (CalendarPicker* p : {m_odPicker, m_doPicker})
        p->setToolTip(QStringLiteral("Wybierz datę z kalendarza"));

    auto* tables = new QGroupBox(QStringLiteral("Dezaktywuj terminy w następujących tabelach:"), this);
    auto* boxes = new QHBoxLayout(tables);
    boxes->addWidget(m_terminy);
    boxes->addWidget(m_naprawy);
    boxes->addWidget(m_dokumenty);
    boxes->addStretch();

    auto dateRow = [this](DateField* field, CalendarPicker* picker) {
        auto* row = new QHBoxLayout;
        row->addWidget(field);
        row->addWidget(picker);
        row->addStretch();
        return row;
    };
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Seria:"), m_seria);
    form->addRow(QStringLiteral("Data od"), dateRow(m_od, m_odPicker));
    form->addRow(QStringLiteral("Data do"), dateRow(m_do, m_doPicker));

    auto* wykonaj = new QPushButton(QStringLiteral("Wykonaj"), this);
    wykonaj->setObjectName(QStringLiteral("SBWykonaj"));
    wykonaj->setToolTip(QStringLiteral("Wykonaj zmiany"));
    auto* anuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    anuluj->setObjectName(QStringLiteral("SBAnuluj"));
    anuluj->setToolTip(QStringLiteral("Anuluj zmiany"));
    wykonaj->setAutoDefault(false);
    anuluj->setAutoDefault(false);
    connect(wykonaj, &QPushButton::clicked, this, &TfHurtowaDeaktywacja::SBWykonajClick);
    connect(anuluj, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(wykonaj);
    buttons->addWidget(anuluj);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(tables);
    layout->addLayout(buttons);
    setAllAssets();
}

QString TfHurtowaDeaktywacja::allAssetsText()
{
    return QStringLiteral("Wszystkie: Komputery, Inny Sprzęt, Licencje");
}

void TfHurtowaDeaktywacja::setAllAssets()
{
    m_seria->setText(allAssetsText());
    m_kind.clear();
    m_key = 0;
}

void TfHurtowaDeaktywacja::setAsset(const QString& kind, qint64 key, const QString& nrewid)
{
    m_kind = kind;
    m_key = key;
    QString name = QStringLiteral("Komputer (");
    if (kind == QLatin1String("S"))
        name = QStringLiteral("Sprzęt (");
    else if (kind == QLatin1String("L"))
        name = QStringLiteral("Licencja (");
    m_seria->setText(name + nrewid + QLatin1Char(')'));
}

void TfHurtowaDeaktywacja::showEvent(QShowEvent* event)
{
    m_odPicker->syncFromField();
    m_doPicker->syncFromField();
    const AppState& state = AppState::instance();
    m_terminy->setEnabled(state.has(8));
    m_naprawy->setEnabled(state.has(10));
    m_dokumenty->setEnabled(state.has(17));
    // Licences have neither repairs nor documents.
    const bool licence = m_kind == QLatin1String("L");
    m_naprawy->setVisible(!licence);
    m_dokumenty->setVisible(!licence);
    QDialog::showEvent(event);
}

void TfHurtowaDeaktywacja::SBWykonajClick()
{
    if (!m_od->isValidDate()) {
        Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Niepoprawny format daty od. Popraw pole."));
        m_od->setFocus();
        return;
    }
    if (!m_do->isValidDate()) {
        Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Niepoprawny format daty do. Popraw pole."));
        m_do->setFocus();
        return;
    }
    if (m_do->ymd() < m_od->ymd()) {
        Dialogs::info(QStringLiteral("Uwaga"), QStringLiteral("Data od większa niż data do. Popraw pola."));
        m_od->setFocus();
        return;
    }
    const bool licence = m_kind == QLatin1String("L");
    BulkDeactivation bulk;
    bulk.from = m_od->ymd();
    bulk.to = m_do->ymd();
    bulk.terminy = m_terminy->isEnabled() && m_terminy->isChecked();
    bulk.naprawy = !licence && m_naprawy->isEnabled() && m_naprawy->isChecked();
    bulk.dokumenty = !licence && m_dokumenty->isEnabled() && m_dokumenty->isChecked();
    bulk.kind = m_kind;
    bulk.key = m_key;
    if (!bulk.terminy && !bulk.naprawy && !bulk.dokumenty) {
        Dialogs::info(QStringLiteral("Uwaga"),
                      QStringLiteral("Nie wskazano tabel, dla których należy zdeaktywować terminy."));
        return;
    }
    if (!Dialogs::question(QStringLiteral("Pytanie"),
                           QStringLiteral("Czy na pewno zdeaktywować wskazane terminy?"))) {
        reject();
        return;
    }
    bulk.run(m_db);
    accept();
}
