#include "editors/SubRecordDialog.h"

#include "editors/TfBiblioteka.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

SubRecordDialog::SubRecordDialog(TmyDataBase& db, QWidget* parent) : EditorDialog(parent), m_db(db) {}

QLabel* SubRecordDialog::makeHeading(const QString& text)
{
    auto* heading = new QLabel(text, this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    heading->setFont(font);
    return heading;
}

QLineEdit* SubRecordDialog::textField(const char* name, int maxLength, const QString& hint)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    e->setToolTip(hint);
    return e;
}

DateField* SubRecordDialog::dateField(const char* column, const QString& hint)
{
    auto* d = new DateField(this);
    d->setObjectName(QLatin1Char('f') + QLatin1String(column));
    d->setToolTip(hint);
    auto* picker = new CalendarPicker(d, this);
    picker->setObjectName(QStringLiteral("DTP") + QLatin1String(column));
    m_calendars << picker;
    return d;
}

CalendarPicker* SubRecordDialog::calendarOf(DateField* field) const
{
    for (CalendarPicker* p : m_calendars)
        if (p->field() == field)
            return p;
    return nullptr;
}

Lookup* SubRecordDialog::lookup(const char* name, const QString& hint)
{
    auto* l = new Lookup(this);
    l->setObjectName(QLatin1String(name));
    l->setToolTip(hint);
    return l;
}

QCheckBox* SubRecordDialog::checkBox(const char* name, const QString& caption, const QString& hint)
{
    auto* c = new QCheckBox(caption, this);
    c->setObjectName(QLatin1String(name));
    c->setToolTip(hint);
    return c;
}

QToolButton* SubRecordDialog::toolButton(const char* name, const QString& caption, const QString& hint)
{
    auto* b = new QToolButton(this);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QToolButton* SubRecordDialog::dictionaryButton(Lookup* target, int index, const QString& statement,
                                               const QString& code)
{
    QToolButton* b = toolButton("goToSlownik1", QStringLiteral("[...]"), QStringLiteral("Edytuj słowniki"));
    m_dictionaryButtons << b;
    connect(b, &QToolButton::clicked, this, [this, target, index, statement, code] {
        TfBiblioteka* editor = m_dictionarySource ? m_dictionarySource() : nullptr;
        if (!editor) {
            if (!m_ownDictionary)
                m_ownDictionary = new TfBiblioteka(m_db, this);
            editor = m_ownDictionary;
        }
        editor->setDictionary(index);
        editor->exec();
        m_db.reopenLookup(statement, code);
        target->refill();
    });
    return b;
}

QWidget* SubRecordDialog::row(std::initializer_list<QWidget*> widgets, bool stretch)
{
    auto* holder = new QWidget(this);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    bool first = true;
    for (QWidget* w : widgets) {
        w->setParent(holder);
        layout->addWidget(w, first && stretch ? 1 : 0);
        first = false;
    }
    if (!stretch)
        layout->addStretch();
    return holder;
}

QLabel* SubRecordDialog::note(const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setStyleSheet(QStringLiteral("color: grey;"));
    return label;
}

QString SubRecordDialog::dateLine(const DateField* field)
{
    return QString::number(field->ymd());
}

void SubRecordDialog::showEvent(QShowEvent* event)
{
    EditorDialog::showEvent(event);
    const bool dictionaries = isEditable() && AppState::instance().has(12);
    for (QToolButton* b : m_dictionaryButtons)
        b->setVisible(dictionaries);
    if (m_firstFocus)
        m_firstFocus->setFocus();
}

void SubRecordDialog::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // In a check box only Esc acts.
    if (enter && qobject_cast<QCheckBox*>(focusWidget())) {
        event->accept();
        return;
    }
    EditorDialog::keyPressEvent(event);
}
