#include "TdsLogin.h"

#include "TdsWire.h"

namespace tds {

QByteArray PreloginAnswer()
{
    struct Option {
        uint8_t token;
        QByteArray data;
    };
    // VERSION 16.0.1000.6, ENCRYPTION = not supported, INSTOPT = the instance matches,
    // THREADID empty, MARS off.
    const Option options[] = {
        {0x00, QByteArray::fromHex("100003e80006")},
        {0x01, QByteArray::fromHex("02")},
        {0x02, QByteArray::fromHex("00")},
        {0x03, QByteArray()},
        {0x04, QByteArray::fromHex("00")},
    };
    const int headerSize = int(std::size(options)) * 5 + 1;
    Writer headers;
    QByteArray data;
    for (const Option& o : options) {
        const int offset = headerSize + int(data.size());
        headers.u8(o.token).u8(uint8_t(offset >> 8)).u8(uint8_t(offset & 0xff));
        headers.u8(uint8_t(o.data.size() >> 8)).u8(uint8_t(o.data.size() & 0xff));
        data += o.data;
    }
    headers.u8(0xff);
    return headers.data() + data;
}

Login7 ParseLogin7(const QByteArray& body)
{
    Login7 login;
    Reader fixed(body);
    fixed.u32(); // total length
    login.tdsVersion = fixed.u32();
    login.packetSize = static_cast<int>(fixed.u32());
    fixed.skip(12); // client program version, process id, connection id
    fixed.u8();     // option flags 1
    login.integratedSecurity = (fixed.u8() & 0x80) != 0;
    login.readOnlyIntent = (fixed.u8() & 0x20) != 0;
    if (!fixed.ok() || body.size() < 94)
        return login;

    // Offset and length (in characters) of each variable part, at a fixed place.
    const auto text = [&body](int at) {
        Reader r(body, at);
        const uint16_t offset = r.u16();
        const uint16_t characters = r.u16();
        Reader value(body, offset);
        return value.utf16(characters);
    };
    login.hostName = text(36);
    login.userName = text(40);
    // The password is scrambled: each byte has its nibbles swapped, then XOR 0xA5.
    Reader passwordAt(body, 44);
    const uint16_t offset = passwordAt.u16();
    const uint16_t characters = passwordAt.u16();
    QByteArray scrambled = body.mid(offset, characters * 2);
    for (char& b : scrambled) {
        const uint8_t x = static_cast<uint8_t>(b) ^ 0xA5;
        b = static_cast<char>(((x << 4) & 0xF0) | (x >> 4));
    }
    login.password = QString::fromUtf16(reinterpret_cast<const char16_t*>(scrambled.constData()), scrambled.size() / 2);
    login.appName = text(48);
    login.database = text(68);
    Reader sspi(body, 80);
    login.integratedSecurity = login.integratedSecurity || sspi.u16() > 0;
    login.valid = true;
    return login;
}

} // namespace tds
