#!/usr/bin/env bash
# The Wine around the Windows builds' tests, in the prefix PREFIX.
#   start PREFIX 32|64   starts the server and primes the prefix (a ctest fixture's setup).
#                        Where the build's programs cannot run it fails, saying why, and
#                        with it every test of the build: the win32 tests are the only tests
#                        of the DLL that ships. Only when ORV_SKIP_WIN32_TESTS=1 asks for it
#                        does a 32-bit build write the reason to "PREFIX.unusable" and
#                        succeed, so that its tests report themselves skipped.
#   stop PREFIX          stops the server (the fixture's cleanup).
#   run PREFIX PROGRAM...  runs a test program, or, where the fixture skipped the build's
#                        tests as asked, prints why and exits with 77 (skipped).
# Wine's helper processes inherit the standard streams of the command that started them and
# outlive it; a test runner reading those streams would wait for them, so the server is
# always started here with its streams on /dev/null before any program runs.
set -u
export WINEDEBUG=-all
export WINEPREFIX=${2:-}
unusable="$WINEPREFIX.unusable"

quiet() { "$@" </dev/null >/dev/null 2>&1; }
# A server for the prefix, started (and the prefix primed: Wine's services running) unless
# one runs already, in which case `wineserver -p` fails at once.
serve() {
  mkdir -p "$WINEPREFIX"
  if quiet wineserver -p; then quiet wine cmd /c exit; fi
}

case "${1:-}" in
  start)
    rm -f "$unusable"
    serve
    # The probe is a shell of the build's own bitness, asked for a status of its own: a
    # 32-bit program that Wine cannot start may still end with status 0 (it does where
    # wine32 is missing), and so would every test.
    if [[ "${3:-}" == 32 ]]; then shell='C:\windows\syswow64\cmd.exe'; else shell=cmd; fi
    quiet wine "$shell" /c exit 42
    status=$?
    ((status == 42)) && exit 0
    if [[ "${3:-}" == 32 ]]; then
      reason="32-bit Windows programs cannot run here: a 32-bit cmd under Wine ended with $status,"
      reason+=" not 42 (is wine32:i386 installed, and can the kernel run 32-bit programs?)"
      if [[ "${ORV_SKIP_WIN32_TESTS:-}" == 1 ]]; then
        echo "$reason; skipped, as ORV_SKIP_WIN32_TESTS=1 asks" | tee "$unusable"
        exit 0
      fi
      echo "$reason; the shipped DLL is untested (ORV_SKIP_WIN32_TESTS=1 skips its tests)" >&2
      exit 1
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
    shift 2
    if [[ -e "$unusable" && "${ORV_SKIP_WIN32_TESTS:-}" == 1 ]]; then
      echo "skipped: $(cat "$unusable")"
      exit 77
    fi
    serve
    exec "$@"
    ;;
esac
echo "usage: $0 start PREFIX 32|64 | stop PREFIX | run PREFIX PROGRAM [ARGUMENT...]" >&2
exit 2
