#include "app/qt_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace bw {

namespace {

// The same name QSettings gives the organisation's and application's file.
const QString SETTINGS_FILE = QStringLiteral("Calderic/Tessaline Blockwright.conf");

QString UserConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

// The user's file, then the system-wide ones. QStandardPaths reads
// XDG_CONFIG_HOME and XDG_CONFIG_DIRS on every call, whereas QSettings' own
// scopes are fixed at its first use and ignore XDG_CONFIG_DIRS.
QStringList SettingsFiles() {
    const QString user = UserConfigFolder();
    QStringList files{user + u'/' + SETTINGS_FILE};
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        if (folder != user) {
            files << folder + u'/' + SETTINGS_FILE;
        }
    }
    return files;
}

QString Key(const std::string& section, const std::string& name) {
    return QString::fromStdString(section) + u'/' + QString::fromStdString(name);
}

// A hand-written value with a comma reads as a list; give back its text.
std::string Text(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    }
    return value.toString().toStdString();
}

// The value of key in settings, matching the key exactly or else without
// regard to case; an invalid variant when it is absent.
QVariant Find(const QSettings& settings, const QString& key) {
    QVariant value = settings.value(key);
    if (value.isValid()) {
        return value;
    }
    for (const QString& candidate : settings.allKeys()) {
        if (candidate.compare(key, Qt::CaseInsensitive) == 0) {
            return settings.value(candidate);
        }
    }
    return {};
}

}  // namespace

QtSettingsStore::QtSettingsStore() {
    for (const QString& file : SettingsFiles()) {
        scopes_.push_back(std::make_unique<QSettings>(file, QSettings::IniFormat));
    }
}

QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::read(const std::string& section, const std::string& name,
                                  const std::string& defaultValue) const {
    const QString key = Key(section, name);
    for (const auto& scope : scopes_) {
        const QVariant value = Find(*scope, key);
        if (value.isValid()) {
            return Text(value);
        }
    }
    return defaultValue;
}

void QtSettingsStore::write(const std::string& section, const std::string& name,
                            const std::string& value) {
    QSettings& user = *scopes_.front();
    const QString key = Key(section, name);
    const QString text = QString::fromStdString(value);
    // Each run writes the same few settings again; saving the file for an
    // unchanged value would only cost time.
    const QVariant stored = user.value(key);
    if (stored.isValid() && stored.typeId() == QMetaType::QString && stored.toString() == text) {
        return;
    }
    // Saved once, when the event loop is idle or at the latest when the store
    // goes: a file saved after every value made each run wait for the disk
    // several times. Other stores of this process see the value at once.
    user.setValue(key, text);
}

QStringList QtSettingsStore::fileNames() const {
    QStringList names;
    for (const auto& scope : scopes_) {
        names << scope->fileName();
    }
    return names;
}

std::string SettingsDirectory() {
    const QString folder = QFileInfo(SettingsFiles().front()).absolutePath();
    QDir().mkpath(folder);
    return QDir::cleanPath(folder).toStdString() + '/';
}

}  // namespace bw
