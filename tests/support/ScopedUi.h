// A scripted UI service installed for as long as it lives: a fixture member
// that takes every message box and modal run of its tests.
#pragma once

#include "model/Ui.h"

struct ScopedScriptUi : ScriptUi {
    ScopedScriptUi() : previous(SetUi(this)) {}
    ~ScopedScriptUi() override { SetUi(previous); }
    ScopedScriptUi(const ScopedScriptUi&) = delete;
    ScopedScriptUi& operator=(const ScopedScriptUi&) = delete;
    Ui* previous;
};
