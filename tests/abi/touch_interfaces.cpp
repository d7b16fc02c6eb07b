// Names every method of the slot table, so that the compiler works out (and, asked to, prints)
// the virtual-table layout of every interface of the binary contract. Compiled for the
// Microsoft C++ ABI by check_msvc_abi.sh; the record layouts' static_asserts in the headers
// are checked by the same compilation.
#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/message_box_interface.h"
#include "framework/interfaces/module_exports.h"
#include "framework/interfaces/property_bag_interface.h"
#include "framework/interfaces/proxy_connection.h"
#include "framework/interfaces/registry.h"
#include "framework/interfaces/ui_layout_engine.h"
#include "framework/interfaces/update_engine.h"
#include "framework/interfaces/update_host.h"
#include "framework/interfaces/update_logic_interface.h"

namespace orv {

void TouchEveryInterface() {
#define ORV_METHOD_SLOT(interface, method, slot) (void)&interface::method;
#define ORV_OVERLOAD_SLOT(interface, method, result, parameters, slot) \
  (void)static_cast<result(interface::*) parameters>(&interface::method);
#include "tests/abi/interface_slots.def"
}

}  // namespace orv
