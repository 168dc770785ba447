#pragma once
// Test helpers for the main dialog: recorded message boxes and a working directory of its own
// for the settings file the window writes on close.
#include "app/CMainDialog.h"
#include "framework/MessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace drivo::test {

struct RecordedBox {
    QString Text;
    MessageIcon Icon;
};

class RecordingBoxes final : public MessageBoxSink {
public:
    RecordingBoxes() { InstallMessageBoxes(this); }
    ~RecordingBoxes() override { InstallMessageBoxes(nullptr); }
    void Show(QWidget*, const QString& text, MessageIcon icon) override { Boxes.push_back({text, icon}); }
    std::vector<RecordedBox> Boxes;
};

// Switches the working directory to an empty temporary one and back.
class ScratchWorkingDir {
public:
    ScratchWorkingDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ScratchWorkingDir() { QDir::setCurrent(m_previous); }

    bool IsValid() const { return m_dir.isValid(); }
    // The value of one key of ./Drivo.ini, or a null string.
    QString SettingsValue(const QString& key) const {
        QFile f(m_dir.filePath("Drivo.ini"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        for (const QString& line : QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n")))
            if (line.startsWith(key + '='))
                return line.mid(key.size() + 1);
        return {};
    }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

} // namespace drivo::test
