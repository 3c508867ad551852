#include "display_reachable.h"

#include <QByteArray>
#include <QtGlobal>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int tcp_timeout_ms = 1000;
constexpr int x_tcp_base_port = 6000;

// Owns a socket for the length of one attempt.
class Socket {
public:
    Socket(int family, int flags) : fd(::socket(family, SOCK_STREAM | SOCK_CLOEXEC | flags, 0)) {}
    ~Socket() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    const int fd;
};

// `abstract`: in Linux's abstract namespace, where an X server also listens.
bool unix_socket_listens(const QByteArray& path, bool abstract) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t start = abstract ? 1 : 0;
    if (path.isEmpty() ||
        start + static_cast<std::size_t>(path.size()) >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path + start, path.constData(), path.size());
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + start + path.size());
    const Socket socket(AF_UNIX, 0);
    return socket.fd >= 0 &&
           ::connect(socket.fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
}

bool tcp_connects(const addrinfo& address) {
    const Socket socket(address.ai_family, SOCK_NONBLOCK);
    if (socket.fd < 0) {
        return false;
    }
    if (::connect(socket.fd, address.ai_addr, address.ai_addrlen) == 0) {
        return true;
    }
    pollfd watched{socket.fd, POLLOUT, 0};
    int error = 0;
    socklen_t length = sizeof error;
    return errno == EINPROGRESS && ::poll(&watched, 1, tcp_timeout_ms) == 1 &&
           ::getsockopt(socket.fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

bool tcp_port_listens(const QByteArray& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.constData(), QByteArray::number(port).constData(), &hints, &found) !=
        0) {
        return false;
    }
    bool listens = false;
    for (const addrinfo* address = found; address != nullptr && !listens;
         address = address->ai_next) {
        listens = tcp_connects(*address);
    }
    ::freeaddrinfo(found);
    return listens;
}

// DISPLAY is [host]:number[.screen]; no host, or "unix", means this machine's socket.
bool x_server_listens(const QByteArray& display) {
    const qsizetype colon = display.lastIndexOf(':');
    if (colon < 0) {
        return false;
    }
    const QByteArray host = display.left(colon);
    QByteArray server = display.mid(colon + 1);
    if (const qsizetype dot = server.indexOf('.'); dot >= 0) {
        server.truncate(dot);
    }
    bool is_number = false;
    const int number = server.toInt(&is_number);
    if (!is_number || number < 0) {
        return false;
    }
    if (host.isEmpty() || host == "unix") {
        const QByteArray path = "/tmp/.X11-unix/X" + QByteArray::number(number);
        return unix_socket_listens(path, true) || unix_socket_listens(path, false);
    }
    return tcp_port_listens(host, x_tcp_base_port + number);
}

// WAYLAND_DISPLAY is a socket's path, or its name in XDG_RUNTIME_DIR.
bool compositor_listens(const QByteArray& name) {
    if (name.isEmpty()) {
        return false;
    }
    if (name.startsWith('/')) {
        return unix_socket_listens(name, false);
    }
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && unix_socket_listens(runtime + '/' + name, false);
}

} // namespace

bool display_reachable() {
    return x_server_listens(qgetenv("DISPLAY")) || compositor_listens(qgetenv("WAYLAND_DISPLAY"));
}
