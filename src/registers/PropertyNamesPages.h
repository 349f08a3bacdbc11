#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

class Lookup;
class QLineEdit;
class QPushButton;
class QWidget;
class TfMain;
class TmyDataBase;

// The two pages under "Słowniki" where the 14 property names are typed: one
// set for all computers, one for each equipment class. The pages are filled
// in when the main window enters them.
class PropertyNamesPages : public QObject
{
    Q_OBJECT

public:
    explicit PropertyNamesPages(TfMain& main);

    // Entering the pages (after the main window has shown them).
    void SBWlKompEntered();
    void SBWlSprzetEntered();

    void SBWLKZapiszClick();
    void SBWLSZapiszClick();
    void SBWLKAnulujClick();
    void SBWLSAnulujClick();
    void CBSprzetEnter();
    // Another class chosen, or the class list left: pending names are offered
    // for the class they were typed under, then the chosen class is loaded.
    void classSwitch();
    void wlS1Change();

    // kind "K" (computers) or "S" (equipment of the class chosen).
    bool loadNames(const QString& kind);
    bool saveNames(const QString& kind);

    bool hasUnsavedChanges() const { return m_unsaved; }
    QLineEdit* edit(const QString& kind, int number) const; // number 1..14
    Lookup* classList() const { return m_classes; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildPage(QWidget* page, const QString& kind);
    qint64 classOf(const QString& kind) const;
    void setButtonsEnabled(bool enabled);
    TmyDataBase* db() const;

    TfMain& m_main;
    Lookup* m_classes = nullptr;
    QPushButton* m_buttons[4] = {}; // SBWLKZapisz, SBWLKAnuluj, SBWLSZapisz, SBWLSAnuluj
    bool m_unsaved = false;
    bool m_switching = false; // the question of a class switch is open
    QVariant m_rememberedClass;
};
