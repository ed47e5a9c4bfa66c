#include "app/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include "app/instance_lock.h"

namespace bw {

namespace {

// How long a later start keeps trying to reach a first one that has taken
// the lock but may not be listening yet, in milliseconds.
constexpr int REACH_TIMEOUT = 1000;

QByteArray Message() {
    return QByteArray(ARE_YOU_ME) + '\n';
}

// The question, with the template to open after a tab (a path holds no
// line end that could cut the line).
QByteArray Question(const QString& templatePath) {
    const QByteArray path = templatePath.toUtf8();
    if (path.isEmpty() || path.contains('\n')) {
        return Message();
    }
    return QByteArray(ARE_YOU_ME) + '\t' + path + '\n';
}

}  // namespace

SingleInstance::SingleInstance(const QString& folder, const QString& key, QObject* parent)
    : QObject(parent), folder_(folder), key_(key) {
    lock_ = MakeInstanceLock(lockPath());
}

SingleInstance::~SingleInstance() {
    if (server_) {
        server_->close();
    }
}

QString SingleInstance::fileName(const char* name) const {
    QString file = QString::fromLatin1(name);
    if (!key_.isEmpty()) {
        const qsizetype dot = file.lastIndexOf(u'.');
        file.insert(dot, u'-' + key_);
    }
    return QDir(folder_).filePath(file);
}

QString SingleInstance::lockPath() const {
    return fileName(INSTANCE_LOCK_NAME);
}

QString SingleInstance::socketPath() const {
    return fileName(INSTANCE_SOCKET_NAME);
}

QString SingleInstance::UserAndDisplayKey() {
    const QString platform = QGuiApplication::platformName();
    QString display;
    if (platform.startsWith(QLatin1String("xcb"))) {
        display = qEnvironmentVariable("DISPLAY");
    } else if (platform.startsWith(QLatin1String("wayland"))) {
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    }
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    QString key = user + u'-' + platform + display;
    // Only characters every file system takes.
    for (QChar& c : key) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-') {
            c = u'_';
        }
    }
    return key;
}

QString SingleInstance::DefaultFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    QDir().mkpath(folder);
    return folder;
}

SingleInstance::Start SingleInstance::start(const QString& templatePath) {
    QDir().mkpath(folder_);
    if (lock_->tryLock()) {
        listen();
        return Start::First;
    }
    return askRunningInstance(templatePath) ? Start::OtherRaised : Start::OtherSilent;
}

bool SingleInstance::listen() {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock: a socket left behind belongs to a process that has gone.
    QLocalServer::removeServer(socketPath());
    if (!server_->listen(socketPath())) {
        return false;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::answer);
    return true;
}

void SingleInstance::answer() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answerOn(*socket); });
        answerOn(*socket);  // the question may have come with the connection
    }
}

void SingleInstance::answerOn(QLocalSocket& socket) {
    if (!socket.canReadLine()) {
        return;
    }
    QByteArray question = socket.readLine();
    const QByteArray asked = QByteArray(ARE_YOU_ME);
    if (question == Message() || question.startsWith(asked + '\t')) {
        socket.write(Message());
        socket.flush();
        emit raiseRequested();
        if (question.size() > asked.size() + 2) {
            question.chop(1);  // the line end
            emit openRequested(QString::fromUtf8(question.mid(asked.size() + 1)));
        }
    }
    socket.disconnectFromServer();
}

bool SingleInstance::askRunningInstance(const QString& templatePath) {
    QElapsedTimer elapsed;
    elapsed.start();
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(HANDSHAKE_TIMEOUT)) {
            break;
        }
        if (elapsed.elapsed() >= REACH_TIMEOUT) {
            return false;
        }
        QThread::msleep(50);
    }
    socket.write(Question(templatePath));
    if (!socket.waitForBytesWritten(HANDSHAKE_TIMEOUT)) {
        return false;
    }
    // The answer must be the question itself, as the window's answer was the
    // message's own number.
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(HANDSHAKE_TIMEOUT)) {
            return false;
        }
    }
    return socket.readLine() == Message();
}

}  // namespace bw
