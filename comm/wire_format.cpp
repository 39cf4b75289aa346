#include "comm/wire_format.h"

#include "model/conversions.h"

namespace kvtk {

int CommandChecksum(const std::string& text) {
    unsigned sum = 0;
    for (const char ch : text) sum += static_cast<unsigned char>(ch);
    return static_cast<int>(sum % 256);
}

bool ReplyChecksumOk(const std::string& reply) {
    if (reply.size() < 2) return true;
    // Two characters leave no room for a class letter and a checksum.
    if (reply.size() == 2) return false;
    const std::string data = reply.substr(1, reply.size() - 3);
    const std::string check = reply.substr(reply.size() - 2);
    return HexToNumber(check) == CommandChecksum(data);
}

std::string EncodeAddressField(int address) {
    if (address >= 0 && address <= 255) return NumberToHex(address, 2);
    if (address >= 256 && address <= 1023) return NumberToBase32Padded(address + 512, 2);
    const auto value = static_cast<unsigned>(address) & 0xFFFFu;
    return {static_cast<char>(value / 256 % 256), static_cast<char>(value % 256)};
}

std::string SerialFrame(int address, const std::string& command) {
    const std::string body = EncodeAddressField(address) + command;
    return ">" + body + NumberToHex(CommandChecksum(body), 2) + kCarriageReturn;
}

std::string RelayFrame(int address, const std::string& command) {
    return EncodeAddressField(address) + command + kCarriageReturn;
}

QByteArray ToBytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromBytes(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace kvtk
