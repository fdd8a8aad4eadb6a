#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's three message boxes, each always with the same caption, icon
// and buttons.
// Guidance and refused input: "ガイドメッセージ", exclamation icon, OK.
void showGuideMessage(QWidget* parent, const QString& text);
// Before deleting data: "確認メッセージ", exclamation icon, Yes and No with No
// the default. True only when the user answered Yes.
bool askConfirmation(QWidget* parent, const QString& text);
// Failures: "エラーメッセージ", error icon, OK.
void showErrorMessage(QWidget* parent, const QString& text);

// Runs a handler body; a failure it throws (TAppError or another exception)
// ends the body and is shown in the error box. Returns false after a failure.
bool runHandler(QWidget* parent, const std::function<void()>& body);
