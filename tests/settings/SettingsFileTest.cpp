#include "settings/SettingsFile.h"
#include "TestMain.h"
#include "settings/RaceSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace drivo;

namespace {

// The 14 lines a French user's defaults produce, in the order they are written.
const QList<QByteArray> kDefaultKeys = {
    "Time1=200",    "Value1=5",     "Time2=400",       "Value2=10",      "Time3=600",
    "Value3=20",    "Time4=800",    "Value4=20",       "Time5=1000",     "Value5=20",
    "TimeMax=1000", "WheelDiam=48", "RaceLength=5000", "LanguageId=1036"};

// Lines joined with CR LF; "*" stands for the default key lines not listed explicitly.
QByteArray Expect(const QList<QByteArray>& lines) {
    QByteArray text;
    for (const QByteArray& line : lines) {
        if (line == "*") {
            for (const QByteArray& key : kDefaultKeys)
                if (!lines.contains(key))
                    text += key + "\r\n";
        } else {
            text += line + "\r\n";
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

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
private slots:
    void writesIntoExistingFiles_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no file: the fifteen lines")
            << false << QByteArray() << Expect({"[Commande]", "*"});
        QTest::newRow("empty file") << true << QByteArray() << Expect({"[Commande]", "*"});
        QTest::newRow("other sections and comments kept, value replaced in place")
            << true
            << QByteArray("; top\r\n[Other]\r\nA=1\r\n[Commande]\r\n; "
                          "note\r\nTime1=7\r\nExtra=x\r\n\r\n[Tail]\r\nB=2\r\n")
            << Expect({"; top", "[Other]", "A=1", "[Commande]", "; note", "Time1=200", "Extra=x",
                       "*", "", "[Tail]", "B=2"});
        QTest::newRow("other section, no final newline")
            << true << QByteArray("[Other]\r\nA=1")
            << Expect({"[Other]", "A=1", "[Commande]", "*"});
        QTest::newRow("LF only") << true << QByteArray("[Commande]\nTime1=1\nFoo=bar\n")
                                 << Expect({"[Commande]", "Time1=200", "Foo=bar", "*"});
        QTest::newRow("mixed endings")
            << true << QByteArray("[X]\rA=1\n[Commande]\r\nFoo=bar\n\rTime1=3")
            << Expect({"[X]", "A=1", "[Commande]", "Foo=bar", "", "Time1=200", "*"});
        QTest::newRow("names in another case, spaces around them")
            << true << QByteArray("  [ commande ]\r\nTIME1 = 9\r\n\tvalue1=3\r\n")
            << Expect({"  [ commande ]", "Time1=200", "Value1=5", "*"});
        QTest::newRow("duplicate key: first replaced, later one kept")
            << true << QByteArray("[Commande]\r\nTime1=1\r\nA=1\r\nTIME1=2\r\n")
            << Expect({"[Commande]", "Time1=200", "A=1", "TIME1=2", "*"});
        QTest::newRow("duplicate section: the first one written, the later one kept")
            << true
            << QByteArray("[Commande]\r\nTime1=1\r\n[Other]\r\nX=1\r\n[Commande]\r\nTime1="
                          "2\r\nValue1=3\r\nKeep=me\r\n")
            << Expect({"[Commande]", "Time1=200", "*", "[Other]", "X=1", "[Commande]", "Time1=2",
                       "Value1=3", "Keep=me"});
        QTest::newRow("keys of other sections and comments are not ours")
            << true << QByteArray("[Other]\r\nTime1=1\r\n;Value1=2\r\n")
            << Expect({"[Other]", "Time1=1", ";Value1=2", "[Commande]", "*"});
        QTest::newRow("blank lines before the next section stay there")
            << true << QByteArray("[Commande]\r\nA=1\r\n\r\n\r\n[Next]\r\n")
            << Expect({"[Commande]", "A=1", "*", "", "", "[Next]"});
        const QByteArray junk("\0\x01\xff junk\0", 10);
        QTest::newRow("NUL bytes and binary junk kept")
            << true << junk + QByteArray("\r\n[Commande]\r\nbin=\0\0\r\nTime1=1", 29)
            << Expect({junk, "[Commande]", QByteArray("bin=\0\0", 6), "Time1=200", "*"});
        const QByteArray longLine = "; " + QByteArray(200000, 'x');
        QTest::newRow("very long line") << true << longLine + "\n[Commande]\nValue5=1"
                                        << Expect({longLine, "[Commande]", "Value5=20", "*"});
    }
    void writesIntoExistingFiles() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath("Drivo.ini");
        if (exists)
            WriteFile(path, before);
        QVERIFY(SaveDefaults(path));
        QCOMPARE(ReadFile(path), after);
        // A second close gives the same file: nothing is duplicated.
        QVERIFY(SaveDefaults(path));
        QCOMPARE(ReadFile(path), after);
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
        s.Time1() = -5;
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
        if (kind == "file" || kind == "foreign")
            WriteFile(path, old);
        if (kind == "file")
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        const WriteCheck mayWrite =
            kind == "foreign" ? [](const std::string&) { return false; } : OpensForUpdate;
        const QStringList entries = Entries(dir.path());
        QVERIFY(!SaveDefaults(path, mayWrite));
        QCOMPARE(Entries(dir.path()), entries); // no temporary left behind
        if (kind == "file" || kind == "foreign")
            QCOMPARE(ReadFile(path), old);
        if (kind == "isdir")
            QVERIFY(QFileInfo(path).isDir());
    }
};

#include "SettingsFileTest.moc"
DRIVO_TEST(SettingsFileTest);
