#pragma once

// The per-user settings store of the program.

#include <QSettings>

// Opens the store; each operation opens its own and lets it go afterwards.
inline QSettings openSettings()
{
    return QSettings(QStringLiteral("Kestrane"), QStringLiteral("RIDezu"));
}
