// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/RaceJournal.h"
#include "KillTrial.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <random>
#include <unistd.h>

using namespace drivo;

namespace {

const QByteArray kHeader = QByteArray(kJournalHeader.data(), kJournalHeader.size()) + "\r\n";

// A race of time ms at speed m/s; profile 0 is none sent yet, n > 0 the defaults with Time1 = n.
JournalEntry Race(int time, double speed, int profile, const char* at = "2025-03-14T09:26:53") {
    JournalEntry e{at, time, speed, std::nullopt};
    if (profile > 0) {
        std::uint16_t languageId = 0;
        e.Profile.emplace();
        LoadDefaults(*e.Profile, languageId, 1036);
        e.Profile->Time[0] = profile;
    }
    return e;
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The child appends two races in turn until it is killed; it never returns.
[[noreturn]] void AppendForever(const std::string& path, int ready) {
    const JournalEntry races[] = {Race(1234, 3, 100), Race(987, 4.5, 0)};
    const char started = 1;
    (void)!write(ready, &started, 1);
    for (unsigned i = 0;; ++i)
        AppendToJournal(path, races[i % 2]);
}

} // namespace

class RaceJournalTest : public QObject {
    Q_OBJECT
private slots:
    void appendsEachRaceOnce_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QList<int>>("races");  // time, speed in cm/s, profile; in turn
        QTest::addColumn<QByteArray>("after");
        const QByteArray a = "2025-03-14T09:26:53,1234,3.00,100,400,600,800,1000,5,10,20,20,20,"
                             "1000,48,5000,0\r\n";
        const QByteArray none = QByteArray(14, ',') + "\r\n";
        const QByteArray b = "2025-03-14T09:26:53,987,4.57" + none;
        QTest::newRow("header when created")
            << QByteArray() << QList{1234, 300, 100} << kHeader + a;
        QTest::newRow("header when empty")
            << QByteArray("") << QList{1234, 300, 100} << kHeader + a;
        QTest::newRow("read twice: once")
            << QByteArray() << QList{1234, 300, 100, 1234, 300, 100} << kHeader + a;
        QTest::newRow("a line from an earlier run counts")
            << kHeader + a << QList{1234, 300, 100} << kHeader + a;
        QTest::newRow("same results, no profile: a new race")
            << QByteArray() << QList{1234, 300, 100, 1234, 300, 0}
            << kHeader + a + a.left(a.indexOf(",100,")) + none;
        QTest::newRow("no profile, then again an earlier race")
            << QByteArray() << QList{987, 457, 0, 1234, 300, 100} << kHeader + b + a;
        QTest::newRow("a foreign last line is ended first")
            << kHeader + "by hand" << QList{987, 457, 0} << kHeader + "by hand\r\n" + b;
        // A killed append leaves at most the head of its line, ending at a page boundary.
        const qsizetype page = sysconf(_SC_PAGESIZE);
        QByteArray filled = kHeader;
        while (filled.size() + b.size() < page - 10)
            filled += b;
        const QByteArray head = a.left(page - filled.size());
        QTest::newRow("a killed append's head goes")
            << filled + head << QList{1234, 300, 100} << filled + a;
        QTest::newRow("such a head elsewhere is kept")
            << kHeader + head << QList{1234, 300, 100} << kHeader + head + "\r\n" + a;
    }
    void appendsEachRaceOnce() {
        QFETCH(QByteArray, before);
        QFETCH(QList<int>, races);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(kJournalFileName);
        QFile f(path);
        QVERIFY(before.isNull() ||
                (f.open(QIODevice::WriteOnly) && f.write(before) == before.size()));
        f.close();
        for (qsizetype i = 0; i < races.size(); i += 3)
            QVERIFY(AppendToJournal(path.toStdString(),
                                    Race(races[i], races[i + 1] / 100.0, races[i + 2]))
                        .Outcome != JournalOutcome::Failed);
        QCOMPARE(ReadFile(path), after);
        const JournalRead read = ReadJournal(path.toStdString());
        QVERIFY(read.Reason.empty());
        QCOMPARE(read.Lines.back().Raw + "\r\n",
                 after.mid(after.lastIndexOf('\n', -3) + 1).toStdString());
    }

    void keepsLinesItCannotParse_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("parsed");
        QTest::newRow("ours") << QByteArray(
                                     "2025-03-14T09:26:53,1,0.50,1,2,3,4,5,0,0,0,0,0,5,1,0,1")
                              << true;
        QTest::newRow("field missing")
            << QByteArray("2025-03-14T09:26:53,1,0.50,1,2,3,4,5,0,0,0,0,0,5,1,0") << false;
        QTest::newRow("part of a profile")
            << QByteArray("2025-03-14T09:26:53,1,0.50,1,,,,,,,,,,,,,") << false;
        QTest::newRow("not a time") << QByteArray("14/03/2025 09:26,1,0.50,,,,,,,,,,,,,,") << false;
        QTest::newRow("decimal comma")
            << QByteArray("2025-03-14T09:26:53,1,0;50,,,,,,,,,,,,,,") << false;
        QTest::newRow("binary") << QByteArray("\xff\0\x01", 3) << false;
    }
    void keepsLinesItCannotParse() {
        QFETCH(QByteArray, line);
        QFETCH(bool, parsed);
        const std::string text =
            kHeader.toStdString() + "x\n" + line.toStdString() + "\r\n" + kHeader.toStdString();
        const std::vector<JournalLine> lines = ParseJournal(text);
        QCOMPARE(lines.size(), std::size_t(2));
        QCOMPARE(lines[1].Raw, line.toStdString());
        QCOMPARE(lines[1].Entry.has_value(), parsed);
        QVERIFY(!lines[0].Entry);
        if (parsed)
            QCOMPARE(FormatJournalLine(*lines[1].Entry), lines[1].Raw);
    }

    void unwritableJournalGivesTheReason() {
        QTemporaryDir dir;
        const JournalAppend append = AppendToJournal(dir.path().toStdString(), Race(1, 1, 0));
        QCOMPARE(append.Outcome, JournalOutcome::Failed);
        QCOMPARE(append.Reason, std::string(std::strerror(EISDIR)));
        std::string reason;
        QVERIFY(!ExportJournal(dir.filePath("none.csv").toStdString(),
                               dir.filePath("x").toStdString(), reason));
        QVERIFY(!reason.empty());
    }

    // Appends killed with SIGKILL at random moments: every line in the file is whole.
    void killedAppendsNeverTearALine() {
        DRIVO_LONG_TRIAL();
        QTemporaryDir dir(QDir("/dev/shm").exists() ? "/dev/shm/drivo-XXXXXX" : QString());
        const QString csv = dir.filePath(kJournalFileName);
        const std::string path = csv.toStdString();
        std::mt19937 random(20261209);
        for (int trial = 0; trial < 300; ++trial)
            QVERIFY(test::KillTrial([&](int ready) { AppendForever(path, ready); }, random, 2000));
        const QByteArray text = ReadFile(csv);
        QVERIFY(text.startsWith(kHeader) && text.endsWith("\r\n"));
        const std::vector<JournalLine> lines = ParseJournal(text.toStdString());
        for (const JournalLine& line : lines)
            QVERIFY2(line.Entry, line.Raw.c_str());
        qInfo("%zu lines after 300 kills", lines.size());
    }
};

#include "RaceJournalTest.moc"
DRIVO_TEST(RaceJournalTest);
