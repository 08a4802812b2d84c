#include "AttentionWatch.h"

#include "TdsWire.h"
#include "platform/db/sqlite/EmbeddedEngine.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <cerrno>
#include <sys/socket.h>

namespace tds {

namespace {

// How often a statement looks at its client's socket: a look costs a system call.
constexpr qint64 kLookEveryMs = 1;

struct Computing {
    qintptr socket = -1; // -1: none, or the next bytes cannot be told apart
    QElapsedTimer sinceLook;
};

Computing g_computing;

// True when the client's next message is an attention, or the client has gone.
bool ClientStopped()
{
    if (g_computing.socket < 0 || g_computing.sinceLook.elapsed() < kLookEveryMs)
        return false;
    g_computing.sinceLook.restart();
    char type = 0;
    const ssize_t n = ::recv(int(g_computing.socket), &type, 1, MSG_PEEK | MSG_DONTWAIT);
    if (n == 1)
        return uint8_t(type) == kAttention;
    return n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

} // namespace

void WatchStatementsForAttention() { bkl::db::sqlite::SetStepStopHookForTesting(ClientStopped); }

ComputingFor::ComputingFor(const QTcpSocket& socket, bool atPacketStart)
{
    // Bytes the socket has taken in and the session has not would come first.
    g_computing.socket = atPacketStart && socket.bytesAvailable() == 0 ? socket.socketDescriptor() : -1;
    g_computing.sinceLook.start();
}

ComputingFor::~ComputingFor() { g_computing.socket = -1; }

} // namespace tds
