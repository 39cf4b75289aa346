#include "transfer/operations/operation_support.h"

#include "model/conversions.h"
#include "transfer/operations/operation_host.h"

namespace kvtk {

int PanelAddress(const Configuration& config) {
    return IntegerValue(config.Panel.Address);
}

bool AskYesNo(Prompter& prompter, const std::string& title, const std::string& text) {
    return prompter.Ask({title, text, MessageButtons::YesNo, MessageIcon::Question}) ==
           MessageAnswer::Yes;
}

}  // namespace kvtk
