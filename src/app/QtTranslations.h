#pragma once

#include <QString>

// Makes Qt's own texts (standard buttons such as はい and いいえ, the file
// dialog) Japanese like the rest of the program, whatever the user's locale:
// installs Qt's translation qtbase_ja from the given folder, by default Qt's
// translations folder. Call once after the application object is made and
// before any window exists. Returns false, changing nothing, when the file is
// missing or unreadable: Qt's texts then stay English.
bool installQtTranslations(const QString& folder = QString());
