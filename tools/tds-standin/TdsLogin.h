#pragma once
// The two messages that open a connection: PRELOGIN (answered without encryption)
// and LOGIN7 (who logs in, to which database, with which wishes).
#include <QByteArray>
#include <QString>

namespace tds {

// The PRELOGIN answer: the server's version, encryption not supported, the
// instance accepted, no MARS.
QByteArray PreloginAnswer();

struct Login7 {
    bool valid = false;
    uint32_t tdsVersion = 0;
    int packetSize = 0;          // 0: the server's default
    bool readOnlyIntent = false;
    bool integratedSecurity = false; // a Windows (SSPI/NTLM) login
    QString hostName;
    QString userName;
    QString password;
    QString appName;
    QString database;            // empty: the login's default database
};

Login7 ParseLogin7(const QByteArray& body);

} // namespace tds
