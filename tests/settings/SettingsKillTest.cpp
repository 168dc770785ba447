// Saves killed with SIGKILL at random moments: the file is always the old or the new one,
// whole, with every line that is not ours, and at most one temporary file of ours lies beside.
#include "TestMain.h"
#include "settings/RaceSettings.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace drivo;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
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

void Restore(const QString& ini, const QByteArray& initial) {
    QFile::remove(ini);
    if (initial.isEmpty())
        return;
    QFile f(ini);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(initial), initial.size());
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

class SettingsKillTest : public QObject {
    Q_OBJECT
private slots:
    void killedSavesLeaveOldOrNew_data() {
        QTest::addColumn<QByteArray>("initial");
        QTest::newRow("foreign sections around ours")
            << QByteArray("; kept by hand\r\n[Other]\r\nTime1=7\r\n\r\n[Commande]\r\nNote=mine\r\n"
                          "Time1=1\r\n\r\n[Tail]\r\nx=y\r\n");
        QTest::newRow("no file yet") << QByteArray();
    }
    void killedSavesLeaveOldOrNew() {
        QFETCH(QByteArray, initial);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QString::fromLatin1(kSettingsFileName));
        const std::string path = ini.toStdString();

        // The two complete files the child alternates between, each with every foreign line.
        QList<QByteArray> accepted;
        for (int scale : {1, 2}) {
            Restore(ini, initial);
            QVERIFY(SaveSettings(Profile(scale), 1036, path));
            accepted << ReadAll(ini);
            for (const QByteArray& line : initial.split('\n'))
                QVERIFY(line == "Time1=1\r" || accepted.back().contains(line));
        }
        QVERIFY(accepted[0] != accepted[1]);
        Restore(ini, initial);
        accepted << initial; // killed before its first rename: the file as it was, or none

        std::mt19937 random(20261208);
        std::uniform_int_distribution<int> killAfterUs(0, 3000);
        int leftTemporaries = 0;
        for (int trial = 0; trial < 1000; ++trial) {
            int ready[2];
            QVERIFY(pipe(ready) == 0);
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0)
                SaveForever(path, ready[1]);
            char started = 0;
            QCOMPARE(read(ready[0], &started, 1), ssize_t(1));
            close(ready[0]);
            close(ready[1]);
            // Any moment is a valid one: the outcome must not depend on where the kill lands.
            const auto until =
                std::chrono::steady_clock::now() + std::chrono::microseconds(killAfterUs(random));
            while (std::chrono::steady_clock::now() < until) {
            }
            QCOMPARE(kill(child, SIGKILL), 0);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);

            const QByteArray now = QFile::exists(ini) ? ReadAll(ini) : QByteArray();
            QVERIFY2(accepted.contains(now),
                     qPrintable(QStringLiteral("trial %1: neither old nor new:\n%2")
                                    .arg(trial)
                                    .arg(QString::fromLatin1(now))));
            QStringList beside = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
            beside.removeAll(QString::fromLatin1(kSettingsFileName));
            QVERIFY2(beside.size() <= 1,
                     qPrintable(QStringLiteral("trial %1: beside the settings: %2")
                                    .arg(trial)
                                    .arg(beside.join(u' '))));
            leftTemporaries += beside.size();
        }
        qInfo("%d of 1000 kills left a temporary file", leftTemporaries);
    }
};

#include "SettingsKillTest.moc"
DRIVO_TEST(SettingsKillTest);
