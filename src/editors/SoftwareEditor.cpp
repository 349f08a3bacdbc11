#include "editors/SoftwareEditor.h"

#include "editors/AttachmentActions.h"
#include "editors/LicenceLinks.h"
#include "editors/SubList.h"
#include "editors/SubListPage.h"
#include "editors/SubRecordActions.h"
#include "editors/TfBiblioteka.h"
#include "editors/TfTerminy.h"
#include "editors/TfZalaczniki.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/Lookup.h"
#include "widgets/TVXGridStorage.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace {
GridColumn textColumn(const char* field, const QString& title, int width)
{
    return GridColumn{QLatin1String(field), title, width, ColumnFormat::Text};
}
GridColumn dateColumn(const char* field, const QString& title)
{
    return GridColumn{QLatin1String(field), title, 80, ColumnFormat::Date};
}
} // namespace

SoftwareEditor::SoftwareEditor(TmyDataBase& db, const QString& kind, QWidget* parent)
    : EditorDialog(parent), m_db(db), m_kind(kind)
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    connect(m_tabs, &QTabWidget::currentChanged, this, &SoftwareEditor::tabChanged);
}

SoftwareEditor::~SoftwareEditor() = default;

void SoftwareEditor::setPrinter(Printer print)
{
    m_print = std::move(print);
    if (m_linkActions)
        m_linkActions->setPrinter(m_print);
    if (m_deadlineActions)
        m_deadlineActions->setPrinter(m_print);
    if (m_attachmentActions)
        m_attachmentActions->setPrinter(m_print);
}

TfBiblioteka* SoftwareEditor::dictionaryEditor()
{
    if (!m_biblioteka)
        m_biblioteka = new TfBiblioteka(m_db, this);
    return m_biblioteka;
}

QLabel* SoftwareEditor::makeHeading(const QString& text)
{
    auto* heading = new QLabel(text, this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);
    return heading;
}

QLineEdit* SoftwareEditor::textField(QWidget* parent, const char* name, int maxLength, const QString& hint)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    e->setToolTip(hint);
    return e;
}

Lookup* SoftwareEditor::lookup(QWidget* parent, const char* name, const QString& hint)
{
    auto* l = new Lookup(parent);
    l->setObjectName(QLatin1String(name));
    l->setToolTip(hint);
    return l;
}

