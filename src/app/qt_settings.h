#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "definition/seams.h"

class QSettings;

namespace bw {

// The application settings in QSettings INI files: the user's file first, then
// the system-wide ones, then the caller's default. On Linux these are
// $XDG_CONFIG_HOME/Calderic/Tessaline Blockwright.conf (the file QSettings'
// user scope uses) and the same name in each folder of $XDG_CONFIG_DIRS
// (/etc/xdg by default, QSettings' system scope). The locations are taken from
// the environment when the store is made. Writes go to the user's file, which
// is created when missing. A section is a group of the file; value names are
// matched exactly first, then without regard to case, as the registry does.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    std::string read(const std::string& section, const std::string& name,
                     const std::string& defaultValue) const override;
    void write(const std::string& section, const std::string& name,
               const std::string& value) override;

    // The user's settings file, then the system-wide ones, in lookup order.
    QStringList fileNames() const;

private:
    std::vector<std::unique_ptr<QSettings>> scopes_;  // user first
};

// The folder of the user's settings file, ending in "/", created when missing.
// The "_rtparam.ini" record of real-time blocks lives here.
std::string SettingsDirectory();

}  // namespace bw
