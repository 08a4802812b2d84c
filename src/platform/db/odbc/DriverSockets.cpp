#include "platform/db/odbc/DriverSockets.h"

#include <QDir>
#include <algorithm>
#include <fcntl.h>
#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bkl::db::odbc {

namespace {

std::timed_mutex& ConnectTurn()
{
    static std::timed_mutex turn;
    return turn;
}

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

DriverSockets::DriverSockets(DriverSockets&& other) noexcept : fds_(std::move(other.fds_)) { other.fds_.clear(); }

DriverSockets& DriverSockets::operator=(DriverSockets&& other) noexcept
{
    if (this != &other) {
        release();
        fds_ = std::move(other.fds_);
        other.fds_.clear();
    }
    return *this;
}

void DriverSockets::shutDown() const
{
    for (const int fd : fds_)
        ::shutdown(fd, SHUT_RDWR);
}

bool DriverSockets::sending() const
{
    return std::any_of(fds_.begin(), fds_.end(), [](int fd) {
        int queued = 0;
        return ::ioctl(fd, SIOCOUTQ, &queued) == 0 && queued > 0;
    });
}

void DriverSockets::release()
{
    for (const int fd : fds_)
        ::close(fd);
    fds_.clear();
}

ConnectionScan::ConnectionScan() : turn_(ConnectTurn(), kConnectTurnWait)
{
    if (turn_.owns_lock())
        before_ = openSockets();
}

std::vector<ConnectionScan::Open> ConnectionScan::openSockets()
{
    std::vector<Open> sockets;
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : fds) {
        bool ok = false;
        const int fd = name.toInt(&ok);
        if (const ino_t inode = ok ? SocketInode(fd) : 0)
            sockets.push_back({fd, inode});
    }
    return sockets;
}

DriverSockets ConnectionScan::found() const
{
    DriverSockets found;
    if (!turn_.owns_lock())
        return found;
    for (const Open& s : openSockets()) {
        const bool old = std::any_of(before_.begin(), before_.end(),
                                     [&](const Open& b) { return b.fd == s.fd && b.inode == s.inode; });
        if (old || !ConnectedStream(s.fd))
            continue;
        // The duplicate is kept only when it names the socket that was seen.
        const int copy = ::fcntl(s.fd, F_DUPFD_CLOEXEC, 0);
        if (copy >= 0 && SocketInode(copy) == s.inode)
            found.fds_.push_back(copy);
        else if (copy >= 0)
            ::close(copy);
    }
    return found;
}

} // namespace bkl::db::odbc
