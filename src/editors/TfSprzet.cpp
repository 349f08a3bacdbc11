#include "editors/TfSprzet.h"

#include "editors/FieldBuilders.h"
#include "editors/TfBiblioteka.h"
#include "store/TmyDataBase.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QTabWidget>
#include <QToolButton>

namespace {
AssetEditor::Variant equipmentVariant()
{
    AssetEditor::Variant v;
    v.kind = QStringLiteral("S");
    v.objectName = "TfSprzet";
    v.caption = QStringLiteral("Sprzęt");
    v.header = QStringLiteral("Informacje o innym sprzęcie");
    v.liquidatedTab = QStringLiteral("Sprzęt zlikwidowany");
    v.liquidatedNote = QStringLiteral("Sprzęt został zlikwidowany, a dane o nim przeniesione do archiwum.");
    v.classifierCode = QStringLiteral("KLSPR");
    v.classifierDictionary = TfBiblioteka::KlasyfikacjaSprzetu;
    v.table = QStringLiteral("sprzet");
    v.keyColumn = QStringLiteral("IDSPRZETU");
    v.hintNumber = QStringLiteral("Numer ewidencyjny sprzętu");
    v.hintName = QStringLiteral("Nazwa sprzętu");
    v.hintProduced = QStringLiteral("Data produkcji sprzętu");
    v.hintProducer = QStringLiteral("Producent sprzętu");
    v.hintState = QStringLiteral("Stan techniczny sprzętu");
    v.hintClass = QStringLiteral("Klasyfikator sprzętu");
    v.hintBought = QStringLiteral("Data zakupu sprzętu");
    v.hintNet = QStringLiteral("Wartość netto sprzętu");
    v.hintSupplier = QStringLiteral("Wybierz z listy firmę, która dostarczyła sprzęt");
    v.hintEmployee = QStringLiteral("Wybierz z listy osobę odpowiedzialną za sprzęt");
    v.hintLocation = QStringLiteral("Miejsce użytkowania sprzętu");
    v.hintClearLocation = QStringLiteral("Nie wskazuj żadnej lokalizacji");
    v.noteSupplier = QStringLiteral("Brakuje dostawcy? Dopisz go w Słowniku");
    v.noteEmployee = QStringLiteral("Brakuje pracownika? Dopisz go w Słownikach");
    v.dateNote = false;
    v.noNumber = QStringLiteral("Nie wprowadzono numeru ewidencyjnego sprzętu. Popraw pole.");
    v.noName = QStringLiteral("Nie wprowadzono nazwy sprzętu. Popraw pole.");
    v.badPurchaseDate = QStringLiteral("Niepoprawny format daty zakupu sprzętu. Popraw pole.");
    return v;
}

const QString kComputers = QStringLiteral("DBFKompSprzet");
} // namespace

TfSprzet::TfSprzet(TmyDataBase& db, QWidget* parent) : AssetEditor(db, equipmentVariant(), parent)
{
    build();
}

QWidget* TfSprzet::extraDetail(QWidget* page, QString* caption)
{
    *caption = QStringLiteral("Przypisany do komputera");
    fIDKOMPUTERA = FieldBuilders::lookup(
        page, "fIDKOMPUTERA", QStringLiteral("Sprzęt pełni rolę wyposażenia wskazanego komputera"));
    // About as many rows as computers: searched as the user types.
    fIDKOMPUTERA->bindSearch(&db(), kComputers);
    QToolButton* clear = FieldBuilders::toolButton(page, "SpeedButton5", QStringLiteral("X"),
                                                   QStringLiteral("Nie wskazuj żadnego komputera"));
    // Key 0 is no computer: no entry has it, so nothing is chosen.
    connect(clear, &QToolButton::clicked, this, [this] { fIDKOMPUTERA->setKey(0); });
    return FieldBuilders::row(page, {fIDKOMPUTERA, clear});
}

void TfSprzet::reopenLookups()
{
    AssetEditor::reopenLookups();
    fIDKOMPUTERA->refill();
}

void TfSprzet::prepareNew()
{
    AssetEditor::prepareNew();
    if (classifierLookup()->count() > 0)
        classifierLookup()->setCurrentIndex(0);
    fIDKOMPUTERA->clearChoice();
}

void TfSprzet::fillFromRow(const Statement& row)
{
    AssetEditor::fillFromRow(row);
    fIDKOMPUTERA->setKey(row.integer(QStringLiteral("IDKOMPUTERA")));
    loadCaptions(row.integer(QStringLiteral("KLASYFIKATOR")));
}

qint64 TfSprzet::captionClassifier() const
{
    bool ok = false;
    const qint64 key = classifierLookup()->key().toLongLong(&ok);
    return ok ? key : 0;
}

void TfSprzet::tabChanged(int index)
{
    // Each class has its own property names: show those of the class chosen now.
    if (index == indexOf(Wlasciwosci))
        loadCaptions(captionClassifier());
    AssetEditor::tabChanged(index);
}

QString TfSprzet::printText() const
{
    QStringList lines;
    const auto add = [&](const char* label, const char* column) {
        lines << QString::fromUtf8(label) + text(QLatin1String(column));
    };
    if (date(QStringLiteral("DATAARCH")) != 0) {
        add("Data likwidacji: ", "DATAARCH");
        add("Przyczyna likwidacji: ", "PRZYCZYNA");
        lines.last() += QChar(13);
    }
    add("Numer ewidencyjny: ", "NREWID");
    add("Numer seryjny: ", "NRSERYJNY");
    add("Nazwa: ", "NAZWA");
    add("Data produkcji: ", "DATAPROD");
    add("Producent: ", "PRODUCENT");
    add("Stan techniczny: ", "STANTECH");
    add("Klasyfikacja: ", "KLASYFIKATOR");
    add("Sprzęt przypisany do komputera: ", "IDKOMPUTERA");
    add("Numer faktury: ", "NRFAKTURY");
    add("Data zakupu: ", "DATAZAKUPU");
    add("Nr KPiR: ", "NRKPIR");
    add("Wartość netto: ", "NETTO");
    add("Kwota VAT: ", "VAT");
    add("Wartość brutto: ", "BRUTTO");
    add("Dostawca: ", "IDFIRMY");
    add("Osoba odpowiedzialna: ", "NREW");
    add("Lokalizacja: ", "LOKALIZACJA");
    add("Inne: ", "INNE");
    lines << QString();
    for (int lp = 1; lp <= 14; ++lp)
        lines << propertyCaption(lp) + QStringLiteral(": ") + propertyValue(lp);
    return lines.join(QChar(13));
}
