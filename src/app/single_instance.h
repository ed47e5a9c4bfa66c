#pragma once

// One wizard per user and display at a time. The first start holds a lock file and
// listens on a local socket; a later start finds the lock taken, asks the
// socket "are you me?", and ends once the first has answered and raised its
// window. A lock left by a process that no longer runs is taken over.

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace bw {

class InstanceLock;

// The markers of the running wizard.
inline constexpr const char* INSTANCE_LOCK_NAME =
    "Calderic-{5D013137-2733-4c2f-BA5B-D82D177154AB}.lock";
inline constexpr const char* INSTANCE_SOCKET_NAME =
    "Calderic-{5D013137-2733-4c2f-BA5B-D82D177154AB}.socket";
inline constexpr const char* ARE_YOU_ME = "UWM_ARE_YOU_ME-{8702689A-2B7A-49cb-B548-F5B01CA904FC}";

// What a start says when another instance holds the lock but cannot be reached.
inline constexpr const char* INSTANCE_UNREACHABLE_MESSAGE =
    "Another Tessaline Blockwright is running for this user on this display, but it does not "
    "answer. Close it (or end its process) and start again.";

// How long a later start waits for the first one's answer, in milliseconds.
inline constexpr int HANDSHAKE_TIMEOUT = 200;

class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Start {
        First,        // this is the one instance: go on
        OtherRaised,  // another instance answered and raised its window: end
        OtherSilent,  // another instance holds the lock but did not answer: end
    };

    // folder: where the lock and socket live (the user's runtime folder);
    // key: what else tells instances apart (see UserAndDisplayKey), part of
    // the lock's and socket's names.
    explicit SingleInstance(const QString& folder, const QString& key = QString(),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock, or asks the instance that holds it to come forward
    // and, given a template, to open that.
    Start start(const QString& templatePath = QString());

    QString lockPath() const;
    QString socketPath() const;

    // The user's runtime folder (XDG_RUNTIME_DIR), else the temporary folder.
    static QString DefaultFolder();
    // The user's name and the display the application shows on (the
    // platform and its display server), as a file-name part: a wizard on
    // another display, or a test run on one, is another instance.
    static QString UserAndDisplayKey();

signals:
    // A later start asked for the window: bring it to the front.
    void raiseRequested();
    // A later start was given a template (a double-clicked one): open it.
    void openRequested(const QString& templatePath);

private:
    bool listen();
    bool askRunningInstance(const QString& templatePath);
    void answer();
    void answerOn(QLocalSocket& socket);

    QString fileName(const char* name) const;

    QString folder_;
    QString key_;
    std::unique_ptr<InstanceLock> lock_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace bw
