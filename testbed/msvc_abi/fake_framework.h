// The fake framework's own exports, beside "CreateComponent": the journal every fake object
// writes and the handles a launcher's stand-in needs to play a person and an update engine.
#pragma once

#include <cstdint>

#include "framework/interfaces/proxy_connection.h"
#include "framework/interfaces/ui_layout_engine.h"
#include "framework/interfaces/update_engine.h"

#define ORV_FAKE_EXPORT extern "C" __declspec(dllexport)

namespace orv::msvc_abi {

// One line per outside call: "<object>.<method>(<arguments>)".
using FakeJournalFn = const char* (*)();
using FakeRecordFn = void (*)(const char* line);
using FakeClearJournalFn = void (*)();
// The listener the module advised on the newest update engine, or null.
using FakeEngineListenerFn = IUpdateEngineEvent* (*)();
// The sink the module gave the newest test connection, or null.
using FakeConnectionSinkFn = IConnectionSink* (*)();
// The next two answers of the message box (then Yes again).
using FakeAnswersFn = void (*)(int first, int second);
// A control of the launcher window (dialog 0) or of the proxy dialog (1) by name: its id, and
// the sink bound to it (in a dialog, the root's, which gets every event). A `typed` text is
// what the person entered: an edit box's text, or a combo box's position as a digit.
using FakeControlFn = std::uint32_t (*)(int dialog, const char* name, const char* typed,
                                        IUIEventSink** sink);
// What the person does while a dialog runs modally; nothing when null (the run ends with 0).
using FakeOnModalFn = void (*)(std::uint32_t (*script)());
// The objects the fake holds (alive engines, dialogs' engines, connections); 0 when all were
// released.
using FakeLiveObjectsFn = int (*)();

}  // namespace orv::msvc_abi
