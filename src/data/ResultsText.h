#pragma once

#include "data/PrizeTable.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// Reading draw results out of text a player brings in: a results file of
// another tool or site, the lottery's results page copied as text, or lines
// typed by hand. The text is read line by line; lines that do not look like
// a draw (blank lines, headings, table titles, other rows of a results page)
// are skipped without a word, while a line that looks like a draw but fails
// a check is kept as a refused draw, so the player sees why it was not taken.
//
// Layouts read:
//  - the program's own lines of Loto7Number.csv (11 fields) and Loto7Data.csv
//    (14 fields, prize data alone);
//  - an all-draws CSV headed "開催回,日付,第1数字,…,BONUS数字1,BONUS数字2,
//    1等口数,…,6等口数,1等賞金,…,6等賞金,キャリーオーバー" (counts before amounts);
//  - a CSV headed "抽せん日,本数字,ボーナス数字,回別,1等口数,1等当選金額,…,
//    6等口数,6等当選金額,キャリーオーバー" (numbers space-separated in one field,
//    "第689回", "1口", "\"1,200,000,000円\"", "該当なし");
//  - blocks of the results page: "回別 第695回", "抽せん日 2026年9月18日",
//    "本数字 05 06 …", "ボーナス数字 (15) (18)", "1等 1口 1,200,000,000円" …
//    "6等 …", "キャリーオーバー 0円", cells separated by tabs or spaces;
//  - the lottery's own results file of one draw or several: "第690回ロト7,
//    数字選択式全国自治宝くじ,令和8年8月14日,…", "支払期間,…", "本数字,03,10,…,
//    ボーナス数字,19,34", "1等,該当なし,該当なし" … "6等,164,199口,1,000円",
//    "キャリーオーバー,1250502065円", "販売実績額,…" (commas of a value quoted
//    or not);
//  - one draw per line, free form: "第690回 2026/08/14 03 10 14 17 18 20 25
//    (19) (34)" or "690,2026/08/14,03,10,14,17,18,20,25,19,34".
// Full-width digits and signs, and 令和/平成 dates (令和元年 is 2019), are read.

// The text of a file's bytes: UTF-8, with or without a byte-order mark;
// bytes that are not valid UTF-8 are read as Shift_JIS (CP932).
QString decodeResultsText(const QByteArray& bytes);

// One draw as read, before it is compared with the data files.
struct ReadDraw {
    int sourceLine = 0; // 1-based line of the text where the draw begins

    // What was read, also when the draw is refused, so the preview can show
    // it. Once the draw passes the checks the numbers are ascending.
    qint64 drawNumber = 0;
    QDate date;       // invalid when the date read does not exist
    QString dateText; // the date as written (for a refused row)
    QVector<int> mainNumbers;
    QVector<int> bonusNumbers;

    // False for a prize-data line alone (a line of Loto7Data.csv): the draw
    // brings prize data for numbers held elsewhere.
    bool hasNumbers = true;
    // The prize data, when the text gave exact and complete ones that passed
    // the checks. DrawNumber matches drawNumber.
    std::optional<PrizeRecord> prize;

    // Why the draw is refused; empty when it is not.
    QString refusal;
    // Remarks on a draw that is taken, e.g. that its prize amounts were
    // rounded to 億 or 万 and only its numbers are taken.
    QStringList notes;

    bool refused() const { return !refusal.isEmpty(); }
};

// The draws of the text in the order they appear. The lines of one draw that
// come apart (its Loto7Number.csv line and its Loto7Data.csv line) make one
// draw; the same draw read twice alike is listed once, and a draw number read
// again with other content is refused the second time.
//
// A draw is refused when: its draw number is outside 1..99999; it has not
// seven distinct main numbers of 1..37; not two distinct bonus numbers of
// 1..37, or a bonus number is among the main numbers; its date does not
// exist, is before the first draw (2013/04/05) or more than a year after
// today (Clock); a count or amount is negative or not a whole number; a tier has
// winners and no amount, or an amount and no winners.
// A draw is taken with its numbers only, and a note says why, when: its
// amounts are rounded to 億 or 万; its prize rows are incomplete; its
// carry-over is exactly 2,147,483,647 (a value another tool cut to 32 bits).
QVector<ReadDraw> readResultsText(const QString& text);

// A draw typed in by hand, checked as a read one: `numbers` holds the seven
// main numbers, then the two bonus numbers; `prize` each tier's count and
// amount as typed (comma groups and full-width digits allowed), then the
// carry-over, or nothing at all when no prize data was typed.
ReadDraw readTypedDraw(qint64 drawNumber, QDate date, const QVector<int>& numbers,
                       const QStringList& prize);

// What is said when a text holds no draw: the layouts that are read.
QString noResultsMessage();
