#include "app/block_trial.h"

#include <QDir>
#include <QTemporaryDir>

#include "cli/console_launcher.h"
#include "trial/trial_tools.h"

namespace bw {

TrialSetting ProgramTrialSetting(const std::string& stockFolder,
                                 const std::string& newBlocksFolder) {
    TrialSetting setting;
    setting.standinFolder = stockFolder + "standin/";
    setting.winePrefix = TrialWinePrefix();  // the folder `blockwright try` uses
    setting.installedFolder = stockFolder;
    setting.newBlocksFolder = newBlocksFolder;
    return setting;
}

TrialResult TryWithStandIn(const TrialRequest& request, const TrialEnvironment& given,
                           const TrialSetting& setting) {
    const QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/blockwright-try-XXXXXX"));
    if (!scratch.isValid()) {
        TrialResult result;
        result.outcome = TrialOutcome::BadRequest;
        result.message = "No scratch folder could be made in the temporary folder: " +
                         scratch.errorString().toLocal8Bit().toStdString();
        return result;
    }
    ConsoleLauncher launcher;
    TrialEnvironment environment = given;
    environment.launcher = &launcher;
    environment.standinFolder = setting.standinFolder;
    environment.scratchFolder = scratch.path().toLocal8Bit().toStdString() + "/";
    environment.winePrefix = setting.winePrefix;
    environment.installedFolder = setting.installedFolder;
    environment.newBlocksFolder = setting.newBlocksFolder;
    return TryBlock(request, environment);
}

}  // namespace bw
