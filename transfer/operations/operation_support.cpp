#include "transfer/operations/operation_support.h"

#include "model/conversions.h"

namespace kvtk {

int PanelAddress(const Configuration& config) {
    return IntegerValue(config.Panel.Address);
}

}  // namespace kvtk
