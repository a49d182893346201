// Entry points of the ZorvantQ7R2x module, resolved by the host by name.

#include <cstdint>

#include "framework/CApplication.h"
#include "plugin/Registration.h"

#define ZV_EXPORT extern "C" __attribute__((visibility("default")))

// Adds the eight Q7R2x document templates to the host's application object;
// every call adds another set. Without an application object there is
// nothing to add to.
ZV_EXPORT void InitQ7R2xDLL() {
    if (CApplication* app = TheApp()) plugin::RegisterTemplates(*app);
}

ZV_EXPORT std::int16_t GetDLLVersion() {
    return 0;
}
