// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ProfileReader.h"
#include "TestMain.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <unistd.h>

using namespace drivo;

Q_DECLARE_METATYPE(drivo::ProfileRefusal)
Q_DECLARE_METATYPE(drivo::RaceSettings)

namespace {

RaceSettings Defaults(int returnMode = 0) {
    RaceSettings s;
    std::uint16_t languageId = 0;
    LoadDefaults(s, languageId, 1036);
    s.ReturnMode = returnMode;
    return s;
}

// The defaults as a profile file has them, with replace's lines in place of those keys
// (an empty value drops the key) and extra appended.
QByteArray Text(const QList<QPair<QByteArray, QByteArray>>& replace, const QByteArray& extra = {}) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("p.ini").toStdString();
    std::string reason;
    if (!SaveProfile(Defaults(), 1036, path, reason))
        return {};
    QFile f(QString::fromStdString(path));
    f.open(QIODevice::ReadOnly);
    QByteArray text = f.readAll();
    for (const auto& [key, line] : replace) {
        const qsizetype at = text.indexOf("\n" + key + "=") + 1;
        text.replace(at, text.indexOf('\n', at) + 1 - at, line.isEmpty() ? "" : line + "\r\n");
    }
    return text + extra;
}

bool Same(const RaceSettings& a, const RaceSettings& b) {
    return a.Time == b.Time && a.Value == b.Value && a.RaceLength == b.RaceLength &&
           a.WheelDiam == b.WheelDiam && a.ReturnMode == b.ReturnMode;
}

} // namespace

class ProfileReaderTest : public QObject {
    Q_OBJECT
private slots:
    void savedProfileOpensTheSame_data() {
        QTest::addColumn<RaceSettings>("profile");
        QTest::addColumn<bool>("onClose"); // written as Drivo.ini on close: no ReturnMode
        QTest::newRow("defaults") << Defaults() << false;
        QTest::newRow("Drivo.ini as written on close") << Defaults() << true;
        RaceSettings edges = Defaults(1);
        edges.Time = {0, 0, 4000, 4000, 4000, 4000};
        edges.Value = {0, 100, 0, 100, 0};
        edges.WheelDiam = 1000;
        edges.RaceLength = 30000;
        QTest::newRow("every limit, equal end times, return on") << edges << false;
    }
    void savedProfileOpensTheSame() {
        QFETCH(RaceSettings, profile);
        QFETCH(bool, onClose);
        QTemporaryDir dir;
        const std::string path = dir.filePath("profil.ini").toStdString();
        std::string reason;
        QVERIFY(onClose ? SaveSettings(profile, 1031, path)
                        : SaveProfile(profile, 1031, path, reason));
        const ProfileRead read = OpenProfile(path);
        QVERIFY2(read.Settings, read.Refusal.Key.c_str());
        QVERIFY(Same(*read.Settings, profile));
        QVERIFY(CheckProfile(profile).Settings);
    }

