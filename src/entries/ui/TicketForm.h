#pragma once

#include "common/ui/RowsModel.h"
#include "entries/TicketLines.h"

#include <QDialog>
#include <QSize>

class QLabel;
class QLayout;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class StripedGrid;

// The preview of the typed lines: each as it will be saved, or refused in red
// with the reason.
class TicketModel : public RowsModel<TicketLine> {
public:
    explicit TicketModel(QObject* parent = nullptr);

protected:
    QStringList rowTexts(const TicketLine& line) const override;
    Qt::Alignment alignment(int column) const override;
    QVariant foreground(const TicketLine& line) const override;
};

// The box that registers bought tickets: the lines of a ticket typed or
// pasted, the first draw and how many consecutive draws it was bought for;
// every good line is appended to the entry file of each draw of the run.
class TTicketForm : public QDialog {
    Q_OBJECT
public:
    // The size it opens at where the screen has room, and the least its controls need.
    static constexpr QSize kPreferredSize{920, 640};
    static constexpr QSize kMinimumSize{640, 420};

    // `nextDrawNumber` is the draw the main tab saves for, the first draw
    // offered.
    explicit TTicketForm(qint64 nextDrawNumber, QWidget* parent = nullptr);

    // Whether any line was written while the box was open.
    bool registered() const { return m_registered; }
    const QVector<TicketLine>& lines() const { return m_lines; }

    // Handlers.
    void memoTicketLinesChange();
    void btnTicketSaveClick();

private:
    QWidget* buildInput();
    QWidget* buildRun();
    QLayout* buildButtons();
    DrawRun drawRun() const;
    // Why nothing can be registered now, or nothing when something can.
    QString whyNotRegistered() const;

    QVector<TicketLine> m_lines;
    bool m_registered = false;

    QPlainTextEdit* m_memo = nullptr;
    QSpinBox* m_firstDraw = nullptr;
    QSpinBox* m_continue = nullptr;
    QLabel* m_draws = nullptr;
    QLabel* m_price = nullptr;
    StripedGrid* m_grid = nullptr;
    TicketModel* m_model = nullptr;
};
