#pragma once

#include <QWidget>

class QLabel;

// The please-wait box: a small captioned window with one centred navy line,
// shown without modality while a long operation runs and hidden at its end.
// While it shows the progress of a step that may be stopped, it can be closed
// (which asks the step to stop) and is the one window taking input.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);

    // Sets the message, shows the box centred on the screen and paints it now.
    void showMessage(const QString& text);
    QString message() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_title;
};
