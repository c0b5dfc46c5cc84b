#include "platform/shell/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QLocalSocket>

#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"

namespace shell {

SingleInstance::SingleInstance(std::string name)
    : name_(std::move(name)), server_name_(name_ + "-" + std::to_string(getuid())) {}

SingleInstance::~SingleInstance() = default;

std::string SingleInstance::encode(const std::vector<std::string>& arguments) {
  std::string out;
  auto put = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
  };
  put(uint32_t(arguments.size()));
  for (const std::string& a : arguments) {
    put(uint32_t(a.size()));
    out += a;
  }
  return out;
}

bool SingleInstance::decode(const std::string& bytes, std::vector<std::string>& arguments) {
  arguments.clear();
  if (bytes.size() > kMaxMessage) return false;
  base::ByteReader r(bytes.data(), bytes.size());
  uint32_t count = r.u32();
  if (!r.ok() || count > r.remaining() / 4) return false;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t length = r.u32();
    if (!r.ok() || length > r.remaining()) return false;
    std::string a(length, '\0');
    r.bytes(a.data(), length);
    arguments.push_back(std::move(a));
  }
  return r.ok() && r.remaining() == 0;
}

bool SingleInstance::acquire(std::function<void(const std::vector<std::string>&)> handler) {
  // The lock must be the same file for every process of the user: the system's temporary folder
  // (the program's own temporary folder is per process).
  lock_ = std::make_unique<QLockFile>(QDir::tempPath() + "/" + QString::fromStdString(server_name_) + ".lock");
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) {
    // A lock left by a process that died is taken over.
    if (!lock_->removeStaleLockFile() || !lock_->tryLock(0)) {
      lock_.reset();
      return false;
    }
  }
  // A socket left by a process that died would stop listen.
  QLocalServer::removeServer(QString::fromStdString(server_name_));
  server_ = std::make_unique<QLocalServer>();
  if (!server_->listen(QString::fromStdString(server_name_))) return true;
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this, handler] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      auto buffer = std::make_shared<std::string>();
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer, handler] {
        QByteArray data = socket->readAll();
        buffer->append(data.constData(), size_t(data.size()));
        if (buffer->size() > kMaxMessage) {
          socket->abort();
          return;
        }
        std::vector<std::string> arguments;
        if (decode(*buffer, arguments)) {
          socket->write("1", 1);
          socket->flush();
          handler(arguments);
          socket->disconnectFromServer();
        }
      });
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
  return true;
}

bool SingleInstance::hand_over(const std::vector<std::string>& arguments, int timeout_ms) const {
  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString(server_name_));
  if (!socket.waitForConnected(timeout_ms)) return false;
  std::string message = encode(arguments);
  socket.write(message.data(), qint64(message.size()));
  if (!socket.waitForBytesWritten(timeout_ms)) return false;
  // The first process answers once it has the whole message.
  if (!socket.waitForReadyRead(timeout_ms)) return false;
  return socket.readAll() == "1";
}

void on_second_start(CWinApp& app, const std::vector<std::string>& arguments) {
  if (CWnd* main = app.m_pMainWnd; main && main->m_hWnd) {
    if (main->IsIconic()) main->ShowWindow(SW_RESTORE);
    main->SetForegroundWindow();
  }
  for (const std::string& a : arguments) {
    CString path(base::cp1250::from_utf8(a));
    if (!path.IsEmpty() && !CCommandLineInfo::IsSwitch(path)) app.OpenDocumentFile(path);
  }
}

bool start_single_instance(CWinApp& app, SingleInstance& instance, const std::vector<std::string>& arguments) {
  if (instance.acquire([&app](const std::vector<std::string>& args) { on_second_start(app, args); })) return true;
  instance.hand_over(arguments);
  return false;
}

}  // namespace shell
