#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>

#include "trial/trial.h"

class QThread;

namespace bw {

using BlockTrier = std::function<TrialResult(const TrialRequest&, const TrialEnvironment&)>;

// One try of a block at a time, on a thread of its own, so that the window
// keeps repainting and taking clicks while the block builds and runs. The
// try's steps arrive as progressed(), its end as finished(), both on the
// window's thread; cancel() makes the try's next progress call answer false.
class TrialRun : public QObject {
    Q_OBJECT

public:
    explicit TrialRun(QObject* parent = nullptr);
    // Cancels a try under way and waits for it: the try holds this object.
    ~TrialRun() override;

    // Starts trier on request; false (and nothing started) while a try runs.
    bool start(const BlockTrier& trier, const TrialRequest& request);
    void cancel();
    bool isRunning() const { return thread_ != nullptr; }
    bool cancelRequested() const { return cancelled_.load(); }
    // What the last try that ended gave.
    const TrialResult& result() const { return result_; }

signals:
    void progressed(const QString& step, int done, int total);
    void finished();

private:
    void ended();

    QThread* thread_ = nullptr;
    std::atomic<bool> cancelled_{false};
    TrialResult result_;
};

}  // namespace bw
