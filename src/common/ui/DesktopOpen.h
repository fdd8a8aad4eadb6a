#pragma once

#include <QUrl>

#include <functional>

// The desktop's "open" action for a document or a web address: true when a
// program was started for it (a PDF viewer, a browser), false when none
// could be.
bool openWithDesktop(const QUrl& url);

// Test hook: while set, openWithDesktop returns what the hook returns instead
// of asking the desktop. nullptr restores the desktop.
void setDesktopOpenHook(std::function<bool(const QUrl&)> hook);
