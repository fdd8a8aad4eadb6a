#include "data/ResultsImport.h"

#include "common/AppError.h"
#include "common/DataFolder.h"
#include "common/Formats.h"
#include "common/LineScanner.h"
#include "common/ProgramFiles.h"
#include "data/DataFileReader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMultiHash>

#include <algorithm>
#include <charconv>
#include <numeric>
#include <tuple>

namespace {

constexpr int kFriday = 5;
constexpr std::array<qint64, 2> kUsualIntervals = {7, 14};
// The most draws a repeat of main numbers names.
constexpr qsizetype kNamedRepeats = 3;

// The lines of a file; their draw numbers come from the loader's reading.
HeldFile readHeldFile(const QString& path) {
    HeldFile file;
    const std::optional<QByteArray> bytes = readFileIfExists(path);
    if (!bytes)
        return file;
    file.exists = true;
    file.bytes = *bytes;
    LineScanner scanner(file.bytes);
    ScannedLine line;
    while (scanner.next(line))
        file.lines.append({0, line.textBegin, line.textEnd});
    file.tailBegin = scanner.position();
    return file;
}

// The loader's own reading decides whether a held file is sound, and what
// draw number each line has ("+689" is 689): line i is the table's row i,
// since both read the lines as ReadLines does.
template <typename Table, typename Read>
void readHeldTable(const QString& path, HeldFile& file, Table& table, Read read) {
    try {
        DataFileReader reader(path);
        read(reader, table);
    } catch (const TAppError& error) {
        throw TAppError(QStringLiteral("データファイルに誤りがあるため取り込めません: %1\n%2")
                            .arg(QDir::toNativeSeparators(path), error.text()));
    }
    if (file.lines.size() != table.count())
        throw TAppError(QStringLiteral("データファイルが読み込み中に変更されました: %1")
                            .arg(QDir::toNativeSeparators(path)));
    for (int i = 0; i < table.count(); ++i)
        file.lines[i].drawNumber = table.at(i).DrawNumber;
}

QString numbersText(const QVector<int>& numbers) {
    QStringList texts;
    texts.reserve(numbers.size());
    for (const int n : numbers)
        texts.append(formatTwoDigits(n));
    return texts.join(u' ');
}

template <typename Array> QVector<int> sortedNumbers(const Array& numbers) {
    QVector<int> sorted(numbers.begin(), numbers.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

QString drawName(qint64 drawNumber) {
    return QStringLiteral("第%1回").arg(drawNumber);
}

// How a draw that the files hold differs from the one read; empty when alike.
QStringList differences(const ReadDraw& read, const DrawResult& held,
                        const std::optional<PrizeRecord>& heldPrize) {
    QStringList found;
    if (read.hasNumbers) {
        const QVector<int> mains = sortedNumbers(held.MainNumbers);
        const QVector<int> bonus = sortedNumbers(held.BonusNumbers);
        if (read.date != held.drawDate())
            found.append(QStringLiteral("抽選日が登録済みの %1 と異なります")
                             .arg(formatDate(held.drawDate())));
        if (read.mainNumbers != mains)
            found.append(
                QStringLiteral("本数字が登録済みの %1 と異なります").arg(numbersText(mains)));
        if (read.bonusNumbers != bonus)
            found.append(
                QStringLiteral("ボーナス数字が登録済みの %1 と異なります").arg(numbersText(bonus)));
    }
    if (read.prize && heldPrize) {
        const PrizeRecord& a = *read.prize;
        const PrizeRecord& b = *heldPrize;
        if (a.Winners != b.Winners || a.Amounts != b.Amounts || a.CarryOver != b.CarryOver)
            found.append(QStringLiteral("賞金データが登録済みのものと異なります"));
    }
    return found;
}

// The state of a draw that the files hold, and why.
void compareWithHeld(ImportRow& row, const DrawResult& heldDraw,
                     const std::optional<PrizeRecord>& heldPrize) {
    if (!row.draw.hasNumbers) {
        // Prize data alone: the preview shows the numbers they belong to.
        row.draw.date = heldDraw.drawDate();
        row.draw.mainNumbers = sortedNumbers(heldDraw.MainNumbers);
        row.draw.bonusNumbers = sortedNumbers(heldDraw.BonusNumbers);
    }
    if (const QStringList found = differences(row.draw, heldDraw, heldPrize); !found.isEmpty()) {
        row.state = ImportState::Conflict;
        row.remarks = found;
    } else if (row.draw.prize && !heldPrize) {
        row.state = ImportState::New;
        row.remarks.append(QStringLiteral("賞金データの追加"));
    } else {
        row.state = ImportState::AlreadyHeld;
    }
}

ImportRow classify(const ReadDraw& draw, const HeldResults& held) {
    ImportRow row{draw, ImportState::Refused, {}, false};
    if (draw.refused()) {
        row.remarks.append(draw.refusal);
        return row;
    }
    const int number = static_cast<int>(draw.drawNumber);
    if (const DrawResult* heldDraw = held.draw(number)) {
        compareWithHeld(row, *heldDraw, held.prize(number));
    } else if (draw.hasNumbers) {
        row.state = ImportState::New;
    } else {
        row.remarks.append(QStringLiteral("この開催回の抽選数字がありません"));
        return row;
    }
    row.remarks.append(draw.notes);
    return row;
}

// Dates of the draws known to the files or read, for the interval warning.
class KnownDates {
public:
    KnownDates(const QVector<ImportRow>& rows, const HeldResults& held) : m_held(held) {
        for (const ImportRow& row : rows)
            if (row.state != ImportState::Refused && row.draw.hasNumbers)
                m_read.insert(static_cast<int>(row.draw.drawNumber), row.draw.date);
    }
    // The date of a draw: as read when it is read (and so may be taken), else held.
    QDate of(int drawNumber) const {
        if (const auto found = m_read.constFind(drawNumber); found != m_read.cend())
            return *found;
        const DrawResult* draw = m_held.draw(drawNumber);
        return draw ? draw->drawDate() : QDate();
    }
    bool known(int drawNumber) const { return of(drawNumber).isValid(); }

private:
    const HeldResults& m_held;
    QHash<int, QDate> m_read;
};

void addWarnings(ImportRow& row, const KnownDates& dates, const HeldResults& held) {
    const ReadDraw& draw = row.draw;
    const int number = static_cast<int>(draw.drawNumber);
    if (draw.hasNumbers) {
        if (draw.date.dayOfWeek() != kFriday)
            row.remarks.append(QStringLiteral("抽選日が金曜日ではありません"));
        const QDate before = dates.of(number - 1);
        if (before.isValid()) {
            const qint64 days = before.daysTo(draw.date);
            if (std::find(kUsualIntervals.begin(), kUsualIntervals.end(), days) ==
                kUsualIntervals.end())
                row.remarks.append(QStringLiteral("前回（%1 %2）から%3日後です")
                                       .arg(drawName(number - 1), formatDate(before))
                                       .arg(days));
        }
    }
    const int newest = held.newestDrawNumber();
    if (newest > 0 && number > newest + 1 && !dates.known(number - 1)) {
        int first = number - 1;
        while (first - 1 > newest && !dates.known(first - 1))
            --first;
        row.remarks.append(
            first == number - 1
                ? QStringLiteral("%1がありません").arg(drawName(first))
                : QStringLiteral("%1～%2がありません").arg(drawName(first), drawName(number - 1)));
    }
    if (!draw.prize && !held.prize(number))
        row.remarks.append(QStringLiteral("賞金データなし"));
}

template <typename Numbers> quint64 numbersMask(const Numbers& numbers) {
    quint64 mask = 0;
    for (const int n : numbers)
        mask |= quint64{1} << (n & 63);
    return mask;
}

// A new draw drawn with the very numbers of another is most likely a slip:
// the numbers typed or pasted into the wrong draw.
void warnRepeatedNumbers(QVector<ImportRow>& rows, const HeldResults& held) {
    QMultiHash<quint64, qint64> drawsOf;
    for (const DrawResult& draw : held.draws().draws())
        drawsOf.insert(numbersMask(draw.MainNumbers), draw.DrawNumber);
    for (const ImportRow& row : rows)
        if (row.state != ImportState::Refused && row.draw.hasNumbers)
            drawsOf.insert(numbersMask(row.draw.mainNumbers), row.draw.drawNumber);
    for (ImportRow& row : rows) {
        // A held draw that brings its prize data is no slip of this import.
        const bool alreadyHeld = held.draw(static_cast<int>(row.draw.drawNumber)) != nullptr;
        if (row.state != ImportState::New || !row.draw.hasNumbers || alreadyHeld)
            continue;
        // A few are named: a file of one set of numbers over and over names
        // each draw's first ones, not every other draw.
        QList<qint64> others;
        const quint64 mask = numbersMask(row.draw.mainNumbers);
        for (auto it = drawsOf.constFind(mask);
             it != drawsOf.cend() && it.key() == mask && others.size() < kNamedRepeats; ++it)
            if (*it != row.draw.drawNumber && !others.contains(*it))
                others.append(*it);
        std::sort(others.begin(), others.end());
        QStringList names;
        for (const qint64 other : others)
            names.append(drawName(other));
        if (!names.isEmpty())
            row.remarks.append(
                QStringLiteral("本数字が%1と同じです").arg(names.join(QStringLiteral("、"))));
    }
}

// Digits written straight into the line: a merge writes up to 200,000 lines.
void appendNumber(QByteArray& out, qint64 value) {
    std::array<char, 24> digits{};
    const char* end = std::to_chars(digits.begin(), digits.end(), value).ptr;
    out.append(digits.data(), end - digits.data());
}

void appendTwoDigits(QByteArray& out, int value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

// Four digits, the only year the loader reads: 999 would be written 0999.
void appendYear(QByteArray& out, int year) {
    appendTwoDigits(out, year / 100);
    appendTwoDigits(out, year % 100);
}

QByteArray digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// A line of the merged file: its draw number and its text.
struct MergedLine {
    int drawNumber;
    QByteArrayView text;
};

// The taken lines of one file, by draw number (1..kMaxDrawNumber).
struct TakenLines {
    QVector<std::pair<int, QByteArray>> lines;
    QVector<bool> replaces = QVector<bool>(kMaxDrawNumber + 1, false);

    void add(int drawNumber, QByteArray line) {
        replaces[drawNumber] = true;
        lines.append({drawNumber, std::move(line)});
    }
};

QByteArray mergeFile(const HeldFile& file, const TakenLines& taken) {
    QVector<MergedLine> lines;
    lines.reserve(file.lines.size() + taken.lines.size());
    for (const HeldFile::Line& line : file.lines)
        if (!taken.replaces.value(line.drawNumber, false))
            lines.append({line.drawNumber, QByteArrayView(file.bytes.constData() + line.begin,
                                                          line.end - line.begin)});
    for (const auto& [drawNumber, text] : taken.lines)
        lines.append({drawNumber, text});
    std::stable_sort(lines.begin(), lines.end(), [](const MergedLine& a, const MergedLine& b) {
        return a.drawNumber > b.drawNumber;
    });
    QByteArray out;
    qsizetype size = file.bytes.size() - file.tailBegin;
    for (const MergedLine& line : lines)
        size += line.text.size() + 2;
    out.reserve(size);
    for (const MergedLine& line : lines) {
        out.append(line.text);
        out.append("\r\n", 2);
    }
    out.append(QByteArrayView(file.bytes).sliced(file.tailBegin));
    return out;
}

QString downloadFile(const QString& downloadDir, const QString& name) {
    return QDir(downloadDir).filePath(name);
}

// Before an import or an undo. A pair a kill left pending is settled; the
// caller read the files before, so it must not go on. The temporary copies
// a kill left beside the four files go: a file written again removes its own,
// but an import or an undo may leave a file as it is.
void prepareWrite(const QString& downloadDir) {
    const PairSettled settled = settlePendingPair(downloadDir);
    for (const QString& name : {kDrawFileName, kPrizeFileName})
        for (const QString& file : {name, name + kBackupSuffix})
            removeWriteLeftovers(downloadFile(downloadDir, file));
    if (settled != PairSettled::Nothing)
        throw TAppError(pairSettledMessage(settled) +
                        QStringLiteral("\nデータファイルが変わったため、中止しました。"
                                       "内容を確かめてから、もう一度実行してください。"));
}

// Stages the file unless it already holds these bytes.
void stageChanged(PairReplacement& pair, const QString& name, const QByteArray& bytes,
                  const QByteArray& bytesDigest, const std::optional<QByteArray>& held) {
    if (!held || *held != bytes)
        pair.stage(name, bytes, bytesDigest);
}

} // namespace

HeldResults HeldResults::read(const QString& downloadDir) {
    HeldResults held;
    const QString drawPath = downloadFile(downloadDir, kDrawFileName);
    const QString prizePath = downloadFile(downloadDir, kPrizeFileName);
    held.m_drawFile = readHeldFile(drawPath);
    held.m_prizeFile = readHeldFile(prizePath);
    readHeldTable(drawPath, held.m_drawFile, held.m_draws, readDrawLines);
    readHeldTable(prizePath, held.m_prizeFile, held.m_prizes, readPrizeLines);
    held.m_drawRows = DrawIndex(held.m_draws);
    held.m_prizeRows = DrawIndex(held.m_prizes);
    for (const DrawResult& draw : held.m_draws.draws())
        held.m_newest = std::max(held.m_newest, draw.DrawNumber);
    return held;
}

const DrawResult* HeldResults::draw(int drawNumber) const {
    const int row = m_drawRows.rowOf(drawNumber);
    return row < 0 ? nullptr : &m_draws.at(row);
}

std::optional<PrizeRecord> HeldResults::prize(int drawNumber) const {
    const int row = m_prizeRows.rowOf(drawNumber);
    if (row < 0)
        return std::nullopt;
    return m_prizes.at(row);
}

QVector<ImportRow> checkImport(const QVector<ReadDraw>& draws, const HeldResults& held) {
    // Sorted through their indices: each row, a large record, moves once.
    QVector<qsizetype> order(draws.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&draws](qsizetype a, qsizetype b) {
        return draws.at(a).drawNumber > draws.at(b).drawNumber;
    });
    QVector<ImportRow> rows;
    rows.reserve(draws.size());
    for (const qsizetype index : order) {
        rows.append(classify(draws.at(index), held));
        rows.back().readIndex = index;
    }
    const KnownDates dates(rows, held);
    for (ImportRow& row : rows)
        if (row.state == ImportState::New || row.state == ImportState::Conflict)
            addWarnings(row, dates, held);
    warnRepeatedNumbers(rows, held);
    return rows;
}

QStringList importHeaders() {
    return {QStringLiteral("状態"),   QStringLiteral("開催回"),       QStringLiteral("抽選日"),
            QStringLiteral("本数字"), QStringLiteral("ボーナス数字"), QStringLiteral("賞金データ"),
            QStringLiteral("上書き"), QStringLiteral("備考")};
}

QStringList importRowTexts(const ImportRow& row) {
    static const std::array<QString, 4> kStates = {QStringLiteral("不正"), QStringLiteral("取込済"),
                                                   QStringLiteral("競合"), QStringLiteral("新規")};
    const ReadDraw& draw = row.draw;
    return {kStates.at(static_cast<size_t>(row.state)),
            QString::number(draw.drawNumber),
            draw.date.isValid() ? formatDate(draw.date) : draw.dateText,
            numbersText(draw.mainNumbers),
            numbersText(draw.bonusNumbers),
            draw.prize ? QStringLiteral("有") : QStringLiteral("無"),
            QString(),
            row.remarks.join(QStringLiteral("、"))};
}

QString importRowDetails(const ImportRow& row) {
    const ReadDraw& draw = row.draw;
    QStringList lines{QStringLiteral("%1 %2").arg(
        drawName(draw.drawNumber), draw.date.isValid() ? formatDate(draw.date) : draw.dateText)};
    if (draw.prize) {
        const PrizeRecord& prize = *draw.prize;
        for (int tier = 0; tier < kPrizeTiers; ++tier) {
            const qint64 winners = prize.Winners.at(tier);
            lines.append(winners == 0
                             ? QStringLiteral("%1等 該当なし").arg(tier + 1)
                             : QStringLiteral("%1等 %2口 %3円")
                                   .arg(tier + 1)
                                   .arg(groupDigits(winners), groupDigits(prize.Amounts.at(tier))));
        }
        lines.append(QStringLiteral("キャリーオーバー %1円").arg(groupDigits(prize.CarryOver)));
    } else if (!row.remarks.contains(QStringLiteral("賞金データなし"))) {
        lines.append(QStringLiteral("賞金データなし"));
    }
    lines.append(row.remarks);
    return lines.join(u'\n');
}

QString importSummary(const QVector<ImportRow>& rows) {
    std::array<int, 4> counts{};
    for (const ImportRow& row : rows)
        ++counts.at(static_cast<size_t>(row.state));
    return QStringLiteral("%1件読込 ／ %2件新規 ／ %3件取込済 ／ %4件競合 ／ %5件不正")
        .arg(rows.size())
        .arg(counts[static_cast<size_t>(ImportState::New)])
        .arg(counts[static_cast<size_t>(ImportState::AlreadyHeld)])
        .arg(counts[static_cast<size_t>(ImportState::Conflict)])
        .arg(counts[static_cast<size_t>(ImportState::Refused)]);
}

bool anyRowTaken(const QVector<ImportRow>& rows) {
    return std::any_of(rows.begin(), rows.end(), [](const ImportRow& row) { return row.taken(); });
}

QByteArray normalDrawLine(const ReadDraw& draw) {
    QByteArray line;
    line.reserve(48);
    appendNumber(line, draw.drawNumber);
    line += ',';
    appendYear(line, draw.date.year());
    for (const int part : {draw.date.month(), draw.date.day()}) {
        line += '/';
        appendTwoDigits(line, part);
    }
    for (const QVector<int>* numbers : {&draw.mainNumbers, &draw.bonusNumbers})
        for (const int n : *numbers) {
            line += ',';
            appendTwoDigits(line, n);
        }
    return line;
}

QByteArray normalPrizeLine(const PrizeRecord& prize) {
    QByteArray line;
    line.reserve(96);
    appendNumber(line, prize.DrawNumber);
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        line += ',';
        appendNumber(line, prize.Winners.at(tier));
        line += ',';
        appendNumber(line, prize.Amounts.at(tier));
    }
    line += ',';
    appendNumber(line, prize.CarryOver);
    return line;
}

MergedFiles mergeImport(const HeldResults& held, const QVector<ImportRow>& rows) {
    TakenLines drawLines;
    TakenLines prizeLines;
    for (const ImportRow& row : rows) {
        if (!row.taken())
            continue;
        const int number = static_cast<int>(row.draw.drawNumber);
        if (row.draw.hasNumbers)
            drawLines.add(number, normalDrawLine(row.draw));
        if (row.draw.prize)
            prizeLines.add(number, normalPrizeLine(*row.draw.prize));
    }
    return {mergeFile(held.drawFile(), drawLines), mergeFile(held.prizeFile(), prizeLines)};
}

ImportRecord writeImport(const QString& downloadDir, const HeldResults& held,
                         const MergedFiles& merged) {
    if (!QDir().mkpath(downloadDir))
        throw TAppError(QStringLiteral("フォルダーを作成できません: %1")
                            .arg(QDir::toNativeSeparators(downloadDir)));
    prepareWrite(downloadDir);
    ImportRecord written{digest(merged.draws), digest(merged.prizes)};
    PairReplacement pair(downloadDir, PairReplacement::Fallback::Backups);
    for (const auto& [name, file, bytes, bytesDigest] :
         {std::tuple{kDrawFileName, &held.drawFile(), &merged.draws, &written.drawDigest},
          std::tuple{kPrizeFileName, &held.prizeFile(), &merged.prizes, &written.prizeDigest}}) {
        const QString backup = downloadFile(downloadDir, name + kBackupSuffix);
        if (file->exists)
            writeOwnFile(backup, file->bytes);
        else
            QFile::remove(backup); // it belonged to another pair
        stageChanged(pair, name, *bytes, *bytesDigest,
                     file->exists ? std::optional(file->bytes) : std::nullopt);
    }
    pair.commit();
    if (!held.drawFile().exists || !held.prizeFile().exists)
        return {};
    return written;
}

bool canUndoImport(const QString& downloadDir, const ImportRecord& last) {
    if (!last.valid())
        return false;
    try {
        for (const QString& name : {kDrawFileName, kPrizeFileName})
            if (!QFile::exists(downloadFile(downloadDir, name + kBackupSuffix)))
                return false;
        const std::optional<QByteArray> draws =
            readFileIfExists(downloadFile(downloadDir, kDrawFileName));
        const std::optional<QByteArray> prizes =
            readFileIfExists(downloadFile(downloadDir, kPrizeFileName));
        return draws && prizes && digest(*draws) == last.drawDigest &&
               digest(*prizes) == last.prizeDigest;
    } catch (const TAppError&) {
        return false;
    }
}

void undoImport(const QString& downloadDir) {
    prepareWrite(downloadDir);
    PairReplacement pair(downloadDir, PairReplacement::Fallback::Backups);
    for (const QString& name : {kDrawFileName, kPrizeFileName}) {
        const QString backup = downloadFile(downloadDir, name + kBackupSuffix);
        const std::optional<QByteArray> bytes = readFileIfExists(backup);
        if (!bytes)
            throw TAppError(QStringLiteral("元に戻すファイルがありません: %1")
                                .arg(QDir::toNativeSeparators(backup)));
        stageChanged(pair, name, *bytes, digest(*bytes),
                     readFileIfExists(downloadFile(downloadDir, name)));
    }
    pair.commit();
}
