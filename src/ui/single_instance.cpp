#include "ui/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <algorithm>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace dustora {

namespace {

// A socket's path holds at most 107 bytes (108 with its end).
constexpr qsizetype kMaxSocketPath = 100;
// The pause between two tries of a second start.
constexpr unsigned long kRetryPauseMs = 50;

QString UserName() {
#ifdef _WIN32
  return qEnvironmentVariable("USERNAME");
#else
  return QString::number(::getuid());
#endif
}

// "dustora-<user>" + `extension`.
QString EntryName(const QString& extension) {
  return QStringLiteral("/dustora-") + UserName() + extension;
}

#ifndef _WIN32
bool LstatOf(const QString& path, struct stat& info) {
  return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// A real folder (not a link) of this user that nobody else may enter.
bool IsOwnClosedFolder(const QString& path) {
  struct stat info {};
  return LstatOf(path, info) && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

// A folder of our own: made 0700 when absent, closed again when it is ours
// but open. One that belongs to somebody else is never used.
bool MakeOwnFolder(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  const QByteArray name = QFile::encodeName(path);
  if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  if (!LstatOf(path, info) || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) return false;
  if ((info.st_mode & 077) != 0 && ::chmod(name.constData(), 0700) != 0) return false;
  return IsOwnClosedFolder(path);
}

// Only root can put another user's file into a closed folder of ours; such
// a lock or socket is not taken for one of ours but removed.
bool RemoveIfForeign(const QString& path) {
  struct stat info {};
  if (!LstatOf(path, info)) return errno == ENOENT;
  return info.st_uid == ::getuid() || ::unlink(QFile::encodeName(path).constData()) == 0;
}

// The socket file of this user, not something else put under its name.
bool IsOwnSocket(const QString& path) {
  struct stat info {};
  return LstatOf(path, info) && S_ISSOCK(info.st_mode) && info.st_uid == ::getuid();
}

// The process listening on the other end of a connected socket runs as
// this user.
bool ListenerIsThisUser(qintptr descriptor) {
#ifdef SO_PEERCRED
  ucred peer{};
  socklen_t size = sizeof peer;
  if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return false;
  return peer.uid == ::getuid();
#else
  uid_t uid = 0;
  gid_t gid = 0;
  return ::getpeereid(static_cast<int>(descriptor), &uid, &gid) == 0 && uid == ::getuid();
#endif
}
#endif

bool FitsASocket(const QString& folder) {
  return QFile::encodeName(folder + EntryName(QStringLiteral(".sock"))).size() <= kMaxSocketPath;
}

}  // namespace

SingleInstance::SingleInstance(QObject* parent) : SingleInstance(Limits{}, parent) {}

SingleInstance::SingleInstance(const Limits& limits, QObject* parent) : QObject(parent), limits_(limits) {}

SingleInstance::~SingleInstance() {
  // The connections count down as they go, while this object still stands.
  delete server_;
}

QString SingleInstance::Folder() {
#ifdef _WIN32
  return QDir::tempPath();
#else
  // The session's runtime folder is only checked, never made or changed.
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && FitsASocket(runtime) && IsOwnClosedFolder(runtime)) return runtime;
  QStringList own = {QDir::tempPath() + EntryName(QString())};
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  if (!cache.isEmpty()) own << cache + QStringLiteral("/dustora");
  for (const QString& folder : own) {
    if (FitsASocket(folder) && MakeOwnFolder(folder)) return folder;
  }
  return {};
#endif
}

QString SingleInstance::LockPath() {
  const QString folder = Folder();
  return folder.isEmpty() ? QString() : folder + EntryName(QStringLiteral(".lock"));
}

QString SingleInstance::SocketPath() {
  const QString folder = Folder();
  return folder.isEmpty() ? QString() : folder + EntryName(QStringLiteral(".sock"));
}

bool SingleInstance::TakeLock() {
  if (lock_) return true;
  const QString folder = Folder();    // looked for once: it may be made
  if (folder.isEmpty()) return true;  // nowhere safe to keep a lock: the program runs unguarded
  const QString lock_path = folder + EntryName(QStringLiteral(".lock"));
  const QString socket_path = folder + EntryName(QStringLiteral(".sock"));
#ifndef _WIN32
  if (!RemoveIfForeign(lock_path) || !RemoveIfForeign(socket_path)) return true;
#endif
  auto lock = std::make_unique<QLockFile>(lock_path);
  lock->setStaleLockTime(0);  // only a live process keeps the lock
  if (!lock->tryLock(0)) return lock->error() != QLockFile::LockFailedError;
  lock_ = std::move(lock);
  socket_path_ = socket_path;
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
  Listen();
  // The server closes for good when an accept fails (no descriptors left),
  // and the socket file may be removed under it: make it again.
  watchdog_ = new QTimer(this);
  connect(watchdog_, &QTimer::timeout, this, &SingleInstance::KeepListening);
  watchdog_->start(limits_.relisten_ms);
  return true;
}

bool SingleInstance::IsListening() const {
  return server_ != nullptr && server_->isListening();
}

void SingleInstance::Listen() {
  server_->close();
  // This copy holds the lock, so a socket left there is a crashed copy's.
  QLocalServer::removeServer(socket_path_);
  server_->listen(socket_path_);  // when that fails, the watchdog tries again
}

void SingleInstance::KeepListening() {
  if (!server_->isListening() || !QFileInfo::exists(socket_path_)) Listen();
}

void SingleInstance::AcceptConnections() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    if (connections_ >= limits_.max_connections) {
      Drop(socket);
      continue;
    }
    ++connections_;
    connect(socket, &QObject::destroyed, this, [this] { --connections_; });
    // Nothing beyond one line is ever buffered.
    socket->setReadBufferSize(limits_.max_line_bytes);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadHandOver(socket); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(limits_.line_wait_ms, socket, [this, socket] { Drop(socket); });
  }
}

