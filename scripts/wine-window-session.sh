# Sourced by the scripts that run the launcher's real window, once they run on an Xvfb
# display: starts a Wine server of its own there (Wine's desktop takes the display it first
# saw, so a server started elsewhere would draw nowhere to be seen) in $WINEPREFIX, copies the
# launcher folder to $work/l, and removes both server and work folder at exit.
#   source wine-window-session.sh <launcher folder>
quiet() { "$@" </dev/null >/dev/null 2>&1; }
work=$(mktemp -d)
trap 'quiet wineserver -k; rm -rf "$work"' EXIT
mkdir -p "$WINEPREFIX"
quiet wineserver -p
quiet wine cmd /c exit
cp -r "$1" "$work/l"
