// The fake framework's own exports, beside "CreateComponent": the journal every fake object
// writes and the handles a launcher's stand-in needs to play a person and an update engine.
#pragma once

#include <cstdint>

#include "framework/interfaces/ui_layout_engine.h"
#include "framework/interfaces/update_engine.h"

#define ORV_FAKE_EXPORT extern "C" __declspec(dllexport)
#define ORV_FAKE_IMPORT extern "C" __declspec(dllimport)

namespace orv::msvc_abi {

// One line per outside call: "<object>.<method>(<arguments>)".
using FakeJournalFn = const char* (*)();
using FakeRecordFn = void (*)(const char* line);
using FakeClearJournalFn = void (*)();
// The listener the module advised on the newest update engine, or null.
using FakeEngineListenerFn = IUpdateEngineEvent* (*)();
// The control of the launcher window's engine named `name`: its id and the sink bound to it.
using FakeControlFn = std::uint32_t (*)(const char* name, IUIEventSink** sink);
// The objects the fake holds (alive engines and dialogs' engines); 0 when all were released.
using FakeLiveObjectsFn = int (*)();

}  // namespace orv::msvc_abi
