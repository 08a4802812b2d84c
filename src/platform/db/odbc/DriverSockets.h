#pragma once
// The network sockets a driver opened for one connection. ODBC does not hand them
// out: they are the connected stream sockets that appear among the process's open
// files while the connection is made. The process makes one connection at a time
// (ConnectionScan), so no other connection's socket is taken for this one. A
// connection given up after Stop is shut down at them, so that a driver call
// blocked on the server returns.
#include <chrono>
#include <mutex>
#include <sys/types.h>
#include <vector>

namespace bkl::db::odbc {

// The sockets of one connection, held as duplicates of the driver's descriptors. A
// duplicate names its socket until it is released here, whatever the driver closes
// meanwhile, so a shutdown never reaches a socket that a descriptor of the same
// number names later. The socket itself stays open until the driver and this have
// both let go of it: the owner releases these once the driver has disconnected.
class DriverSockets {
public:
    DriverSockets() = default;
    ~DriverSockets() { release(); }
    DriverSockets(DriverSockets&& other) noexcept;
    DriverSockets& operator=(DriverSockets&& other) noexcept;
    DriverSockets(const DriverSockets&) = delete;
    DriverSockets& operator=(const DriverSockets&) = delete;

    // Shuts each socket down both ways; the descriptors stay open.
    void shutDown() const;
    // True while a socket holds bytes the server has not taken yet.
    bool sending() const;
    // Closes the duplicates.
    void release();

private:
    friend class ConnectionScan;
    std::vector<int> fds_;
};

// Longer than the program's login timeout (15 s): a connect stuck in the driver
// holds the others back no longer than its own timeout lets it.
inline constexpr std::chrono::seconds kConnectTurnWait{20};

// Brackets the making of one connection (the driver's connect call): while it lives
// no other connection of the process is made, and found() tells the connected
// stream sockets opened since it began. A connection that cannot have its turn
// within kConnectTurnWait (another one is stuck in its connect) is made without:
// it then knows no sockets, and a give-up leaves its sockets to its worker.
class ConnectionScan {
public:
    ConnectionScan();
    ~ConnectionScan() = default;
    ConnectionScan(const ConnectionScan&) = delete;
    ConnectionScan& operator=(const ConnectionScan&) = delete;

    DriverSockets found() const;

private:
    struct Open {
        int fd = -1;
        ino_t inode = 0; // tells a socket from a later one that reuses its descriptor
    };
    static std::vector<Open> openSockets();

    std::unique_lock<std::timed_mutex> turn_;
    std::vector<Open> before_;
};

} // namespace bkl::db::odbc
