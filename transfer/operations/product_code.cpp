#include "transfer/operations/product_code.h"

#include "transfer/operations/operation_support.h"
#include "transfer/registers/register_map.h"

namespace kvtk {
const std::array<ProductCode, 14>& ProductCodes() {
    static const std::array<ProductCode, 14> codes{{
        {"TMC-1400", 1},
        {"KV-5500", 6},
        {"KV-4900", 5},
        {"KV-4800", 4},
        {"KV-4700", 3},
        {"KV-4600", 2},
        {"KV-4500", 0},
        {"KV-4300", 7},
        {"KV-1400", 8},
        {"WQ08", 9},
        {"WQ16", 10},
        {"WQ32", 11},
        {"WQ48", 12},
        {"WQ60", 13},
    }};
    return codes;
}

namespace {

ProductCodeResult Change(int address, int listIndex, PanelExchange& exchange, OperationHost& host) {
    auto send = [&](const std::string& command) {
        return exchange.Exchange(address, command, "", kStyleRetryCancel);
    };
    const auto rejected = [&host] {
        host.Beep();
        host.ShowStatusLine("Product Code Change Rejected", LineTone::Alert);
        return ProductCodeResult::Rejected;
    };
    host.ShowStatusLine("", LineTone::Unchanged);
    // Checked before anything is sent: enabling writes for a code that is
    // never sent would leave the panel write-enabled.
    if (listIndex < 0 || listIndex >= static_cast<int>(ProductCodes().size())) return rejected();
    if (!IsConfirmation(send(kWriteEnableCommand))) {
        host.ShowStatusLine("Writes to Device Disabled", LineTone::Unchanged);
        return ProductCodeResult::WritesDisabled;
    }
    if (!IsConfirmation(
            send(ProductCodeCommand(ProductCodes()[static_cast<size_t>(listIndex)].Code))))
        return rejected();
    host.ShowStatusLine("Changing Product Code ", LineTone::Normal);
    send(kSaveEnableCommand);
    host.ShowStatusLine("Write to EEPROM ", LineTone::Normal);
    send(kSaveCommand);
    host.ShowStatusLine("Product Code Change Accepted ", LineTone::Normal);
    return ProductCodeResult::Accepted;
}

}  // namespace

ProductCodeResult SetPanelModel(int address, int listIndex, PanelExchange& exchange,
                                OperationHost& host) {
    host.Started({OperationKind::ProductCodeChange, 0});
    const ProductCodeResult result = Change(address, listIndex, exchange, host);
    host.Finished({OperationKind::ProductCodeChange, result == ProductCodeResult::Accepted});
    return result;
}

}  // namespace kvtk
