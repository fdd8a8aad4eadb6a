#include "common/ui/MessageBox.h"

#include "common/AppError.h"
#include "common/ui/BusyScope.h"

#include <QMessageBox>

namespace {
QMessageBox::StandardButton showBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                    const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) {
    // A box puts the window in front of the user: what a running command
    // keeps the user away from is disabled now, if it was not yet.
    BusyState::lockNow();
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

void showGuideMessage(QWidget* parent, const QString& text) {
    showBox(parent, QMessageBox::Warning, QStringLiteral("ガイドメッセージ"), text, QMessageBox::Ok,
            QMessageBox::Ok);
}

bool askConfirmation(QWidget* parent, const QString& text) {
    return showBox(parent, QMessageBox::Warning, QStringLiteral("確認メッセージ"), text,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void showErrorMessage(QWidget* parent, const QString& text) {
    showBox(parent, QMessageBox::Critical, QStringLiteral("エラーメッセージ"), text,
            QMessageBox::Ok, QMessageBox::Ok);
}

bool runHandler(QWidget* parent, const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const TAppError& error) {
        showErrorMessage(parent, error.text());
    } catch (const std::exception& error) {
        showErrorMessage(parent, QString::fromLocal8Bit(error.what()));
    }
    return false;
}
