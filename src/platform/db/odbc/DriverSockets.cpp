#include "platform/db/odbc/DriverSockets.h"

#include <QDir>
#include <algorithm>
#include <sys/socket.h>
#include <sys/stat.h>

namespace bkl::db::odbc {

namespace {

ino_t SocketInode(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISSOCK(st.st_mode) ? st.st_ino : 0;
}

bool ConnectedStream(int fd)
{
    int type = 0;
    socklen_t length = sizeof type;
    sockaddr_storage peer{};
    socklen_t peerLength = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &length) == 0 && type == SOCK_STREAM
        && ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) == 0
        && (peer.ss_family == AF_INET || peer.ss_family == AF_INET6);
}

} // namespace

std::vector<SocketId> OpenSockets()
{
    std::vector<SocketId> sockets;
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : fds) {
        bool ok = false;
        const int fd = name.toInt(&ok);
        if (const ino_t inode = ok ? SocketInode(fd) : 0)
            sockets.push_back({fd, inode});
    }
    return sockets;
}

std::vector<SocketId> NewConnectedSockets(const std::vector<SocketId>& before, const std::vector<SocketId>& after)
{
    std::vector<SocketId> found;
    for (const SocketId& s : after) {
        const bool old = std::any_of(before.begin(), before.end(),
                                     [&](const SocketId& b) { return b.fd == s.fd && b.inode == s.inode; });
        if (!old && ConnectedStream(s.fd))
            found.push_back(s);
    }
    return found;
}

void ShutDownSockets(const std::vector<SocketId>& sockets)
{
    for (const SocketId& s : sockets)
        if (SocketInode(s.fd) == s.inode)
            ::shutdown(s.fd, SHUT_RDWR);
}

} // namespace bkl::db::odbc
