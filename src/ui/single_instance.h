// One copy of the program per user. The first start takes a lock and at
// once listens on a local socket beside it; a later start hands its file
// over that socket to the running copy and ends. Both live in a folder only
// the user can enter, and a second start talks only to a listener that runs
// as the same user.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <string>

class QLocalServer;
class QLocalSocket;
class QLockFile;
class QTimer;

namespace dustora {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // What the running copy puts up with and how patient a second start is;
  // tests shorten the times.
  struct Limits {
    qint64 max_line_bytes = 64 * 1024;  // a hand-over is one line of at most this
    int line_wait_ms = 5000;            // a connection without its line by then is closed
    int max_connections = 4;            // more at once are closed as they arrive
    int relisten_ms = 1000;             // how often the socket is checked and made again
    int reach_ms = 2000;                // how long a second start tries to reach the copy
    int answer_wait_ms = 5000;          // how long it waits for the answer to its line
  };

  explicit SingleInstance(QObject* parent = nullptr);
  SingleInstance(const Limits& limits, QObject* parent);
  ~SingleInstance() override;

  // The folder of the lock and the socket: $XDG_RUNTIME_DIR, else a folder of
  // our own in the temporary folder, else in the user's cache folder; the
  // first that is a real folder of the user's, closed to everybody else, and
  // short enough for a socket's path. Empty when there is none.
  [[nodiscard]] static QString Folder();
  [[nodiscard]] static QString LockPath();
  [[nodiscard]] static QString SocketPath();

  // Takes the lock: true for the first copy, which listens from now on
  // (files that arrive wait in the signal's receiver), false when another
  // copy holds it. Without a usable folder the program runs unguarded.
  [[nodiscard]] bool TakeLock();
  [[nodiscard]] bool IsListening() const;

  // A second start: hands `file` (the bytes of an absolute path, or empty
  // for none) to the running copy, trying for a while when it is not
  // listening yet. False when it could not be reached.
  [[nodiscard]] bool HandOver(const std::string& file) const;

 signals:
  // A second start handed this over (the bytes of its path; empty: none,
  // only come to the front).
  void fileArrived(const QByteArray& file);

 private:
  enum class Reach { Handed, NotYet, Refused };

  void Listen();
  void KeepListening();
  void AcceptConnections();
  void ReadHandOver(QLocalSocket* socket);
  void Drop(QLocalSocket* socket);
  [[nodiscard]] Reach TryHandOver(const QString& path, const QByteArray& line, int wait_ms) const;

  Limits limits_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
  QTimer* watchdog_ = nullptr;
  QString socket_path_;
  int connections_ = 0;
};

}  // namespace dustora
