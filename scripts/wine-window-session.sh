# Sourced by the scripts that run the launcher's real window, once they run on an Xvfb
# display: starts a Wine server of its own there (Wine's desktop takes the display it first
# saw, so a server started elsewhere would draw nowhere to be seen) in $WINEPREFIX, sets up its
# desktop, copies the launcher folder to $work/l, and removes both server and work folder at
# exit.
#   source wine-window-session.sh <launcher folder>
quiet() { "$@" </dev/null >/dev/null 2>&1; }
work=$(mktemp -d)
trap 'quiet wineserver -k; rm -rf "$work"' EXIT
mkdir -p "$WINEPREFIX"
quiet wineserver -p
quiet wine cmd /c exit
# The desktop as on Windows, once per prefix: with no window manager on the display, Wine
# draws the frames and title bars itself; its own fonts (Debian keeps them outside the prefix)
# draw them, and the CJK font is linked to those, so that Chinese titles and message boxes
# are glyphs too.
if [[ ! -e "$WINEPREFIX/orv-desktop" ]]; then
  ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f
  for face in Tahoma "Tahoma Bold" "MS Shell Dlg" "Microsoft Sans Serif"; do
    quiet wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f
  done
  touch "$WINEPREFIX/orv-desktop"
fi
cp -r "$1" "$work/l"
