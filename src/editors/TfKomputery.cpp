#include "editors/TfKomputery.h"

#include "editors/TfBiblioteka.h"

namespace {
AssetEditor::Variant computerVariant()
{
    AssetEditor::Variant v;
    v.kind = QStringLiteral("K");
    v.objectName = "TfKomputery";
    v.caption = QStringLiteral("Komputer");
    v.header = QStringLiteral("Informacje o komputerze");
    v.liquidatedTab = QStringLiteral("Komputer zlikwidowany");
    v.liquidatedNote = QStringLiteral("Komputer został zlikwidowany, a dane o nim przeniesione do archiwum.");
    v.classifierCode = QStringLiteral("KLKOM");
    v.classifierDictionary = TfBiblioteka::KlasyfikacjaKomputerow;
    v.table = QStringLiteral("komputery");
    v.keyColumn = QStringLiteral("IDKOMPUTERA");
    v.hintNumber = QStringLiteral("Numer ewidencyjny komputera");
    v.hintName = QStringLiteral("Nazwa komputera");
    v.hintProduced = QStringLiteral("Data produkcji komputera");
    v.hintProducer = QStringLiteral("Producent komputera");
    v.hintState = QStringLiteral("Stan techniczny komputera");
    v.hintClass = QStringLiteral("Klasyfikator komputera");
    v.hintBought = QStringLiteral("Data zakupu komputera");
    v.hintNet = QStringLiteral("Wartość netto komputera");
    v.hintSupplier = QStringLiteral("Wybierz z listy firmę, która dostarczyła komputer");
    v.hintEmployee = QStringLiteral("Wybierz z listy osobę odpowiedzialną za komputer");
    v.hintLocation = QStringLiteral("Miejsce użytkowania komputera");
    v.hintClearLocation = QStringLiteral("Nie wskazuj żadnego stanu");
    v.noteSupplier = QStringLiteral("Brak dostawcy? Dodaj w Bibliotece ...");
    v.noteEmployee = QStringLiteral("Brak osoby? Dodaj w Bibliotece ...");
    v.dateNote = true;
    v.noNumber = QStringLiteral("Nie wprowadzono numeru ewidencyjnego komputera. Popraw pole.");
    v.noName = QStringLiteral("Nie wprowadzono nazwy komputera. Popraw pole.");
    v.badPurchaseDate = QStringLiteral("Niepoprawny format daty zakupu komputera. Popraw pole.");
    return v;
}
} // namespace

TfKomputery::TfKomputery(TmyDataBase& db, QWidget* parent) : AssetEditor(db, computerVariant(), parent)
{
    build();
}
