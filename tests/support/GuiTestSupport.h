#pragma once

#include "LayoutCheck.h"
#include "TestSupport.h"

#include "app/QtTranslations.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTimer>

#include <QTest>

#include <exception>
#include <functional>
#include <memory>

class QAbstractItemModel;
class QFileDialog;

// Answers modal dialogs as a user would: every few milliseconds it looks for
// the active modal widget; a message box is recorded (caption, text, icon) and
// answered with the next queued button, a file dialog is handed to the next
// queued file-dialog action.
class ModalAnswerer : public QObject {
    Q_OBJECT
public:
    struct Box {
        QString caption;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    ModalAnswerer();
    // Queues the answer for the next message box (default: Ok, or No if no Ok).
    void answer(QMessageBox::StandardButton button) { m_answers.append(button); }
    // Queues an action for the next QFileDialog: it must accept or reject it.
    void onFileDialog(std::function<void(QFileDialog*)> action) {
        m_fileActions.append(std::move(action));
    }
    // Runs for each message box before it is answered, e.g. to look at the
    // window behind it.
    void onEachBox(std::function<void(QMessageBox*)> look) { m_look = std::move(look); }
    // Queues an action for the next modal dialog of type T (a form of the
    // program); the action reads it and must close it. Message boxes shown
    // from inside the action are answered as usual.
    template <typename T> void onDialog(std::function<void(T*)> action) {
        m_dialogActions.append(
            {[](QWidget* modal) { return qobject_cast<T*>(modal) != nullptr; },
             [action = std::move(action)](QWidget* modal) { action(qobject_cast<T*>(modal)); }});
    }
    // Whether every queued dialog action has run.
    bool dialogsDone() const { return m_dialogActions.isEmpty(); }
    const QList<Box>& boxes() const { return m_boxes; }
    QStringList texts() const;
    void clear() { m_boxes.clear(); }

private:
    void poll();
    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QList<std::function<void(QFileDialog*)>> m_fileActions;
    struct DialogAction {
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> run;
    };
    QList<DialogAction> m_dialogActions;
    QList<Box> m_boxes;
    std::function<void(QMessageBox*)> m_look;
};

class TMainForm;
struct TSettings;

// The window's settings record, which in the program only the options page
// and the settings store change: tests set it directly.
struct MainFormAccess {
    static TSettings& settings(TMainForm& form);
};

// Thrown by control() after it has recorded the failure: it ends the test
// function instead of letting it go on with a null pointer.
struct MissingControl : std::exception {
    const char* what() const noexcept override { return "control not found"; }
};

// The window's tab pages are built when first shown: builds the next page
// that is not built yet, as if its tab had been shown but without showing it
// (the current tab and the status text stay). False when all are built.
bool buildNextTabPage(QObject* root);

// Finds a control of the window by its objectName, first building the tab
// page that holds it; fails the test if absent.
template <typename T> T* control(QObject* root, const QString& name) {
    T* found = root ? root->findChild<T*>(name) : nullptr;
    while (!found && buildNextTabPage(root))
        found = root->findChild<T*>(name);
    if (!found) {
        QTest::qFail(qPrintable(QStringLiteral("control %1 not found").arg(name)), __FILE__,
                     __LINE__);
        throw MissingControl();
    }
    return found;
}

// Base of the tests that drive the program window: each test function gets
// cleared settings and a new temporary program folder (m_dir) to write its
// data into, then opens the window over it (m_form). cleanup() must call
// closeWindow(), which closes the window before the folder goes.
class WindowTest : public QObject {
    Q_OBJECT
public:
    WindowTest();
    ~WindowTest() override;
    WindowTest(const WindowTest&) = delete;
    WindowTest& operator=(const WindowTest&) = delete;

protected:
    // Clears the stored settings and makes a new, empty program folder.
    void newProgramFolder();
    // Creates the window over the folder's data and shows it as the active window.
    void openWindow();
    // Ends the window, then removes the folder and stops answering boxes.
    void closeWindow();
    // Until closeWindow(), m_answerer answers and records the message boxes.
    void answerBoxes();
    // The control of the window with this objectName; fails the test if absent.
    template <typename T> T* find(const QString& name) const {
        return control<T>(m_form.get(), name);
    }
    // At the running command's next look at the events, reads the please-wait
    // box's text into `shown` and closes the box, as a user would.
    void closeWaitBoxSoon(QObject* context, QString& shown);
    bool waitBoxVisible() const;
    // Opens a Form with the window's menu command `command`, runs `body` on
    // it, then closes it; fails the test unless it opened.
    template <typename Form>
    void withMenuForm(ModalAnswerer& answerer, const QString& command,
                      const std::function<void(Form*)>& body) {
        answerer.onDialog<Form>([&](Form* form) {
            const auto close = qScopeGuard([form] { form->reject(); });
            body(form);
        });
        find<QAction>(command)->trigger();
        QVERIFY(answerer.dialogsDone());
    }

    std::unique_ptr<TempProgramDir> m_dir;
    std::unique_ptr<TMainForm> m_form;
    std::unique_ptr<ModalAnswerer> m_answerer;
};

// Checks the model's structure now and after every change it signals, for as
// long as the model lives (Qt's QAbstractItemModelTester); a breach fails the
// running test.
void watchModel(QAbstractItemModel* model);

// The text of status panel 0 and of the clock panel.
QString statusPanelText(QObject* form);
QString clockPanelText(QObject* form);

// main() of a widget test, in an isolated environment.
#define SEPTARION_TEST_MAIN(TestObject)                                                            \
    int main(int argc, char** argv) {                                                              \
        isolateTestEnvironment();                                                                  \
        QApplication app(argc, argv);                                                              \
        QApplication::setQuitOnLastWindowClosed(false); /* a closed box must not end the run */    \
        installQtTranslations();                        /* Qt's buttons read as in the program */  \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        try {                                                                                      \
            return QTest::qExec(&tc, argc, argv);                                                  \
        } catch (const MissingControl&) {                                                          \
            return 1; /* the failure naming the control is already reported */                     \
        }                                                                                          \
    }
