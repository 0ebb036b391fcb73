# Sourced by the host's shell tests: a virtual display and a host whose settings, documents and
# data live in a fresh folder of their own.

# Starts Xvfb on the first free display from $1 on; $xvfb holds its process.
startVirtualDisplay() {
    local number
    for number in $(seq "$1" $(($1 + 39))); do
        [ -e "/tmp/.X$number-lock" ] || break
    done
    Xvfb ":$number" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && break
        sleep 0.1
    done
    export DISPLAY=":$number"
}

# Points the host's folders into $1 and writes the demo collections to $1/data with the
# vexa-mkcollections of $2.
isolateHost() {
    export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$1/config" XDG_RUNTIME_DIR="$1/runtime" \
        VEXA_DOCUMENTS_DIR="$1/documents" VEXA_TEMP_DIR="$1"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    "$2" "$1/data" >/dev/null
}
