#!/usr/bin/env bash
# The binary contract under the Microsoft C++ ABI, which the launcher and the framework's
# components are compiled with: clang compiles every interface and record header for the
# 32- and 64-bit Windows targets of that ABI (the records' static_asserts hold there too) and
# prints each interface's virtual-table layout, which must give every method of
# interface_slots.def its slot. MSVC numbers the overloads of one name together and in
# reverse order of declaration, where GCC keeps declaration order: that is the difference
# this check exists for.
#   check_msvc_abi.sh <source root>     one line per difference, exit 1 when there is any
set -uo pipefail
root=$1
here=$root/tests/abi
failed=0

for target in i686-pc-windows-msvc x86_64-pc-windows-msvc; do
  if ! dump=$(clang++ --target=$target -std=c++17 -ffreestanding -nostdinc++ -Werror \
                -I "$here/include" -I "$root" -S -emit-llvm -o /dev/null \
                -Xclang -fdump-vtable-layouts "$here/touch_interfaces.cpp" 2>&1); then
    echo "$target: the interfaces do not compile:"; echo "$dump"; failed=1; continue
  fi
  # "VFTable indices for 'orv::IFoo'" sections: "  <slot> | <result> orv::IFoo::Method(<parameters>)"
  # become "IFoo Method (<parameters>) <slot>", blanks and namespaces removed from the types.
  found=$(awk '
    /^VFTable indices for / { in_section = 1; next }
    /^$/ { in_section = 0 }
    in_section && / \| / {
      slot = $1
      signature = substr($0, index($0, "| ") + 2)
      match(signature, /orv::[A-Za-z0-9_]+::[A-Za-z0-9_]+\(/)
      name = substr(signature, RSTART + 5, RLENGTH - 6)
      parameters = substr(signature, RSTART + RLENGTH - 1)
      sub(/\)[^)]*$/, ")", parameters)
      gsub(/orv::|std::| /, "", parameters)
      split(name, part, "::")
      print part[1], part[2], parameters, slot
    }' <<<"$dump")
  while IFS= read -r line; do
    if [[ "$line" =~ ^ORV_METHOD_SLOT\(([A-Za-z0-9_]+),\ ([A-Za-z0-9_]+),\ ([0-9]+)\) ]]; then
      interface=${BASH_REMATCH[1]} method=${BASH_REMATCH[2]} expected=${BASH_REMATCH[3]} parameters=
    elif [[ "$line" =~ ^ORV_OVERLOAD_SLOT\(([A-Za-z0-9_]+),\ ([A-Za-z0-9_]+),\ [^,]+,\ (\(.*\)),\ ([0-9]+)\) ]]; then
      interface=${BASH_REMATCH[1]} method=${BASH_REMATCH[2]} expected=${BASH_REMATCH[4]}
      parameters=$(sed 's/std:://g; s/orv:://g; s/ //g' <<<"${BASH_REMATCH[3]}")
    else
      continue
    fi
    slots=$(awk -v i="$interface" -v m="$method" -v p="$parameters" \
              '$1 == i && $2 == m && (p == "" || $3 == p) { print $4 }' <<<"$found" | sort -u | tr '\n' ' ')
    slots=${slots% }
    if [[ "$slots" != "$expected" ]]; then
      echo "$target: $interface::$method${parameters}: expected slot $expected, found ${slots:-none}"
      failed=1
    fi
  done < "$here/interface_slots.def"
done
((failed)) || echo "every slot of the contract holds under the Microsoft C++ ABI (32- and 64-bit)"
exit "$failed"
