#pragma once

#include <QApplication>

// The program's application object. An exception that no handler caught and
// that reaches the event loop is reported with code 0 and the loop goes on.
class SprzetnikApplication : public QApplication
{
    Q_OBJECT

public:
    SprzetnikApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Polish for the whole program: the default locale (calendars, month and
    // day names, numbers) and Qt's own translations of the standard dialogs.
    // Answers whether the translations were found.
    static bool installPolish();

    // Set when the program has started to end (and by aboutToQuit); from then
    // on information boxes are no longer shown.
    static bool isClosing();
    static void setClosing(bool closing);
};
