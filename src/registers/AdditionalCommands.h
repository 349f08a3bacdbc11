#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class SubRecordDialog;
class TfZalaczniki;
class TmyDataBase;
class QWidget;

// "Edytuj" and "Podgląd" of the registers of deadlines, repairs, documents,
// history and attachments. Edit shows the row's dialog and writes it back;
// preview shows the editor of the asset the row belongs to, read-only, and
// then puts the register's list back as it was, cursor included.
class AdditionalCommands : public QObject
{
    Q_OBJECT

public:
    AdditionalCommands(TmyDataBase& db, QWidget* dialogParent, QObject* parent = nullptr);
    ~AdditionalCommands() override;

    static bool handles(const QString& registerName);
    bool edit(const QString& registerName);
    bool preview(const QString& registerName);

    // Runs the preview command of an asset register ("komputery", "sprzet",
    // ...) on its list's current row; false where the register has none.
    void setOwnerPreview(std::function<bool(const QString&)> preview) { m_ownerPreview = std::move(preview); }

    SubRecordDialog* dialog(const QString& registerName) const;
    TfZalaczniki* attachmentDialog() const;

signals:
    void listReloaded(const QString& list);

private:
    struct Register;
    static const Register* find(const QString& registerName);
    bool hasRow(const QString& list);
    void relocate(const QString& list, qint64 key);
    bool editAttachment(const Register& r, qint64 key);
    // The owner's list without the filters that could hide the owner, its
    // cursor on the owner, the owner's preview, then the list as it was.
    void previewOwner(const QString& ownerKind, qint64 ownerKey);

    TmyDataBase& m_db;
    QPointer<SubRecordDialog> m_dialogs[4];
    QPointer<TfZalaczniki> m_attachments;
    std::function<bool(const QString&)> m_ownerPreview;
};