    void checksEveryValue_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<ProfileRefusal>("refusal"); // no key: the profile loads
        const auto row = [](const char* name, const QByteArray& text, ProfileRefusal r = {}) {
            QTest::newRow(name) << text << r;
        };
        row("ReturnMode absent: 0", Text({{"ReturnMode", ""}}));
        row("other case, blanks, unknown keys and sections, LanguageId ignored",
            Text({{"Time1", " time1 = 200 "}, {"LanguageId", "LanguageId=x"}},
                 "Extra=1\r\n[Other]\r\nTime2=-9\r\n"));
        row("first stage below 0", Text({{"Time1", "Time1=-1"}}), {"Time1", "-1", 0, 4000, {}});
        row("end times fall", Text({{"Time3", "Time3=399"}}), {"Time3", "399", 400, 4000, {}});
        row("end time above 4000", Text({{"Time5", "Time5=4001"}}),
            {"Time5", "4001", 800, 4000, {}});
        row("intensity above 100", Text({{"Value2", "Value2=101"}}), {"Value2", "101", 0, 100, {}});
        row("not a number", Text({{"Value4", "Value4=2O"}}), {"Value4", "2O", 0, 100, {}});
        row("TimeMax below Time5", Text({{"TimeMax", "TimeMax=999"}}),
            {"TimeMax", "999", 1000, 4000, {}});
        row("wheel of 0 mm", Text({{"WheelDiam", "WheelDiam=0"}}), {"WheelDiam", "0", 1, 1000, {}});
        row("race beyond 30000", Text({{"RaceLength", "RaceLength=30001"}}),
            {"RaceLength", "30001", 0, 30000, {}});
        row("beyond 32 bits", Text({{"RaceLength", "RaceLength=4294967296"}}),
            {"RaceLength", "4294967296", 0, 30000, {}});
        row("ReturnMode 2", Text({{"ReturnMode", "ReturnMode=2"}}), {"ReturnMode", "2", 0, 1, {}});
        row("missing key", Text({{"Value5", ""}}), {"Value5", "", 0, 100, {}});
        row("the first refused key is named", Text({{"Time1", "Time1=-1"}, {"Value1", "Value1=x"}}),
            {"Time1", "-1", 0, 4000, {}});
        row("a section of another name", Text({}).replace("[Commande]", "[Command]"),
            {"Time1", "", 0, 4000, {}});
    }
    void checksEveryValue() {
        QFETCH(QByteArray, text);
        QFETCH(ProfileRefusal, refusal);
        const ProfileRead read = ReadProfileText(text.toStdString());
        QCOMPARE(read.Refusal, refusal);
        QCOMPARE(read.Settings.has_value(), refusal.Key.empty());
        if (read.Settings)
            QVERIFY(Same(*read.Settings, Defaults()));
    }

    void refusesFilesThatAreNoProfile_data() {
        QTest::addColumn<QByteArray>("content"); // null: the path is a directory
        QTest::addColumn<int>("error");          // 0: opens
        const QByteArray text = Text({});
        const QByteArray padding =
            "; " + QByteArray(int(kMaxProfileSize) - text.size() - 4, 'x') + "\r\n";
        QTest::newRow("64 KiB opens") << text + padding << 0;
        QTest::newRow("one byte more") << text + padding + "x" << EFBIG;
        QTest::newRow("directory") << QByteArray() << EISDIR;
        QTest::newRow("NUL byte") << text + QByteArray("\0", 1) << EILSEQ;
        QTest::newRow("not UTF-8") << text + "; caf\xE9\r\n" << EILSEQ;
        QTest::newRow("UTF-8 cut short") << text + "; caf\xC3" << EILSEQ;
        QTest::newRow("UTF-8 comment opens") << text + "; caf\xC3\xA9 \xF0\x9F\x9A\x97\r\n" << 0;
        QTest::newRow("unreadable") << text << EACCES;
    }
    void refusesFilesThatAreNoProfile() {
        QFETCH(QByteArray, content);
        QFETCH(int, error);
        if (error == EACCES && geteuid() == 0)
            QSKIP("root reads any file");
        QTemporaryDir dir;
        const QString path = dir.filePath("p.ini");
        if (content.isNull()) {
            QVERIFY(QDir(dir.path()).mkdir("p.ini"));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
            f.close();
            QVERIFY(error != EACCES || f.setPermissions({}));
        }
        const ProfileRead read = OpenProfile(path.toStdString());
        QCOMPARE(read.Settings.has_value(), error == 0);
        QCOMPARE(read.Refusal.Reason, std::string(error ? std::strerror(error) : ""));
        QVERIFY(read.Refusal.Key.empty());
    }

    void failedSaveGivesTheReason() {
        QTemporaryDir dir;
        std::string reason;
        QVERIFY(!SaveProfile(Defaults(), 1036, dir.path().toStdString(), reason));
        QCOMPARE(reason, std::string(std::strerror(EISDIR)));
        QVERIFY(!SaveProfile(Defaults(), 1036, dir.filePath("no/p.ini").toStdString(), reason));
        QCOMPARE(reason, std::string(std::strerror(ENOENT)));
    }
};

#include "ProfileReaderTest.moc"
DRIVO_TEST(ProfileReaderTest);
