#include "wizard/trial_run.h"

#include <QThread>
#include <exception>

namespace bw {

namespace {

// A fault of the try's own ends it as a failure that says so: nothing may
// leave the thread as an exception, which would end the program.
TrialResult TryCaught(const BlockTrier& trier, const TrialRequest& request,
                      const TrialEnvironment& environment) {
    TrialResult failed;
    failed.outcome = TrialOutcome::Failed;
    try {
        return trier(request, environment);
    } catch (const std::exception& error) {
        failed.message = std::string("The try stopped on an error of its own: ") + error.what();
    } catch (...) {
        failed.message = "The try stopped on an error of its own.";
    }
    return failed;
}

}  // namespace

TrialRun::TrialRun(QObject* parent) : QObject(parent) {}

TrialRun::~TrialRun() {
    if (thread_ != nullptr) {
        cancel();
        thread_->wait();
        delete thread_;
    }
}

bool TrialRun::start(const BlockTrier& trier, const TrialRequest& request) {
    if (isRunning()) {
        return false;
    }
    cancelled_ = false;
    thread_ = QThread::create([this, trier, request] {
        TrialEnvironment environment;
        // Emitted from the try's thread: queued to the window's.
        environment.progress = [this](const std::string& step, int done, int total) {
            emit progressed(QString::fromLocal8Bit(step.c_str()), done, total);
            return !cancelled_.load();
        };
        result_ = TryCaught(trier, request, environment);
    });
    connect(thread_, &QThread::finished, this, &TrialRun::ended);
    thread_->start();
    return true;
}

void TrialRun::cancel() {
    if (isRunning()) {
        cancelled_ = true;
    }
}

void TrialRun::ended() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    emit finished();
}

}  // namespace bw
