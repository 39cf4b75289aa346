#include "transfer/registers/firmware_conditions.h"

#include "model/products.h"

namespace kvtk {
namespace {

bool IsModel(const ProductIdentity& id, const char* model) {
    return id.Model == model;
}

double Firmware(const ProductIdentity& id) {
    return VersionValue(id.Version);
}

}  // namespace

InputLayout InputWordLayout(const ProductIdentity& id) {
    if (IsModel(id, "KV-4800") || Firmware(id) >= 1.1) return InputLayout::Current;
    return InputLayout::Early;
}

int MemberReadBytes(const ProductIdentity& id) {
    return IsModel(id, "KV-4800") && Firmware(id) < 4.0 ? 1 : 8;
}

int MemberWriteBytes(const ProductIdentity& id) {
    return IsModel(id, "KV-4800") ? 1 : 8;
}

bool UsesFlashOffCodeTable(const ProductIdentity& id) {
    return IsModel(id, "KV-4500") && Firmware(id) < 1.1;
}

bool SkipsGroup60OnWrite(const ProductIdentity& id) {
    return IsModel(id, "KV-4600") && Firmware(id) < 1.1;
}

bool TransfersSpecialOptions(const ProductIdentity& id) {
    return Firmware(id) >= 2.06;
}

bool TransfersGroupFlash(const ProductIdentity& id) {
    return Firmware(id) > 1.18;
}

bool TransfersGroupType(const CapabilityLimits& limits) {
    return limits.SupergroupsAllowed;
}

}  // namespace kvtk
