#pragma once

#include <QString>

// The maker's name and the program's: together they name the settings store
// (~/.config/Ozumel/Septarion.conf) and the per-user data folder
// (~/.local/share/Ozumel/Septarion). Every reader of the store uses these, so
// no part of the program can read or write a store of its own by mistake.
inline QString organizationName() {
    return QStringLiteral("Ozumel");
}

inline QString programName() {
    return QStringLiteral("Septarion");
}
