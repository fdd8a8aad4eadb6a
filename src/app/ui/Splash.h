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

// Shows the please-wait box for the life of a scope and hides it at the end,
// however the scope is left.
class SplashScope {
public:
    SplashScope(TSplashForm* splash, const QString& text) : m_splash(splash) {
        if (m_splash)
            m_splash->showMessage(text);
    }
    ~SplashScope() {
        if (m_splash)
            m_splash->hide();
    }
    SplashScope(const SplashScope&) = delete;
    SplashScope& operator=(const SplashScope&) = delete;

private:
    TSplashForm* m_splash;
};
