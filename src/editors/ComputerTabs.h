#pragma once

#include "editors/AssetEditor.h"
#include "editors/SubList.h"

#include <QObject>

#include <array>

class AttachmentActions;
class SoftwareInstall;
class SubList;
class SubRecordActions;
class TfUzytkownicy;
class TfZalaczniki;
class TmyDataBase;
class QTabWidget;

// The list tabs of the computer and equipment editors: users, installed
// licences and attached equipment (computers only), deadlines, repairs,
// documents, history and attachments, each restricted to the edited asset and
// re-read when its tab is entered. Users of a computer (r_kompprac) carry a
// login and password; users of equipment (r_sprzprac) do not.
class ComputerTabs : public QObject
{
    Q_OBJECT

public:
    ComputerTabs(TmyDataBase& db, AssetEditor& editor, QTabWidget* tabs);

    SubList* list(AssetEditor::Tab tab) const;
    TfUzytkownicy* userDialog() const { return m_userDialog; }
    // The actions of "Terminy", "Naprawy", "Dokumenty" and "Historia".
    SubRecordActions* subRecords(AssetEditor::Tab tab) const;
    AttachmentActions* attachments() const { return m_attachments; }
    // "Oprogramowanie" / "Dodaj".
    SoftwareInstall* softwareInstall() const { return m_install; }

    // The owner of every list.
    void setOwner(const QString& kind, qint64 key);
    void reload(AssetEditor::Tab tab);
    // Shows the list tabs (all tabs shown and the read right held) and enables
    // their add, edit and delete where the write right is held and `editable`.
    void applyRights(bool allTabs, bool editable);
    // Preview: only "Podgląd" and "Drukuj" are shown and act.
    void setPreview(bool on);

    // Users tab.
    void userAdd();
    void userEdit();
    void userRemove();
    void userPreview();
    void userToHistory();
    void userPrint();
    // Licences tab.
    void licenceRemove();

private:
    SubList* makeList(AssetEditor::Tab tab, const QString& title, const QString& list,
                      QList<GridColumn> columns);
    void addStandardControls(SubList* l, const QString& prefix, bool withOpen);
    void placeButtons(SubList* l);
    void makeComputerLists();
    void makeRecordLists();
    void finish();
    void fillUserDialog();
    void makeSubRecordActions();

    TmyDataBase& m_db;
    AssetEditor& m_editor;
    QTabWidget* m_tabs;
    QString m_kind;
    bool m_computer;
    qint64 m_key = -1;
    std::array<SubList*, AssetEditor::TabCount> m_lists{};
    TfUzytkownicy* m_userDialog;
    std::array<SubRecordActions*, 4> m_subRecords{};
    AttachmentActions* m_attachments = nullptr;
    SoftwareInstall* m_install = nullptr;
};
