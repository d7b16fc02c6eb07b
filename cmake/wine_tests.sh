#!/usr/bin/env bash
# The Wine around the Windows builds' tests, in the prefix named by WINEPREFIX.
#   start 32|64     starts the server and primes the prefix (a ctest fixture's setup). Where
#                   a 32-bit build's programs cannot run, it says why in "$WINEPREFIX.unusable"
#                   and succeeds, so that the tests report themselves skipped; a 64-bit build
#                   has no such way out.
#   stop            stops the server (the fixture's cleanup).
#   run PROGRAM...  runs a test program, or prints that one line and exits with 77 (skipped).
# Wine's helper processes inherit the standard streams of the command that started them and
# outlive it; a test runner reading those streams would wait for them, so every start here
# has its streams on /dev/null.
set -u
unusable="$WINEPREFIX.unusable"

quiet() { "$@" </dev/null >/dev/null 2>&1; }

case "${1:-}" in
  start)
    rm -f "$unusable"
    mkdir -p "$WINEPREFIX"
    quiet wineserver -p  # fails when a server already runs for this prefix: as good
    # The probe is a shell of the build's own bitness, asked for a status of its own: a
    # 32-bit program that Wine cannot start may still end with status 0 (it does where
    # wine32 is missing), and so would every test.
    if [[ "${2:-}" == 32 ]]; then shell='C:\windows\syswow64\cmd.exe'; else shell=cmd; fi
    quiet wine "$shell" /c exit 42
    status=$?
    ((status == 42)) && exit 0
    if [[ "${2:-}" == 32 ]]; then
      echo "32-bit Windows programs cannot run here: a 32-bit cmd under Wine ended with $status," \
           "not 42 (is wine32:i386 installed, and can the kernel run 32-bit programs?)" | tee "$unusable"
      exit 0
    fi
    echo "Wine does not run: wine cmd /c exit 42 ended with $status" >&2
    exit 1
    ;;
  stop)
    quiet wineserver -k
    quiet wineserver -w
    exit 0
    ;;
  run)
    shift
    if [[ -e "$unusable" ]]; then
      echo "skipped: $(cat "$unusable")"
      exit 77
    fi
    exec "$@"
    ;;
esac
echo "usage: $0 start 32|64 | stop | run PROGRAM [ARGUMENT...]" >&2
exit 2
