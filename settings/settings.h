#pragma once

// The per-user settings store of the program (organisation "Kestrane",
// application "RIDezu") and every key it holds, with its type, default and
// limits. The window, the dock and the dialogs read and
// write their keys only through this class, so a key is spelt, limited and
// defaulted in one place.
//
// Each object opens the store when it is made and lets it go when it is
// destroyed; make one per operation: Settings().setLastPath(path). Values
// are limited when they are read, so a damaged or hand-edited store never
// reaches the program outside its limits.

#include <QByteArray>
#include <QRect>
#include <QSettings>
#include <QString>
#include <QStringList>

class Settings
{
public:
    // FontSizeDefault and OffsetDefault are the display defaults of the
    // whole program: the drawing, the window's display values and the
    // command-line report start from them.
    // "fontsize": pixel size of the labels at the fitted scale.
    static constexpr int FontSizeDefault = 40;
    static constexpr int FontSizeMin = 10;
    static constexpr int FontSizeMax = 100;
    // "offset": scale of arrows, springs and diagrams.
    static constexpr int OffsetDefault = 2;
    static constexpr int OffsetMin = 1;
    static constexpr int OffsetMax = 10;
    // "recentFileList": how many paths are kept, newest first.
    static constexpr int MaxRecentFiles = 8;

    // The data dialogs that keep their size ("...dlg") and, all but the pile
    // dialog, whether their help text is shown ("...dlgtxt").
    enum class Dialog { Base, Pile, Soil, Anchor, Force, Design };

    Settings();

    // "geometry" and "windowState" of the main window (empty when absent).
    QByteArray geometry() const;
    void setGeometry(const QByteArray &geometry);
    QByteArray windowState() const;
    void setWindowState(const QByteArray &state);

    // "fontsize", default 40 (also for a value that is no number), read
    // within 10 to 100.
    int fontSize() const;
    void setFontSize(int size);
    // "offset", default 2 (also for a value that is no number); read as 1
    // when 0 or less and as 10 above 10.
    int offset() const;
    void setOffset(int offset);

    // "lastpath": the directory of the last project opened or saved, with
    // native separators; empty when absent.
    QString lastPath() const;
    // Stores the directory of the given file.
    void setLastPath(const QString &filePath);

    // "recentFileList": the stored paths, newest first, at most eight.
    QStringList recentFiles() const;
    // Stores the first eight paths of the list.
    void setRecentFiles(const QStringList &files);
    // Removes the path (native separators, exact comparison) from the list
    // and, when add is true, puts it in front. Writes only when the list
    // changed.
    void updateRecentFiles(const QString &path, bool add);

    // The dialog's stored rectangle (x, y, width and height); an empty
    // rectangle when absent or unusable.
    QRect dialogGeometry(Dialog dialog) const;
    void setDialogGeometry(Dialog dialog, const QRect &rect);
    // Whether the dialog shows its help text; true when absent. The pile
    // dialog has no help text: always true, and nothing is stored.
    bool dialogHelpShown(Dialog dialog) const;
    void setDialogHelpShown(Dialog dialog, bool shown);

    // "DockState": the splitter of the side dock (empty when absent).
    QByteArray dockState() const;
    void setDockState(const QByteArray &state);

private:
    // Mutable because reading an array moves the store's array cursor.
    mutable QSettings m_store;
};
