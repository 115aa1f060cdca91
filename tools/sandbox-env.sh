# Sourced: the Wine sandbox of one build folder. Every Wine process we start sees only
# the build folder (as D:) and the prefix's own C:, never the Linux file system.
#   GF_BUILD   absolute build folder (required)
#   GF_PREFIX_NAME  prefix folder name under $GF_BUILD/sandbox (default: prefix)
: "${GF_BUILD:?GF_BUILD must name the build folder}"
GF_SANDBOX="$GF_BUILD/sandbox"
export WINEPREFIX="$GF_SANDBOX/${GF_PREFIX_NAME:-prefix}"
export HOME="$GF_SANDBOX/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache"
export XDG_DESKTOP_DIR="$HOME/Desktop"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
unset WINELOADER WINESERVER
export GF_BUILD GF_SANDBOX

# Creates the prefix if needed and checks that it has no drive but C:, D: (and E:).
gf_sandbox_prepare() {
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
  mkdir -p "$HOME/Desktop" "$HOME/Documents" "$HOME/Pictures" "$HOME/Music" "$HOME/Videos" \
           "$HOME/Downloads" "$HOME/Templates"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.gf-ready" ]; then
      rm -rf "$WINEPREFIX"
      mkdir -p "$WINEPREFIX/dosdevices" "$WINEPREFIX/drive_c"
      ln -s ../drive_c "$WINEPREFIX/dosdevices/c:"
      ln -s "$GF_BUILD" "$WINEPREFIX/dosdevices/d:"
      (cd "$GF_BUILD" && wineboot -i >/dev/null 2>&1 </dev/null)
      gf_sandbox_check_drives
      mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
      cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
      # Without a window manager, hiding a managed window stalls for seconds.
      (cd "$GF_BUILD" && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
         >/dev/null 2>&1 </dev/null)
      (cd "$GF_BUILD" && wineserver -w)
      touch "$WINEPREFIX/.gf-ready"
    fi
    gf_sandbox_check_drives
  ) 9>"$GF_SANDBOX/.lock"
}

# Removes every drive but C:, D: and E: (wineboot or a later Wine may add z: or
# others). E: is kept only as a second name of the prefix's own C: (the cleaning tests
# reach the system through it); pointing anywhere else, it goes too.
gf_sandbox_check_drives() {
  local d
  for d in "$WINEPREFIX"/dosdevices/*; do
    [ -e "$d" ] || [ -L "$d" ] || continue
    case "$(basename "$d")" in
      c:|d:) ;;
      e:) [ -L "$d" ] && [ "$(readlink -f "$d")" = "$(readlink -f "$WINEPREFIX/drive_c")" ] ||
            rm -f "$d" ;;
      *) rm -f "$d" ;;
    esac
  done
  if [ -e "$WINEPREFIX/dosdevices/z:" ]; then
    echo "sandbox: z: drive still present" >&2
    return 1
  fi
}

# Starts a virtual display when there is none (or when asked); sets DISPLAY.
gf_start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    GF_XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$GF_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      export GF_XVFB_PID
      return 0
    fi
  done
  echo "sandbox: could not start Xvfb" >&2
  return 1
}

gf_stop_xvfb() {
  [ -n "${GF_XVFB_PID:-}" ] && kill "$GF_XVFB_PID" 2>/dev/null && wait "$GF_XVFB_PID" 2>/dev/null
  GF_XVFB_PID=""
}

# One warm server for the run, its stdio closed so that nothing holds our pipes open.
gf_start_wineserver() {
  (cd "$GF_BUILD" && wineserver -p </dev/null >/dev/null 2>&1)
}

gf_stop_wineserver() {
  (cd "$GF_BUILD" && wineserver -k </dev/null >/dev/null 2>&1) || true
}
