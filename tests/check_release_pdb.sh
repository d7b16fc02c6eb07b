#!/usr/bin/env bash
# The shipped DLL as a launcher's debugger meets it: no DWARF left in it, its debug directory
# naming a PDB by file name alone, that PDB beside it and the very one the linker wrote with
# it (same GUID and age: a stale PDB would be refused or, worse, believed), and the update
# window's functions and the exports in it by name, with source lines.
#   check_release_pdb.sh <dll>      exit 1 with one line per fault
set -euo pipefail
dll=$1
name=$(basename "$dll" .dll)
pdb=$(dirname "$dll")/$name.pdb
faults=0
fault() { echo "$dll: $*"; faults=1; }

sections=$(llvm-objdump -h "$dll")
grep -q '\.debug_' <<<"$sections" && fault "still carries DWARF sections"

directory=$(llvm-readobj --coff-debug-directory "$dll")
named=$(sed -n 's/^ *PDBFileName: //p' <<<"$directory")
[[ "$named" == "$name.pdb" ]] || fault "debug directory names the PDB '$named', expected '$name.pdb'"
[[ -f "$pdb" ]] || { fault "no $name.pdb beside it"; exit 1; }

# The debug directory spells the GUID as bytes, the PDB as a GUID string.
read -r -a b <<<"$(sed -n 's/^ *PDBGUID: (\(.*\))/\1/p' <<<"$directory")"
dll_guid="{${b[3]}${b[2]}${b[1]}${b[0]}-${b[5]}${b[4]}-${b[7]}${b[6]}-${b[8]}${b[9]}-${b[*]:10:6}}"
dll_guid=${dll_guid// /}
dll_age=$(sed -n 's/^ *PDBAge: //p' <<<"$directory")
summary=$(llvm-pdbutil dump -summary "$pdb")
pdb_guid=$(sed -n 's/^ *GUID: //p' <<<"$summary")
pdb_age=$(sed -n 's/^ *Age: //p' <<<"$summary")
[[ "$dll_guid/$dll_age" == "$pdb_guid/$pdb_age" ]] ||
  fault "PDB does not match: DLL wants $dll_guid age $dll_age, $name.pdb is $pdb_guid age $pdb_age"

# What a crash in the update window shows on the stack: its entry points from the launcher,
# the engine and the UI engine.
symbols=$(llvm-pdbutil dump -symbols "$pdb" | sed -n 's/.*S_GPROC32 .*`\(.*\)`$/\1/p')
for method in CUpdateLogic Init StartUpdate SetShowProxyButton Close OnUpdateFinish OnUpdateFail \
              OnUpdateSuccess OnNeedUpdate OnUpdateProgress OnStageTiming OnUIEvent; do
  grep -qx "orv::CUpdateLogic::$method" <<<"$symbols" || fault "PDB has no orv::CUpdateLogic::$method"
done
publics=$(llvm-pdbutil dump -publics "$pdb")
for export in CreateComponent GetComponentIDs OrvexDllCanUnloadNow OrvexDllFreeMap OrvexSetDllSafe \
              SetDLLRegistry SetFactoryHandle; do
  grep -q "\`_$export\`" <<<"$publics" || fault "PDB has no public symbol for the export $export"
done
files=$(llvm-pdbutil dump -files "$pdb")
grep -q '/update/update_logic\.cpp' <<<"$files" || fault "PDB has no source lines of update_logic.cpp"
exit "$faults"
