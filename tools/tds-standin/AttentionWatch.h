#pragma once
// While the stand-in computes a statement's result it notices the client's attention
// and stops there, as a server does: the embedded engine asks, every so many steps
// of the statement, and the watch looks at what the client sent next without reading
// it. The stand-in serves its clients on one thread, one statement at a time.
class QTcpSocket;

namespace tds {

// Lets the engine ask (once, at start).
void WatchStatementsForAttention();

// Marks the statement computed for the client on `socket` while it lives: an attention
// from the client, or its hang-up, stops it (the engine throws StatementStopped).
// `atPacketStart`: what the client sends next begins a packet (no part of one is
// held back unread).
class ComputingFor {
public:
    ComputingFor(const QTcpSocket& socket, bool atPacketStart);
    ~ComputingFor();
    ComputingFor(const ComputingFor&) = delete;
    ComputingFor& operator=(const ComputingFor&) = delete;
};

} // namespace tds
