#pragma once

#include <QList>
#include <QString>

#include <functional>

class PictureSession;
class QWidget;

// One window of the manual: its picture id, the class of the window, the
// caption the manual quotes, and how the program opens and fills it.
struct WindowEntry
{
    QString id;        // "TfKomputery-wlasciwosci": the picture obrazy/<id>.png
    QString className; // metaObject()->className() of the window
    QString caption;   // the title bar; for main-window pages the page's own visible text
    // Opens the window the way its command does (modal ones stay in their exec()).
    std::function<void(PictureSession&)> open;
    // Brings the window to the state of the picture (a tab); an error text, empty when done.
    std::function<QString(QWidget*)> prepare;
    // Main-window pages: the visible text that names the page (a navigation
    // button or a tab), empty when it is not shown.
    std::function<QString(QWidget*)> pageCaption;
};

namespace WindowCatalogue {
const QList<WindowEntry>& entries();
const WindowEntry* find(const QString& id);
// The caption the window shows for this entry.
QString captionOf(const WindowEntry& entry, QWidget* window);
// Opens the entry's window, hands it to `use` while it is shown and filled,
// then closes it and whatever it opened. An error text when the window did not
// show or is not the one of the entry; `use` is then not called.
QString make(const WindowEntry& entry, PictureSession& session, const std::function<void(QWidget*)>& use);
} // namespace WindowCatalogue
