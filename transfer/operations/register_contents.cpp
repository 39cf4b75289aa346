#include "transfer/operations/register_contents.h"

namespace kvtk {
namespace {

bool IsRegisterRead(const std::string& command) {
    return command.size() > 2 && command.compare(0, 2, "LR") == 0;
}

}  // namespace

void RegisterContents::Record(const std::string& readCommand, const std::string& reply) {
    if (!IsRegisterRead(readCommand) || reply.size() < 2 || reply[0] != 'A') return;
    held_.insert("LW" + readCommand.substr(2) + reply.substr(1));
}

bool RegisterContents::Holds(const std::string& writeCommand) const {
    return held_.count(writeCommand) > 0;
}

std::string RegisterRecorder::DoExchange(int address, const std::string& command,
                                         const std::string& description, FailureStyle style,
                                         int dataChars) {
    std::string reply =
        ForwardingExchange::DoExchange(address, command, description, style, dataChars);
    // A reply short of the register's digits is no value at all.
    if (static_cast<int>(reply.size()) - 1 >= dataChars) contents_.Record(command, reply);
    return reply;
}

}  // namespace kvtk
