#pragma once

#include "editors/EditorDialog.h"

#include <functional>
#include <initializer_list>

class AttachmentActions;
class LicenceLinks;
class Lookup;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolButton;
class Statement;
class SubList;
class SubRecordActions;
class TfBiblioteka;
class TmyDataBase;

// What the program and the licence editor share: the tabs with the
// licence-program links, the attachments and (licences) the deadlines, which
// are written at once; the preview look; the dictionary shortcut; the
// "just added" state that opens the editor on its links.
class SoftwareEditor : public EditorDialog
{
    Q_OBJECT

public:
    using Printer = std::function<void(const QString& title, const QString& text)>;

    // `kind`: the owner letter of deadlines and attachments, "P" or "L".
    SoftwareEditor(TmyDataBase& db, const QString& kind, QWidget* parent);
    ~SoftwareEditor() override;

    // The record print-out of the sub-lists; without it "Drukuj" stays disabled.
    void setPrinter(Printer print);
    // The dictionary editor behind "[...]" (made on first use when not set).
    void setDictionaryEditor(TfBiblioteka* editor) { m_biblioteka = editor; }
    TfBiblioteka* dictionaryEditor();

    // Edit and preview: the owner of the lists, and every tab.
    void prepare(qint64 key);
    qint64 recordKey() const { return m_key; }
    // Set by the add command while it reopens a freshly inserted record.
    void setOpenOnLinks(bool on) { m_openOnLinks = on; }
    // Preview: read-only, only "Podgląd" and "Drukuj" act; the liquidation tab
    // (licences) is shown while `showLiquidation`.
    void setPreview(bool on, bool showLiquidation = false);
    bool isPreview() const { return m_preview; }

    QTabWidget* tabs() const { return m_tabs; }
    SubList* links() const { return m_links; }
    LicenceLinks* linkActions() const { return m_linkActions; }
    SubList* attachments() const { return m_attachments; }
    SubList* deadlines() const { return m_deadlines; }
    SubRecordActions* deadlineActions() const { return m_deadlineActions; }

protected:
    // Add: no owner yet, only the main data tabs.
    void prepareNewLists();
    // Registers a tab's grid with the column layouts under its name.
    void registerGrid(SubList* list, const char* name);
    // The tabs after the subclass built its own pages.
    void buildLinkTab(const QString& title, bool licenceOwner);
    void buildDeadlineTab();
    void buildAttachmentTab();
    QWidget* linkPage() const;
    // Makes the page current and (re)loads its list.
    void showTab(QWidget* page);

    QLabel* makeHeading(const QString& text);
    QLineEdit* textField(QWidget* parent, const char* name, int maxLength, const QString& hint);
    Lookup* lookup(QWidget* parent, const char* name, const QString& hint);
    QToolButton* toolButton(QWidget* parent, const char* name, const QString& caption, const QString& hint);
    // The "[...]" button: the dictionary on `index`, then the lookup re-read.
    QToolButton* dictionaryButton(QWidget* parent, const char* name, Lookup* target, int index,
                                  const QString& statement, const QString& code = {});
    // Controls side by side, the first one stretching.
    static QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets, bool stretch = true);

    // On show: the sub-list tabs and their rights, the "[...]" buttons; true
    // when the editor opens on the links (after an insert).
    bool applyTabs();
    bool hasFullTabs() const { return m_fullTabs; }
    bool showsLiquidation() const { return m_showLiquidation; }
    TmyDataBase& db() const { return m_db; }

    QTabWidget* m_tabs;

private:
    void tabChanged(int index);

    TmyDataBase& m_db;
    QString m_kind;
    TfBiblioteka* m_biblioteka = nullptr;
    Printer m_print;
    qint64 m_key = -1;
    bool m_fullTabs = false;
    bool m_openOnLinks = false;
    bool m_preview = false;
    bool m_showLiquidation = false;
    SubList* m_links = nullptr;
    LicenceLinks* m_linkActions = nullptr;
    SubList* m_deadlines = nullptr;
    SubRecordActions* m_deadlineActions = nullptr;
    SubList* m_attachments = nullptr;
    AttachmentActions* m_attachmentActions = nullptr;
    QList<QToolButton*> m_dictionaryButtons;
};
