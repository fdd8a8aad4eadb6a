#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/ui/PageControl.h"

#include <QAbstractItemModelTester>
#include <QFileDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

ModalAnswerer::ModalAnswerer() {
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start(10);
}

QStringList ModalAnswerer::texts() const {
    QStringList list;
    for (const Box& box : m_boxes)
        list.append(box.text);
    return list;
}

void ModalAnswerer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        Box seen;
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        if (box->defaultButton())
            seen.defaultButton = box->standardButton(box->defaultButton());
        m_boxes.append(seen);
        if (m_look)
            m_look(box);
        QMessageBox::StandardButton answer =
            seen.buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::No;
        if (!m_answers.isEmpty())
            answer = m_answers.takeFirst();
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->reject();
        return;
    }
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        if (m_fileActions.isEmpty()) {
            dialog->reject();
            return;
        }
        m_fileActions.takeFirst()(dialog);
        return;
    }
    // Run from the dialog's event loop, not from this timer's slot: Qt does
    // not fire a timer again while its slot runs, and the message boxes the
    // action opens must be answered here meanwhile.
    if (!m_dialogActions.isEmpty() && m_dialogActions.first().matches(modal)) {
        QMetaObject::invokeMethod(
            this,
            [run = m_dialogActions.takeFirst().run, dialog = QPointer<QWidget>(modal)] {
                if (dialog)
                    run(dialog);
            },
            Qt::QueuedConnection);
    }
}

void watchModel(QAbstractItemModel* model) {
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                 model);
}

bool buildNextTabPage(QObject* root) {
    const QList<TPageControl*> tabControls =
        root ? root->findChildren<TPageControl*>() : QList<TPageControl*>();
    for (TPageControl* tabs : tabControls) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isPageBuilt(i)) {
                tabs->buildPage(i);
                return true;
            }
        }
    }
    return false;
}

QString statusPanelText(QObject* form) {
    const auto* panel = form->findChild<QLabel*>(QStringLiteral("pnlMessagePanel0"));
    return panel ? panel->text() : QString();
}

QString clockPanelText(QObject* form) {
    const auto* panel = form->findChild<QLabel*>(QStringLiteral("pnlMessagePanel1"));
    return panel ? panel->text() : QString();
}

TSettings& MainFormAccess::settings(TMainForm& form) {
    return form.m_settings;
}

WindowTest::WindowTest() = default;
WindowTest::~WindowTest() = default;

void WindowTest::newProgramFolder() {
    clearProgramSettings();
    m_dir = std::make_unique<TempProgramDir>();
}

void WindowTest::openWindow() {
    m_form = std::make_unique<TMainForm>();
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
}

void WindowTest::closeWindow() {
    m_form.reset();
    m_dir.reset();
    m_answerer.reset();
}

void WindowTest::closeWaitBoxSoon(QObject* context, QString& shown) {
    QTimer::singleShot(0, context, [this, &shown] {
        auto* wait = control<QWidget>(m_form.get(), QStringLiteral("SplashForm"));
        shown = control<QLabel>(wait, QStringLiteral("lblTitle"))->text();
        wait->close();
    });
}

bool WindowTest::waitBoxVisible() const {
    return control<QWidget>(m_form.get(), QStringLiteral("SplashForm"))->isVisible();
}

void WindowTest::answerBoxes() {
    m_answerer = std::make_unique<ModalAnswerer>();
}
