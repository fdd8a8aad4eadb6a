#pragma once

#include <QWidget>

class QLabel;

// The please-wait box: a small captioned window with one centred navy line,
// shown without modality while a long operation runs and hidden at its end.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);

    // Sets the message, shows the box centred on the screen and paints it now.
    void showMessage(const QString& text);
    QString message() const;

private:
    QLabel* m_title;
};
