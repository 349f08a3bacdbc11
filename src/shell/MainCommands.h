#pragma once

#include <QObject>

class LabelCommands;
class RecordCommands;
class StockCheckWindows;
class TfBiblioteka;
class TfKomputery;
class TfMain;
class TmyDataBase;

// Connects the main window's record commands and pages to the windows that
// carry them out: the editors, the record commands and the dictionary editor.
class MainCommands : public QObject
{
    Q_OBJECT

public:
    MainCommands(TfMain& main, TmyDataBase& db, QObject* parent = nullptr);
    ~MainCommands() override;

    TfKomputery& computers() const { return *m_computers; }
    TfBiblioteka& dictionaries() const { return *m_biblioteka; }
    RecordCommands& records() const { return *m_records; }
    StockCheckWindows& stockChecks() const { return *m_stockChecks; }
    LabelCommands& labels() const { return *m_labels; }

private:
    void run(bool (RecordCommands::*command)(const QString&));
    void pageEntered(const QString& page);
    // Shows a register's page as its navigation button does.
    void enterRegister(const QString& registerName);

    TfMain& m_main;
    TfBiblioteka* m_biblioteka;
    TfKomputery* m_computers;
    RecordCommands* m_records;
    StockCheckWindows* m_stockChecks;
    LabelCommands* m_labels = nullptr;
};
