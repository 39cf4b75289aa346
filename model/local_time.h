#pragma once
// The calendar fields of a moment by the local clock, for the stamps of
// saved files, backups, reports and the traffic log.

#include <ctime>

namespace kvtk {

std::tm LocalTime(std::time_t when);

}  // namespace kvtk
