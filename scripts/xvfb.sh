# Sourced by the measuring scripts: starts a virtual X screen for the rest of the script and
# exports DISPLAY and a runtime folder for it; sets `work`, a scratch folder, and `xvfb`, the
# server's process. Both go when the script ends.
# -noreset: a desktop's X server does not reset between two program starts, since its window
# manager stays connected. Without it Xvfb resets whenever its last client leaves, and the next
# program waits for that by an amount that depends on what it does meanwhile, which favours
# one program over the other.
work="$(mktemp -d)"
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb startete nicht." >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
# Keeps Qt from warning about the missing runtime folder, which a desktop login provides.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
