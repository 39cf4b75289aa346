#include "tests/comm/fake_link.h"

#include "comm/wire_format.h"
#include "model/conversions.h"

namespace kvtk::test {

std::string PanelReply(const std::string& data) {
    return "A" + data + NumberToHex(CommandChecksum(data), 2) + kCarriageReturn;
}

}  // namespace kvtk::test
