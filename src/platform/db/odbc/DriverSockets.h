#pragma once
// The network sockets a driver opened for one connection. ODBC does not hand them
// out: they are the connected stream sockets that appear among the process's open
// files while the connection is made. A connection given up after Stop is closed
// at them, so that a driver call blocked on the server returns.
#include <sys/types.h>
#include <vector>

namespace bkl::db::odbc {

struct SocketId {
    int fd = -1;
    ino_t inode = 0; // tells a socket from a later one that reuses its descriptor
};

// Every socket the process has open.
std::vector<SocketId> OpenSockets();

// The connected stream sockets of `after` that `before` does not hold.
std::vector<SocketId> NewConnectedSockets(const std::vector<SocketId>& before, const std::vector<SocketId>& after);

// Shuts each socket down both ways, when its descriptor still names the same socket.
// The descriptors stay open: they are the driver's to close.
void ShutDownSockets(const std::vector<SocketId>& sockets);

} // namespace bkl::db::odbc
