#include "host/cli/ConsoleUi.h"

#include <cstdio>

MsgResult ConsoleUi::Message(const std::string& text, MsgButtons buttons, MsgIcon,
                             const std::string&) {
    std::fprintf(stderr, "%s%s\n", Prefix.c_str(), text.c_str());
    return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
}
