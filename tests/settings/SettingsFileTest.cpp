// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsFile.h"
#include "KillTrial.h"
#include "TestMain.h"
#include "settings/RaceSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace drivo;

namespace {

// The 14 lines a French user's defaults produce, in the order they are written.
const QList<QByteArray> kDefaultKeys = {
    "Time1=200",    "Value1=5",     "Time2=400",       "Value2=10",      "Time3=600",
    "Value3=20",    "Time4=800",    "Value4=20",       "Time5=1000",     "Value5=20",
    "TimeMax=1000", "WheelDiam=48", "RaceLength=5000", "LanguageId=1036"};

// Lines joined with CR LF, but a piece that ends in its own CR or LF is taken as it is; "*"
// stands for the default key lines that no piece holds.
QByteArray Expect(const QList<QByteArray>& pieces) {
    QList<QByteArray> listed;
    for (QByteArray piece : pieces)
        listed += piece.replace('\r', '\n').split('\n');
    QByteArray text;
    for (const QByteArray& piece : pieces) {
        if (piece == "*") {
            for (const QByteArray& key : kDefaultKeys)
                if (!listed.contains(key))
                    text += key + "\r\n";
        } else {
            text += piece.endsWith('\r') || piece.endsWith('\n') ? piece : piece + "\r\n";
        }
    }
    return text;
}

// Saves a French user's defaults.
bool SaveDefaults(const QString& path, const WriteCheck& mayWrite = OpensForUpdate) {
    RaceSettings s;
    std::uint16_t languageId = 0;
    LoadDefaults(s, languageId, 1036);
    return SaveSettings(s, languageId, path.toStdString(), mayWrite);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), content.size());
}

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

RaceSettings Profile(int scale) {
    RaceSettings s;
    for (int i = 0; i < kStageCount; ++i) {
        s.Time[i] = (i + 1) * 100 * scale;
        s.Value[i] = 10 * (i + 1) + scale;
    }
    s.Time[kTimeMaxIndex] = 600 * scale;
    s.WheelDiam = 40 + scale;
    s.RaceLength = 1000 * scale;
    return s;
}

