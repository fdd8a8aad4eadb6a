#include "common/ui/DesktopOpen.h"

#include <QDesktopServices>

namespace {
std::function<bool(const QUrl&)>& hook() {
    static std::function<bool(const QUrl&)> h;
    return h;
}
} // namespace

bool openWithDesktop(const QUrl& url) {
    return hook() ? hook()(url) : QDesktopServices::openUrl(url);
}

void setDesktopOpenHook(std::function<bool(const QUrl&)> h) {
    hook() = std::move(h);
}
