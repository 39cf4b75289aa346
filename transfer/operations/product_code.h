#pragma once
// The factory product code change: tells a panel which product it is and
// saves that to its EEPROM at once. Reports through the dialog's status line.

#include <array>
#include <string>

#include "model/panel_exchange.h"
#include "transfer/operations/operation_host.h"

namespace kvtk {

struct ProductCode {
    const char* Product;
    int Code;
};

// The 14 products in the order the list shows them; the first is selected
// when the dialog opens.
const std::array<ProductCode, 14>& ProductCodes();

enum class ProductCodeResult {
    WritesDisabled,  // "LSWEN" was not answered "AY"
    Rejected,        // the product code was not answered "AY"
    Accepted,        // written and saved
};

// The Change button's action for the product at `listIndex` (0..13) sent to
// `address` (the connect dialog's address). An index outside the table
// sends nothing and reports the change rejected.
ProductCodeResult SetPanelModel(int address, int listIndex, PanelExchange& exchange,
                                OperationHost& host);

}  // namespace kvtk
