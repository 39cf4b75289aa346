#pragma once
// Configurations for a chosen product, offline or online at an address.

#include <string>

#include "model/configuration.h"
#include "model/products.h"

namespace kvtk::test {

inline Configuration ConfigFor(const std::string& model, const std::string& version) {
    Configuration config;
    config.Identity = {model, version};
    ApplyProductCapabilities(config, model, version);
    return config;
}

inline Configuration OnlineConfigFor(const std::string& model, const std::string& version,
                                     int address = 1) {
    Configuration config = ConfigFor(model, version);
    config.Panel.Address = std::to_string(address);
    config.Status.Connection = PanelConnection::Serial(1);
    return config;
}

}  // namespace kvtk::test