void SingleInstance::ReadHandOver(QLocalSocket* socket) {
  const qsizetype end = socket->peek(limits_.max_line_bytes).indexOf('\n');
  if (end < 0) {
    if (socket->bytesAvailable() >= limits_.max_line_bytes) Drop(socket);  // no path is that long
    return;
  }
  const QByteArray line = socket->read(end + 1).trimmed();
  // One line, one answer; whatever follows is never read.
  disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
  socket->write("ok\n");
  socket->disconnectFromServer();
  emit fileArrived(QByteArray::fromPercentEncoding(line));
}

void SingleInstance::Drop(QLocalSocket* socket) {
  disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
  socket->abort();
  socket->deleteLater();
}

// The hand-over is one line, the file's path percent-encoded (so that no
// byte of it ends the line), answered with "ok" once it has arrived.
bool SingleInstance::HandOver(const std::string& file) const {
  const QByteArray line =
      QByteArray(file.data(), static_cast<qsizetype>(file.size())).toPercentEncoding() + QByteArray("\n");
  const QString path = SocketPath();  // once, not at every try
  if (path.isEmpty()) return false;
  QElapsedTimer trying;
  trying.start();
  for (;;) {
    const int left = limits_.reach_ms - static_cast<int>(trying.elapsed());
    const Reach reach = TryHandOver(path, line, std::max(left, 100));
    if (reach != Reach::NotYet) return reach == Reach::Handed;
    // The first copy may have the lock but not yet the socket, or be busy
    // with other connections.
    if (trying.elapsed() >= limits_.reach_ms) return false;
    QThread::msleep(kRetryPauseMs);
  }
}

SingleInstance::Reach SingleInstance::TryHandOver(const QString& path, const QByteArray& line, int wait_ms) const {
#ifndef _WIN32
  if (!IsOwnSocket(path)) return QFileInfo::exists(path) ? Reach::Refused : Reach::NotYet;
#endif
  QLocalSocket socket;
  socket.connectToServer(path);
  if (!socket.waitForConnected(wait_ms)) return Reach::NotYet;
#ifndef _WIN32
  if (!ListenerIsThisUser(socket.socketDescriptor())) return Reach::Refused;
#endif
  socket.write(line);
  if (!socket.waitForBytesWritten(wait_ms)) return Reach::NotYet;
  QElapsedTimer waiting;
  waiting.start();
  while (!socket.canReadLine()) {
    // Closed without an answer: the copy was busy with other connections.
    if (socket.state() != QLocalSocket::ConnectedState) return Reach::NotYet;
    const int left = limits_.answer_wait_ms - static_cast<int>(waiting.elapsed());
    if (left <= 0) return Reach::Refused;  // it runs but does not answer
    socket.waitForReadyRead(left);
  }
  return socket.readLine().trimmed() == "ok" ? Reach::Handed : Reach::Refused;
}

}  // namespace dustora