QToolButton* SoftwareEditor::toolButton(QWidget* parent, const char* name, const QString& caption,
                                        const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QToolButton* SoftwareEditor::dictionaryButton(QWidget* parent, const char* name, Lookup* target, int index,
                                              const QString& statement, const QString& code)
{
    QToolButton* b = toolButton(parent, name, QStringLiteral("[...]"), QStringLiteral("Edytuj słowniki"));
    m_dictionaryButtons << b;
    connect(b, &QToolButton::clicked, this, [this, target, index, statement, code] {
        TfBiblioteka* editor = dictionaryEditor();
        editor->setDictionary(index);
        editor->exec();
        m_db.reopenLookup(statement, code);
        target->refill();
    });
    return b;
}

QWidget* SoftwareEditor::row(QWidget* parent, std::initializer_list<QWidget*> widgets, bool stretch)
{
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    bool first = true;
    for (QWidget* w : widgets) {
        layout->addWidget(w, first && stretch ? 1 : 0);
        first = false;
    }
    if (!stretch)
        layout->addStretch();
    return holder;
}

void SoftwareEditor::registerGrid(SubList* list, const char* name)
{
    // Column widths kept between runs: "SOFT_" for programs, "LIC_" for licences.
    const QString prefix = m_kind == QLatin1String("L") ? QStringLiteral("LIC_") : QStringLiteral("SOFT_");
    TVXGridStorage::registerDBGrid(list->grid(), prefix + QLatin1String(name));
}

void SoftwareEditor::buildLinkTab(const QString& title, bool licenceOwner)
{
    m_links = SubListPage::make(m_db, m_tabs, title, QStringLiteral("DBFLicProg"),
                                {textColumn("NRLICENCJI", QStringLiteral("Nr licencji"), 150),
                                 textColumn("NAZWA", QStringLiteral("Nazwa"), 220),
                                 textColumn("WERSJA", QStringLiteral("Wersja"), 90),
                                 textColumn("WIELOSTAN", QStringLiteral("Wielostan.?"), 80),
                                 textColumn("ILOSCLIC", QStringLiteral("Ilość lic."), 70)});
    SubListPage::addStandardControls(m_links, QStringLiteral("LicProg"), false);
    registerGrid(m_links, "licProgGrid");
    m_linkActions = new LicenceLinks(
        m_db, licenceOwner ? LicenceLinks::Owner::Licence : LicenceLinks::Owner::Program, m_links, this);
}

void SoftwareEditor::buildDeadlineTab()
{
    const QString akt = QStringLiteral("Akt?");
    m_deadlines = SubListPage::make(
        m_db, m_tabs, QStringLiteral("Terminy"), QStringLiteral("DBFTerminy"),
        {textColumn("ACT", akt, 40), textColumn("KLASYFIKATOR_O", QStringLiteral("Rodzaj terminu"), 150),
         dateColumn("DATAOD", QStringLiteral("Data od")), dateColumn("DATADO", QStringLiteral("Data do")),
         textColumn("OPIS", QStringLiteral("Opis"), 250)});
    SubListPage::addStandardControls(m_deadlines, QStringLiteral("Terminy"), false);
    registerGrid(m_deadlines, "terminyGrid");
    auto* dialog = new TfTerminy(m_db, this);
    dialog->setDictionaryEditor([this] { return dictionaryEditor(); });
    m_deadlineActions = new SubRecordActions(m_db, SubRecordActions::Deadlines, m_deadlines, dialog, this);
}

void SoftwareEditor::buildAttachmentTab()
{
    m_attachments =
        SubListPage::make(m_db, m_tabs, QStringLiteral("Załączniki"), QStringLiteral("DBFZalaczniki"),
                          {dateColumn("DATADODANIA", QStringLiteral("Dodano")),
                           textColumn("NAZWAZALACZNIKA", QStringLiteral("Nazwa załącznika"), 180),
                           textColumn("RDZAL_O", QStringLiteral("Rodzaj załącznika"), 130),
                           textColumn("NAZWAPLIKU", QStringLiteral("Nazwa pliku"), 160),
                           textColumn("INNE", QStringLiteral("Inne"), 150)});
    SubListPage::addStandardControls(m_attachments, QStringLiteral("Zalaczniki"), true);
    registerGrid(m_attachments, "zalacznikiGrid");
    auto* dialog = new TfZalaczniki(m_db, this);
    dialog->setDictionaryEditor([this] { return dictionaryEditor(); });
    m_attachmentActions = new AttachmentActions(m_db, m_attachments, dialog, this);
}

QWidget* SoftwareEditor::linkPage() const
{
    return m_links ? m_links->grid()->parentWidget() : nullptr;
}

void SoftwareEditor::prepareNewLists()
{
    m_key = -1;
    m_fullTabs = false;
}

void SoftwareEditor::prepare(qint64 key)
{
    m_key = key;
    m_fullTabs = true;
    m_linkActions->setOwner(key);
    if (m_deadlines) {
        m_deadlines->setObject(m_kind, key);
        m_deadlineActions->setOwner(m_kind, key);
    }
    m_attachments->setObject(m_kind, key);
    m_attachmentActions->setOwner(m_kind, key);
}

void SoftwareEditor::setPreview(bool on, bool showLiquidation)
{
    m_preview = on;
    m_showLiquidation = on && showLiquidation;
    setReadOnly(on);
    for (SubList* l : {m_links, m_deadlines, m_attachments}) {
        if (!l)
            continue;
        if (on)
            for (SubList::Action a : {SubList::Preview, SubList::Print})
                if (QPushButton* b = l->button(a))
                    b->setVisible(true);
        l->setWritable(!on);
    }
}

bool SoftwareEditor::applyTabs()
{
    const AppState& app = AppState::instance();
    const bool editable = isEditable() && !m_preview;
    for (QToolButton* b : m_dictionaryButtons)
        b->setVisible(isEditable() && app.has(12));
    struct Tab
    {
        SubList* list;
        int read;
        int write;
    };
    // The link list belongs to the record itself: it needs no right of its own.
    const Tab tabs[] = {{m_links, -1, -1}, {m_deadlines, 7, 8}, {m_attachments, 28, 29}};
    for (const Tab& t : tabs) {
        if (!t.list)
            continue;
        const int index = m_tabs->indexOf(t.list->grid()->parentWidget());
        m_tabs->setTabVisible(index, m_fullTabs && (t.read < 0 || app.has(t.read)));
        t.list->setWritable(editable && (t.write < 0 || app.has(t.write)));
        if (QPushButton* print = t.list->button(SubList::Print))
            print->setEnabled(bool(m_print));
        if (QAction* print = t.list->menuItem(SubList::Print))
            print->setEnabled(bool(m_print));
    }
    const bool onLinks = m_openOnLinks && m_fullTabs;
    m_openOnLinks = false;
    return onLinks;
}

void SoftwareEditor::tabChanged(int index)
{
    if (m_key < 0)
        return;
    QWidget* page = m_tabs->widget(index);
    for (SubList* l : {m_links, m_deadlines, m_attachments})
        if (l && l->grid()->parentWidget() == page)
            l->reload();
}

void SoftwareEditor::showTab(QWidget* page)
{
    const int index = m_tabs->indexOf(page);
    if (m_tabs->currentIndex() == index)
        tabChanged(index);
    else
        m_tabs->setCurrentIndex(index);
}
