#pragma once

#include "registers/RegisterCommands.h"

class AssetEditor;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the computers and equipment
// registers: the same steps over the shared asset editor, with each
// register's statements, messages, codes and owner kind.
class AssetCommands : public RegisterCommands
{
    Q_OBJECT

public:
    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;

protected:
    struct Rules
    {
        QString kind;         // "K": owner kind of the property rows
        QString table;        // "komputery": uniqueness and highest key
        QString keyColumn;    // "IDKOMPUTERA"
        QString addDuplicate; // the duplicate number message of an add
        QString editDuplicate;
        qint64 insertCode;   // insert, new key and property rows
        qint64 updateCode;   // update and property values
        qint64 propertyCode; // the property rows of a new asset
    };

    AssetCommands(CommandContext& context, const QString& registerName, const QString& list, Rules rules);

    virtual AssetEditor& editor() = 0;
    // The register's insert and update statements from the editor's fields;
    // the update answers the rows it changed.
    virtual void insert() = 0;
    virtual int update(qint64 key) = 0;

    // The key of a lookup as a value line; `fallback` when nothing is chosen.
    QString lookupLine(const char* column, qint64 fallback);
    // An amount as a value line: the checked decimal text with a point, else 0.
    QString amountLine(const QString& column);
    QString dateLine(const char* column);
    // The value lines both registers' inserts and updates share, every second
    // line from `first`: supplier, state, the two dates, the three amounts and
    // the class. Answers the line after the class.
    int setAssetLines(Statement& q, int first);
    // :PARAM0 ... :PARAM7 of the insert and update: employee, name, producer,
    // number, serial number, invoice, notes, KPiR number.
    void bindTexts(Statement& q);

    // Reopens the editor's lookups and fills it from the row (edit and preview).
    void load(const Statement& row);
    // The preview of a row: read-only, with the liquidation tab while `liquidated`.
    void showPreview(const Statement& row, bool liquidated);

private:
    void saveProperties(qint64 key);

    Rules m_rules;
};
