#pragma once

#include "ledger/Ledger.h"

#include "common/ui/RowsModel.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QDialog>
#include <QSize>

class QCategoryAxis;
class QCheckBox;
class QChartView;
class QComboBox;
class QLabel;
class QLayout;
class QLineSeries;
class QPushButton;
class QValueAxis;
class StripedGrid;

// The ledger rows of the chosen period: texts, right-aligned amounts, grey
// rows whose claim deadline has passed, highlighted rows whose deadline is
// near.
class LedgerModel : public RowsModel<LedgerRow> {
    Q_OBJECT
public:
    explicit LedgerModel(QObject* parent = nullptr);
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A tick in the cashed column is not taken here: it asks claimToggled,
    // whose handler stores it and calls setClaimed.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    void setRows(const QVector<LedgerRow>& rows, const QDate& today);
    void setClaimed(int row, const QDate& on);

signals:
    void claimToggled(int row, bool claimed);

protected:
    QStringList rowTexts(const LedgerRow& row) const override;
    Qt::Alignment alignment(int column) const override;
    QVariant foreground(const LedgerRow& row) const override;
    QVariant background(const LedgerRow& row) const override;
    QVariant otherData(const LedgerRow& row, const QModelIndex& index, int role) const override;

private:
    QDate m_today;
};

// The winnings-and-spending box: every saved line checked against its draw,
// the totals of the chosen year, the cumulative spending and winnings as a
// chart, and the grid as a CSV file.
class TLedgerForm : public QDialog {
    Q_OBJECT
public:
    // The size it opens at where the screen has room.
    static constexpr QSize kPreferredSize{1200, 712};

    TLedgerForm(const DrawTable& draws, const PrizeTable& prizes, QWidget* parent = nullptr);

    // Reads the entry files of the data folder's client/ and fills the box;
    // "today" is the program clock's local date.
    void reload();
    // Fills the box from a ledger already built.
    void setLedger(const Ledger& ledger, const QDate& today);

    // The rows shown now (the chosen period).
    const QVector<LedgerRow>& shownRows() const { return m_shown; }
    void btnLedgerExportClick();
    // Ticks or unticks a shown row as cashed: client/claimed.csv first, then
    // the grid and the unclaimed figure; a failed write changes nothing.
    void gridLedgerClaimToggle(int row, bool claimed);
    void chkLedgerRemindClick(bool checked);

protected:
    // Space on the grid ticks or unticks the current row, whichever cell of
    // the row is current.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLayout* buildTotals();
    QWidget* buildGrid();
    QWidget* buildChart();
    QLayout* buildButtons();
    void cmbLedgerYearChange();
    void showTotals();
    void showChart();

    const DrawTable& m_draws;
    const PrizeTable& m_prizes;
    Ledger m_ledger;
    QDate m_today;
    QVector<LedgerRow> m_shown;

    QComboBox* m_year = nullptr;
    QLabel* m_lines = nullptr;
    QLabel* m_cost = nullptr;
    QLabel* m_won = nullptr;
    QLabel* m_net = nullptr;
    QLabel* m_rate = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_unclaimed = nullptr;
    StripedGrid* m_grid = nullptr;
    LedgerModel* m_model = nullptr;
    QChartView* m_chart = nullptr;
    QLineSeries* m_costSeries = nullptr;
    QLineSeries* m_wonSeries = nullptr;
    QValueAxis* m_drawAxis = nullptr;
    QCategoryAxis* m_yenAxis = nullptr;
};
