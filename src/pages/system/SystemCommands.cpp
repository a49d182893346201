#include "pages/system/SystemCommands.h"

#include "pages/common/CommandIds.h"
#include "pages/system/CEmi0PropPage.h"
#include "pages/system/CPrefetchPropPage.h"
#include "pages/system/CVoltageRefPropPage.h"
#include "pages/system/CVoltageRegPropPage.h"

CommandRow VoltageRegulatorCommand() {
    return {cmd::VoltageRegulator, "Voltage Regulator", {Pid::VoltageRegulator},
            {SimplePage<CVoltageRegPropPage>()}};
}

CommandRow PrefetchCommand() {
    return {cmd::PrefetchEngine, "Prefetch Engine", {Pid::Prefetch}, {SimplePage<CPrefetchPropPage>()}};
}

CommandRow EmiCommand() {
    // The page is also handed a copy of the Port I/O record, which it does not read.
    return {cmd::Emi, "EMI", {Pid::Emi}, {SimplePage<CEmi0PropPage>()}};
}

CommandRow VoltageReferenceCommand() {
    return {cmd::VoltageReference,
            "Voltage Reference",
            {Pid::VoltageReference},
            {{[](CommandInputs& in) {
                return std::unique_ptr<CPropPage>(new CVoltageRefPropPage(&in.Rec(Pid::PortIO)));
            }}}};
}