// The child saves the two profiles in turn until it is killed; it never returns.
[[noreturn]] void SaveForever(const std::string& path, int ready) {
    const RaceSettings profiles[] = {Profile(1), Profile(2)};
    const char started = 1;
    (void)!write(ready, &started, 1);
    for (unsigned i = 0;; ++i)
        SaveSettings(profiles[i % 2], 1036, path);
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
private slots:
    void writesIntoExistingFiles_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("mode");  // 0: as created
        QTest::addColumn<int>("owner"); // user and group id; -1: the saving user's
        const auto row = [](const char* name, const QByteArray& before,
                            const QList<QByteArray>& after, int mode = 0, int owner = -1) {
            QTest::newRow(name) << before << Expect(after) << mode << owner;
        };
        row("no file: the fifteen lines", QByteArray(), {"[Commande]", "*"});
        row("empty file", "", {"[Commande]", "*"});
        row("private file stays private", "", {"[Commande]", "*"}, 0600);
        row("another user's file keeps its owner, group and mode", "", {"[Commande]", "*"}, 0660,
            4321);
        row("other sections and comments kept, value replaced in place",
            "; top\r\n[Other]\r\nA=1\r\n[Commande]\r\n; note\r\nTime1=7\r\nExtra=x\r\n"
            "\r\n[Tail]\r\nB=2\r\n",
            {"; top", "[Other]", "A=1", "[Commande]", "; note", "Time1=200", "Extra=x", "*", "",
             "[Tail]", "B=2"});
        row("other section, no final newline", "[Other]\r\nA=1",
            {"[Other]", "A=1", "[Commande]", "*"});
        row("LF only", "[Commande]\nTime1=1\nFoo=bar\n", {"[Commande]\nTime1=200\nFoo=bar\n", "*"});
        row("mixed endings; the last line ended since ours follow",
            "[X]\rA=1\n[Commande]\r\nFoo=bar\n\rTime1=3",
            {"[X]\rA=1\n[Commande]\r\nFoo=bar\n\rTime1=200", "*"});
        QTest::newRow("each line keeps its ending, the last one none")
            << QByteArray("[Other]\rA=1\n\r\n[Commande]\rTime1=1\n[Tail]\nB=2\r\rC=3")
            << Expect({"[Other]\rA=1\n\r\n[Commande]\rTime1=200\n", "*", "[Tail]\nB=2\r\rC=3"})
                   .chopped(2)
            << 0 << -1;
        row("byte order mark kept, the section behind it found",
            "\xEF\xBB\xBF[Commande]\nTime1=1\n", {"\xEF\xBB\xBF[Commande]\nTime1=200\n", "*"});
        row("byte order mark alone", "\xEF\xBB\xBF", {"\xEF\xBB\xBF[Commande]", "*"});
        row("names in another case, spaces around them",
            "  [ commande ]\r\nTIME1 = 9\r\n\tvalue1=3\r\n",
            {"  [ commande ]", "Time1=200", "Value1=5", "*"});
        row("duplicate key: first replaced, later one kept",
            "[Commande]\r\nTime1=1\r\nA=1\r\nTIME1=2\r\n",
            {"[Commande]", "Time1=200", "A=1", "TIME1=2", "*"});
        row("duplicate section: the first one written, the later one kept",
            "[Commande]\r\nTime1=1\r\n[Other]\r\nX=1\r\n[Commande]\r\nTime1=2\r\nValue1=3\r\n"
            "Keep=me\r\n",
            {"[Commande]", "Time1=200", "*", "[Other]", "X=1", "[Commande]", "Time1=2", "Value1=3",
             "Keep=me"});
        row("keys of other sections and comments are not ours",
            "[Other]\r\nTime1=1\r\n;Value1=2\r\n",
            {"[Other]", "Time1=1", ";Value1=2", "[Commande]", "*"});
        row("blank lines before the next section stay there",
            "[Commande]\r\nA=1\r\n\r\n\r\n[Next]\r\n",
            {"[Commande]", "A=1", "*", "", "", "[Next]"});
        const QByteArray junk("\0\x01\xff junk\0", 10);
        row("NUL bytes and binary junk kept",
            junk + QByteArray("\r\n[Commande]\r\nbin=\0\0\r\nTime1=1", 29),
            {junk, "[Commande]", QByteArray("bin=\0\0", 6), "Time1=200", "*"});
        const QByteArray longLine = "; " + QByteArray(200000, 'x');
        row("very long line", longLine + "\n[Commande]\nValue5=1",
            {longLine + "\n[Commande]\nValue5=20", "*"});
    }
    void writesIntoExistingFiles() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(int, mode);
        QFETCH(int, owner);
        if (owner >= 0 && geteuid() != 0)
            QSKIP("only root gives a file away");
        QTemporaryDir dir;
        const QString path = dir.filePath("Drivo.ini");
        const QByteArray name = path.toLocal8Bit();
        if (!before.isNull())
            WriteFile(path, before);
        QVERIFY(mode == 0 || chmod(name, mode) == 0);
        QVERIFY(owner < 0 || chown(name, owner, owner) == 0);
        struct stat was {};
        stat(name, &was);
        for (int close = 0; close < 2; ++close) { // the second gives the same: nothing doubled
            QVERIFY(SaveDefaults(path));
            QCOMPARE(ReadFile(path), after);
            struct stat now {};
            QCOMPARE(stat(name, &now), 0);
            QVERIFY(before.isNull() || (now.st_mode == was.st_mode && now.st_uid == was.st_uid &&
                                        now.st_gid == was.st_gid));
        }
        QCOMPARE(Entries(dir.path()), QStringList{"Drivo.ini"}); // no temporary left behind
    }

    void temporariesOfAKilledSaveAreRemoved_data() {
        QTest::addColumn<QStringList>("before"); // beside Drivo.ini
        QTest::addColumn<QStringList>("after");
        QTest::newRow("one") << QStringList{"Drivo.ini.0123456789abcdef.tmp"} << QStringList{};
        QTest::newRow("two") << QStringList{"Drivo.ini.0000000000000000.tmp",
                                            "Drivo.ini.ffffffffffffffff.tmp"}
                             << QStringList{};
        const QStringList notOurs{
            "Drivo.ini.tmp", "Drivo.ini.0123456789ABCDEF.tmp", "Drivo.ini.0123456789abcdef.tmp.x",
            "Other.ini.0123456789abcdef.tmp", "Drivo.ini.0123456789abcdeg.tmp"};
        QTest::newRow("names not ours stay") << notOurs << notOurs;
    }
    void temporariesOfAKilledSaveAreRemoved() {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QTemporaryDir dir;
        WriteFile(dir.filePath("Drivo.ini"), "[Commande]\r\n");
        for (const QString& name : before)
            WriteFile(dir.filePath(name), "Time1=1\r\n");
        QVERIFY(SaveDefaults(dir.filePath("Drivo.ini")));
        after << "Drivo.ini";
        after.sort();
        QCOMPARE(Entries(dir.path()), after);
    }

    void writesSignedValuesAndUnsignedLanguageId() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Drivo.ini");
        RaceSettings s;
        s.Time[0] = -5;
        s.RaceLength = 2147483647;
        s.ReturnMode = 1;
        QVERIFY(SaveSettings(s, 65535, path.toStdString()));
        const QByteArray text = ReadFile(path);
        QVERIFY(text.contains("\r\nTime1=-5\r\n"));
        QVERIFY(text.contains("\r\nRaceLength=2147483647\r\n"));
        QVERIFY(text.endsWith("\r\nLanguageId=65535\r\n"));
        QVERIFY(!text.contains("Return"));
    }

    void failedWriteIsSilentAndKeepsTheOldFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only file") << "file";
        // Mode 0644 in a writable directory, but the user may not write it (another user's
        // file): the system's answer is stood in for, since root may write any file.
        QTest::newRow("file the user may not write") << "foreign";
        QTest::newRow("path is a directory") << "isdir";
        QTest::newRow("directory missing") << "missing";
        // A link would make the save a way to edit any other file; a hard link would be split.
        QTest::newRow("symbolic link to another file") << "symlink";
        QTest::newRow("symbolic link to nothing") << "dangling";
        QTest::newRow("hard link: the file has another name") << "hardlink";
    }
    void failedWriteIsSilentAndKeepsTheOldFile() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path = dir.filePath("Drivo.ini");
        const QByteArray old("[Commande]\r\nTime1=1\r\n");
        if (kind == "isdir")
            QVERIFY(QDir(dir.path()).mkdir("Drivo.ini"));
        if (kind == "missing")
            path = dir.filePath("absent/Drivo.ini");
        const QString other = dir.filePath("passwd");
        const bool oldFile = QStringList{"file", "foreign", "symlink", "hardlink"}.contains(kind);
        const bool symbolic = kind == "symlink" || kind == "dangling";
        if (oldFile)
            WriteFile(kind == "file" || kind == "foreign" ? path : other, old);
        if (symbolic)
            QCOMPARE(symlink("passwd", qPrintable(path)), 0);
        if (kind == "hardlink")
            QCOMPARE(link(qPrintable(other), qPrintable(path)), 0);
        if (kind == "file")
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        const WriteCheck mayWrite =
            kind == "foreign" ? [](const std::string&) { return false; } : OpensForUpdate;
        const QStringList entries = Entries(dir.path());
        QVERIFY(!SaveDefaults(path, mayWrite));
        QCOMPARE(Entries(dir.path()), entries); // no temporary left behind
        if (oldFile)
            QCOMPARE(ReadFile(path), old);
        if (symbolic)
            QCOMPARE(QFile::symLinkTarget(path), other);
        if (kind == "isdir")
            QVERIFY(QFileInfo(path).isDir());
    }

    // Saves killed with SIGKILL at random moments: the file is always the old or the new one,
    // whole, with every line that is not ours, and at most one temporary file of ours is beside.
    void killedSavesLeaveOldOrNew_data() {
        QTest::addColumn<QByteArray>("initial");
        QTest::newRow("foreign sections around ours")
            << QByteArray("; kept by hand\r\n[Other]\r\nTime1=7\r\n\r\n[Commande]\r\nNote=mine\r\n"
                          "Time1=1\r\n\r\n[Tail]\r\nx=y\r\n");
        QTest::newRow("no file yet") << QByteArray();
    }
    void killedSavesLeaveOldOrNew() {
        DRIVO_LONG_TRIAL();
        QFETCH(QByteArray, initial);
        // In memory a save's syncs cost nothing, so the kills land in the saving rather than
        // in the wait for the disk; a rename is just as atomic there.
        QTemporaryDir dir(QDir("/dev/shm").exists() ? "/dev/shm/drivo-XXXXXX" : QString());
        const QString ini = dir.filePath(QString::fromLatin1(kSettingsFileName));
        const std::string path = ini.toStdString();
        const auto restore = [&] {
            QFile::remove(ini);
            if (!initial.isEmpty())
                WriteFile(ini, initial);
        };
        // The two complete files the child alternates between, each with every foreign line.
        QList<QByteArray> accepted;
        for (int scale : {1, 2}) {
            restore();
            QVERIFY(SaveSettings(Profile(scale), 1036, path));
            accepted << ReadFile(ini);
            for (const QByteArray& line : initial.split('\n'))
                QVERIFY(line == "Time1=1\r" || accepted.back().contains(line));
        }
        QVERIFY(accepted[0] != accepted[1]);
        restore();
        accepted << initial; // killed before its first rename: the file as it was, or none

        std::mt19937 random(20261208);
        int leftTemporaries = 0;
        for (int trial = 0; trial < 1000; ++trial) {
            QVERIFY(test::KillTrial([&](int ready) { SaveForever(path, ready); }, random, 3000));
            const QByteArray now = QFile::exists(ini) ? ReadFile(ini) : QByteArray();
            const QByteArray trialNo = "trial " + QByteArray::number(trial);
            QVERIFY2(accepted.contains(now),
                     (trialNo + ": neither old nor new:\n" + now).constData());
            QStringList beside = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
            beside.removeAll(QString::fromLatin1(kSettingsFileName));
            QVERIFY2(beside.size() <= 1,
                     qPrintable(trialNo + ": beside the settings: " + beside.join(u' ')));
            leftTemporaries += beside.size();
        }
        qInfo("%d of 1000 kills left a temporary file", leftTemporaries);
    }
};

#include "SettingsFileTest.moc"
DRIVO_TEST(SettingsFileTest);
